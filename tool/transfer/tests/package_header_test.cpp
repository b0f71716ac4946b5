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
    std::array<uint8_t, 3> kept;  // bytes 0, 1 and 63
    uint16_t model;
    int32_t rawSize;
    bool usable;  // PayloadSize() present
  };
  const std::array<uint8_t, 3> fromFile = {0x11, 0x11, 0x11};
  const Case cases[] = {
      {"trailing bytes", FileBytes(0x0415, 1000, 70), fromFile, 0x0415, 1000, true},
      {"largest", FileBytes(0xFFFF, 0x7FFFFFFF, 64), fromFile, 0xFFFF, 0x7FFFFFFF, true},
      {"one byte", FileBytes(0x0415, 1, 64), fromFile, 0x0415, 1, true},
      {"empty payload", FileBytes(0x0415, 0, 64), fromFile, 0x0415, 0, false},
      {"negative", FileBytes(0x0415, 0x80000010u, 64), fromFile, 0x0415, -0x7FFFFFF0, false},
      // A shorter file leaves the new header's bytes: zeros after 0x90 0x40.
      {"cut in the size", FileBytes(0x0415, 0x50000, 18), {0x11, 0x11, 0}, 0x0415, 0, false},
      {"cut in the model", FileBytes(0x0415, 1000, 3), {0x11, 0x11, 0}, 0x0015, 0, false},
      {"empty file", {}, {0x90, 0x40, 0}, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PackageHeader header = ReadPackageHeader(c.file.data(), c.file.size());
    EXPECT_EQ((std::array<uint8_t, 3>{header.bytes[0], header.bytes[1], header.bytes[63]}), c.kept);
    EXPECT_EQ(header.ModelId(), c.model);
    EXPECT_EQ(header.RawPayloadSize(), c.rawSize);
    EXPECT_EQ(header.PayloadSize(), c.usable ? std::optional<int32_t>(c.rawSize) : std::nullopt);
  }
}

}  // namespace
}  // namespace vexlow
