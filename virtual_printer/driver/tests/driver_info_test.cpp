// The sample information library's answers: the configured numbers, and
// exactly the records it counts, in the layouts the tool reads.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/byte_view.h"
#include "tool/printers/information_library.h"
#include "virtual_printer/driver/core/driver_capabilities.h"
#include "virtual_printer/driver/core/driver_info_config.h"

namespace vp {
namespace {

constexpr char kFullConfig[] =
    "[Driver]\n"
    "model = 0x0522\n"
    "features = 0x40000\n"
    "origin = 3 5\n"
    "resolution = 254\n"
    "printing_offset = 10 20\n"
    "paper = 300 620 1000 Label 62|Label 62 mm\n"
    "paper = 9 2100 2970 A4\n"
    "margin = 0 12\n"
    "margin = 24 30\n";

DriverInfoConfig Parsed(const char* text) {
  DriverInfoConfig config;
  std::string error;
  EXPECT_TRUE(ParseDriverInfoConfig(text, &config, &error)) << error;
  return config;
}

TEST(DriverCapabilities, AnswersTheConfiguredNumbersAndNoOtherIndex) {
  const DriverInfoConfig config = Parsed(kFullConfig);
  const struct {
    uint16_t index;
    int32_t answer;
  } kCases[] = {
      {INFO_MODEL_ID, 0x0522},
      {INFO_FEATURE_FLAGS, 0x40000},
      {INFO_ORIGIN, 5 << 16 | 3},
      {INFO_PAPER_RECORDS, 2},
      {INFO_MODEL_PAPER_RECORDS, 2},
      {INFO_MARGIN_RECORDS, 2},
      {256, -1},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(c.answer, AnswerCapability(config, c.index, nullptr)) << c.index;
  }
  // By default the model is left to the virtual printer; "none" empties a list.
  EXPECT_EQ(-1, AnswerCapability(Parsed(""), INFO_MODEL_ID, nullptr));
  EXPECT_EQ(2, AnswerCapability(Parsed(""), INFO_PAPER_RECORDS, nullptr));
  EXPECT_EQ(0, AnswerCapability(Parsed("[driver]\npaper = none\n"), INFO_PAPER_RECORDS, nullptr));
}

TEST(DriverCapabilities, WritesExactlyTheRecordsItCounts) {
  const DriverInfoConfig config = Parsed(kFullConfig);
  const struct {
    uint16_t index;
    std::size_t recordSize;
  } kCases[] = {{INFO_PAPER_RECORDS, INFO_PAPER_RECORD_SIZE},
                {INFO_MODEL_PAPER_RECORDS, INFO_PAPER_RECORD_SIZE},
                {INFO_MARGIN_RECORDS, INFO_MARGIN_RECORD_SIZE}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.index);
    const int32_t count = AnswerCapability(config, c.index, nullptr);
    std::vector<uint8_t> output((count + 1) * c.recordSize, 0xEE);  // one record of guard bytes
    EXPECT_EQ(count, AnswerCapability(config, c.index, output.data()));
    const std::vector<uint8_t> guard(c.recordSize, 0xEE);
    EXPECT_TRUE(std::equal(guard.begin(), guard.end(), output.end() - c.recordSize));
    const platform::ByteReader second(output.data() + c.recordSize, c.recordSize);
    if (c.recordSize == INFO_MARGIN_RECORD_SIZE) {
      EXPECT_EQ(24, second.U8(0));
      EXPECT_EQ(30, second.I16(1));
      EXPECT_EQ(0, second.U8(INFO_MARGIN_RECORD_SIZE - 1));
      continue;
    }
    // A4 at 254 dots per inch: a pixel per tenth of a millimetre.
    EXPECT_EQ(9, second.I16(0));
    EXPECT_EQ(2970, second.I16(2));
    EXPECT_EQ(2100, second.I16(112));
    char name[50], display[50];
    ASSERT_TRUE(second.Copy(12, name, sizeof name) && second.Copy(62, display, sizeof display));
    EXPECT_STREQ("A4", name);
    EXPECT_STREQ("A4", display);
    const platform::ByteReader first(output.data(), c.recordSize);
    ASSERT_TRUE(first.Copy(12, name, sizeof name) && first.Copy(62, display, sizeof display));
    EXPECT_STREQ("Label 62", name);
    EXPECT_STREQ("Label 62 mm", display);
  }
}

}  // namespace
}  // namespace vp
