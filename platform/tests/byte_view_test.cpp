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
}

TEST(ByteViewTest, WritesOnlyWhatFitsWhole) {
  std::array<uint8_t, 5> bytes = {};
  ByteWriter writer(bytes.data(), bytes.size());
  EXPECT_TRUE(writer.PutU32(1, 0x11223344));
  EXPECT_FALSE(writer.PutU16(4, 0xAAAA));
  EXPECT_FALSE(writer.From(3).PutU32(0, 0xBBBBBBBB));
  EXPECT_EQ(bytes, (std::array<uint8_t, 5>{0x00, 0x44, 0x33, 0x22, 0x11}));

  uint8_t out[3] = {9, 9, 9};
  EXPECT_FALSE(writer.Reader().Copy(3, out, 3));
  EXPECT_EQ(out[0], 9);
  EXPECT_TRUE(writer.Reader().Copy(2, out, 3));
  EXPECT_EQ(out[2], 0x11);
}

}  // namespace
}  // namespace platform
