// Package files as the host sends them: a 64-byte header (0x90 0x40, model at
// offset 2, payload size at offset 16, a tag to tell packages apart) and a
// payload of distinct bytes.
#ifndef VIRTUAL_PRINTER_TESTS_PACKAGES_H
#define VIRTUAL_PRINTER_TESTS_PACKAGES_H

#include <array>
#include <cstdint>
#include <vector>

namespace vp_test {

using Bytes = std::vector<uint8_t>;

struct Package {
  std::array<uint8_t, 64> header{};
  Bytes payload;
};

inline Package MakePackage(uint16_t model, uint32_t payloadSize, uint8_t tag = 1) {
  Package p;
  p.header[0] = 0x90;
  p.header[1] = 0x40;
  p.header[2] = static_cast<uint8_t>(model);
  p.header[3] = static_cast<uint8_t>(model >> 8);
  for (int i = 0; i < 4; ++i) {
    p.header[16 + i] = static_cast<uint8_t>(payloadSize >> (8 * i));
  }
  p.header[32] = tag;
  p.payload.resize(payloadSize);
  for (uint32_t i = 0; i < payloadSize; ++i) {
    p.payload[i] = static_cast<uint8_t>(tag * 31 + i * 7 + (i >> 8));
  }
  return p;
}

inline uint32_t Le32At(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace vp_test

#endif  // VIRTUAL_PRINTER_TESTS_PACKAGES_H
