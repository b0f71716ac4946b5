// Package files as the input makes them: a header whose size says the truth
// or not, of the given model or not, the file cut short or followed by more.
#ifndef FUZZ_PACKAGE_BYTES_H
#define FUZZ_PACKAGE_BYTES_H

#include <cstdint>
#include <vector>

#include "fuzz/fuzz_input.h"

namespace fuzz {

inline void PutLe(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) {
    bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

inline std::vector<uint8_t> PackageBytes(FuzzInput& input, uint16_t model) {
  const uint8_t shape = input.U8();
  std::vector<uint8_t> file = input.Bytes(64);
  file.resize(64);
  const std::vector<uint8_t> payload = input.Bytes(input.InRange(0, 2000));
  if ((shape & 1) != 0) {
    PutLe(file, 2, model, 2);
  }
  if ((shape & 2) != 0) {
    const uint32_t more = (shape & 4) != 0 ? input.InRange(0, 3) : 0;
    PutLe(file, 16, static_cast<uint32_t>(payload.size()) + more, 4);
  }
  file.insert(file.end(), payload.begin(), payload.end());
  if ((shape & 8) != 0) {
    file.resize(input.InRange(0, static_cast<uint32_t>(file.size())));
  }
  const std::vector<uint8_t> trailing = input.Bytes(input.InRange(0, 8));
  file.insert(file.end(), trailing.begin(), trailing.end());
  return file;
}

}  // namespace fuzz

#endif  // FUZZ_PACKAGE_BYTES_H
