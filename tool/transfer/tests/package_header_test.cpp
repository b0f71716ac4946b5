// What a package header says, read from the first bytes of a file.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "tool/transfer/package_header.h"

namespace vexlow {
namespace {

// The bytes of a file: a header with `model` and `size` at their offsets,
// `length` bytes long in all (shorter: cut, longer: padded with 0xEE).
std::vector<uint8_t> FileBytes(uint16_t model, uint32_t size, std::size_t length) {
  std::vector<uint8_t> bytes(std::max<std::size_t>(length, 64), 0xEE);
  std::fill_n(bytes.begin(), 64, 0x11);
  bytes[2] = static_cast<uint8_t>(model);
  bytes[3] = static_cast<uint8_t>(model >> 8);
  for (int i = 0; i < 4; ++i) {
    bytes[16 + i] = static_cast<uint8_t>(size >> (8 * i));
  }
  bytes.resize(length);
  return bytes;
}

TEST(PackageHeaderTest, ReadsModelAndPayloadSizeFromTheFirst64Bytes) {
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    std::array<uint8_t, 2> opening;  // bytes 0 and 1
    uint8_t last;
    uint16_t model;
    std::optional<int32_t> payloadSize;
  };
  const Case cases[] = {
      {"whole header", FileBytes(0x0415, 1000, 64), {0x11, 0x11}, 0x11, 0x0415, 1000},
      {"trailing bytes", FileBytes(0x0415, 1000, 70), {0x11, 0x11}, 0x11, 0x0415, 1000},
      {"largest payload",
       FileBytes(0xFFFF, 0x7FFFFFFF, 64),
       {0x11, 0x11},
       0x11,
       0xFFFF,
       0x7FFFFFFF},
      {"empty payload", FileBytes(0x0415, 0, 64), {0x11, 0x11}, 0x11, 0x0415, std::nullopt},
      {"negative payload",
       FileBytes(0x0415, 0x80000010u, 64),
       {0x11, 0x11},
       0x11,
       0x0415,
       std::nullopt},
      // A shorter file leaves the new header's bytes: zeros after 0x90 0x40.
      {"cut inside the size",
       FileBytes(0x0415, 0x50000, 18),
       {0x11, 0x11},
       0x00,
       0x0415,
       std::nullopt},
      {"cut inside the model",
       FileBytes(0x0415, 1000, 3),
       {0x11, 0x11},
       0x00,
       0x0015,
       std::nullopt},
      {"empty file", {}, {0x90, 0x40}, 0x00, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PackageHeader header = ReadPackageHeader(c.file.data(), c.file.size());
    EXPECT_EQ(header.bytes[0], c.opening[0]);
    EXPECT_EQ(header.bytes[1], c.opening[1]);
    EXPECT_EQ(header.bytes[63], c.last);
    EXPECT_EQ(header.ModelId(), c.model);
    EXPECT_EQ(header.PayloadSize(), c.payloadSize);
  }
}

}  // namespace
}  // namespace vexlow
