// Package files as the host sends them: the product's own new header with a
// model, a payload size and a tag to tell packages apart, and a payload of
// distinct bytes.
#ifndef VIRTUAL_PRINTER_TESTS_PACKAGES_H
#define VIRTUAL_PRINTER_TESTS_PACKAGES_H

#include <array>
#include <cstdint>
#include <vector>

#include "tool/transfer/package_header.h"

namespace vp_test {

using Bytes = std::vector<uint8_t>;

// Model at offset 2 and payload size at offset 16, little-endian; the tag in a
// byte nobody reads.
inline vexlow::PackageHeader NewPackageHeader(uint16_t model, uint32_t payloadSize,
                                              uint8_t tag = 0) {
  vexlow::PackageHeader header;
  for (int i = 0; i < 4; ++i) {
    header.bytes[16 + i] = static_cast<uint8_t>(payloadSize >> (8 * i));
  }
  header.bytes[2] = static_cast<uint8_t>(model);
  header.bytes[3] = static_cast<uint8_t>(model >> 8);
  header.bytes[32] = tag;
  return header;
}

struct Package {
  std::array<uint8_t, 64> header{};
  Bytes payload;
};

inline Package MakePackage(uint16_t model, uint32_t payloadSize, uint8_t tag = 1) {
  Package p{NewPackageHeader(model, payloadSize, tag).bytes, Bytes(payloadSize)};
  for (uint32_t i = 0; i < payloadSize; ++i) {
    p.payload[i] = static_cast<uint8_t>(tag * 31 + i * 7 + (i >> 8));
  }
  return p;
}

}  // namespace vp_test

#endif  // VIRTUAL_PRINTER_TESTS_PACKAGES_H
