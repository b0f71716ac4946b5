// Package files as the input makes them: a header whose model and size are
// those of a well-made header or the input's own bytes, the file cut short or
// followed by more.
#ifndef FUZZ_PACKAGE_BYTES_H
#define FUZZ_PACKAGE_BYTES_H

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "virtual_printer/tests/packages.h"

namespace fuzz {

inline std::vector<uint8_t> PackageBytes(FuzzInput& input, uint16_t model) {
  const uint8_t shape = input.U8();
  std::vector<uint8_t> file = input.Bytes(64);
  file.resize(64);
  const std::vector<uint8_t> payload = input.Bytes(input.InRange(0, 2000));
  const uint32_t more = (shape & 6) == 6 ? input.InRange(0, 3) : 0;
  const auto made =
      vp_test::NewPackageHeader(model, static_cast<uint32_t>(payload.size()) + more).bytes;
  for (const auto [bit, from, to] : {std::array<int, 3>{1, 2, 4}, {2, 16, 20}}) {
    if ((shape & bit) != 0) {
      std::copy(made.begin() + from, made.begin() + to, file.begin() + from);
    }
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
