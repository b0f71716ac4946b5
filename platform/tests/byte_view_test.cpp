#include "platform/byte_view.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>

namespace platform {
namespace {

TEST(ByteViewTest, ReadsLittleEndianNumbersInsideAndNothingPastTheEnd) {
  const std::array<uint8_t, 6> bytes = {0x01, 0x02, 0x03, 0x84, 0xFF, 0x7F};
  const ByteReader reader(bytes.data(), bytes.size());
  EXPECT_EQ(reader.U16(0), 0x0201);
  EXPECT_EQ(reader.U32(2), 0x7FFF8403u);
  EXPECT_EQ(reader.I16(3), static_cast<int16_t>(0xFF84));
  EXPECT_EQ(reader.U8(5), 0x7F);
  // The last whole number ends at the last byte; one more is absent.
  EXPECT_FALSE(reader.U8(6));
  EXPECT_FALSE(reader.U16(5));
  EXPECT_FALSE(reader.U32(3));
  EXPECT_FALSE(reader.I32(std::numeric_limits<std::size_t>::max() - 1));
  EXPECT_EQ(reader.From(4).U16(0), 0x7FFF);
  EXPECT_FALSE(reader.From(7).U8(0));
  EXPECT_FALSE(ByteReader(nullptr, 8).U8(0));
  uint8_t out[2] = {9, 9};
  EXPECT_FALSE(reader.Copy(5, out, 2));  // nothing copied unless all of it lies inside
  EXPECT_EQ(out[0], 9);
  EXPECT_TRUE(reader.Copy(4, out, 2));
  EXPECT_EQ(out[1], 0x7F);
}

}  // namespace
}  // namespace platform
