#include <vector>

#include <gtest/gtest.h>

#include "tool/printers/classification.h"
#include "tool/printers/extension_data.h"
#include "tool/printers/feature_flags.h"
#include "tool/printers/private_area.h"
#include "tool/printers/standard_capabilities.h"

namespace vexlow {
namespace {

ResolutionList Resolutions(const std::vector<Resolution>& entries) {
  ResolutionList list;
  list.SetSize(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    list[i].SetX(entries[i].x);
    list[i].SetY(entries[i].y);
  }
  return list;
}

TEST(CapabilitiesTest, ResolutionsSortByAreaAndArePickedByQuality) {
  ResolutionList sorted = Resolutions({{600, 600}, {200, 100}, {100, 200}, {300, 300}, {100, 100}});
  SortResolutions(sorted);
  const std::vector<int32_t> xs = {100, 200, 100, 300, 600};  // equal areas keep their order
  for (std::size_t i = 0; i < xs.size(); ++i) {
    EXPECT_EQ(xs[i], sorted[i].X());
  }
  const std::vector<Resolution> four = {{100, 100}, {200, 200}, {300, 300}, {600, 600}};
  const uint32_t quality = kDmPrintQuality;
  struct Case {
    std::size_t n;
    uint32_t fields;
    int16_t printQuality;
    Resolution expected;
  };
  const Case cases[] = {
      {4, quality, -4, {600, 600}},  {4, quality, -1, {100, 100}},
      {4, quality, -3, {200, 200}},  {4, quality, -2, {300, 300}},
      {3, quality, -3, {0, 0}},      {3, quality, -2, {0, 0}},
      {3, quality, -4, {300, 300}},  {2, quality, -3, {100, 100}},
      {2, quality, -2, {100, 100}},  {2, quality | kDmYResolution, 300, {300, 720}},
      {2, quality, 300, {300, 300}}, {2, 0, -4, {7, 7}},
      {1, 0, 0, {100, 100}},         {0, kDmYResolution, 300, {300, 720}},
      {0, quality, 300, {300, 300}}, {0, quality, -3, {7, 7}},
  };
  for (const Case& c : cases) {
    const ResolutionList list =
        Resolutions(std::vector<Resolution>(four.begin(), four.begin() + c.n));
    EXPECT_EQ(c.expected, ChooseResolution(list, c.fields, c.printQuality, 720, {7, 7}))
        << c.n << " entries, quality " << c.printQuality;
  }
}

TEST(CapabilitiesTest, SettingMasksFollowTheFeatureFlags) {
  struct Case {
    uint32_t features, fields, copies;
    int16_t platform;
    uint32_t settings, options, colours;
  };
  const Case cases[] = {
      {0, 0, 10, kPlatformWindowsNt, 0x55, 0, 2},
      {0x200, kDmColor, 1, kPlatformWindows9x, 0x10D, 0x08, 0xFFFFFF},
      {0x08, 0, 10, kPlatformWindowsNt, 0x00, 0, 2},
      {0x1000302B, 0, 10, kPlatformWindowsNt, 0x4051, 0x400, 2},
      {0xE1000054, 0, 10, kPlatformWindows9x, 0x1E57, 0x45, 4},
  };
  for (const Case& c : cases) {
    DriverExtension extension;
    extension.featureFlags = c.features;
    DeriveSettingMasks(c.fields, c.copies, c.platform, extension);
    EXPECT_EQ(c.settings, extension.settingsMask) << std::hex << c.features;
    EXPECT_EQ(c.options, extension.optionMask) << std::hex << c.features;
    EXPECT_EQ(c.colours, extension.colourCount) << std::hex << c.features;
    EXPECT_EQ(0x0F, extension.presentationFlags[0]);
  }
}

TEST(CapabilitiesTest, OptionBitsComeFromThePrivateAreaWithinTheMask) {
  struct Case {
    const char* what;
    uint32_t features;
    std::size_t areaSize;
    uint16_t sizeWord;
    uint32_t word;  // layout one at 22; layout two: its byte at 107
    uint32_t mask, bits, defaults;
    uint32_t maskAfter, bitsAfter, defaultsAfter;
  };
  const uint32_t one = kFeaturePrivateLayoutOne;
  const uint32_t two = kFeaturePrivateLayoutTwo;
  const Case cases[] = {
      {"layout one", one, 30, 30, 0x187, 0x8F, 0, 0, 0x8F, 0x8F, 0x8F},
      {"trays", one, 30, 30, 0x6001, 0x01, 0, 0, 0xF001, 0x2001, 0x2001},
      {"size 3030", one, 30, 3030, 0x03, 0x03, 0, 0, 0x03, 0x03, 0x03},
      {"failed check", one, 30, 31, 0x187, 0x8F, 0x03, 0x77, 0x8F, 0x03, 0x77},
      {"Wine's 8 bytes", one, 8, 8, 0x187, 0x8F, 0x03, 0x77, 0x8F, 0x03, 0x77},
      {"layout two", two, 110, 0, 0x40, 0x07, 0x04, 0, 0x07, 0x03, 0x03},
      {"layout two, 8 bytes", two, 8, 0, 0x40, 0x07, 0x0C, 0, 0x07, 0x04, 0x04},
      {"no layout", 0, 8, 0, 0, 0x05, 0xFF, 0, 0x05, 0x05, 0x05},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> area(c.areaSize);
    platform::ByteWriter writer(area.data(), area.size());
    writer.PutU16(kPrivateSizeOffset, c.sizeWord);
    writer.PutU32(kPrivateOptionBitsOffset, c.word);
    writer.PutU8(kPrivateOptionByteOffset, static_cast<uint8_t>(c.word));
    DriverExtension extension;
    extension.featureFlags = c.features;
    extension.optionMask = c.mask;
    extension.optionBits = c.bits;
    extension.defaultOptionBits = c.defaults;
    ReadOptionBits(writer.Reader(), kDmColorColor, extension);
    EXPECT_EQ(c.maskAfter, extension.optionMask) << c.what;
    EXPECT_EQ(c.bitsAfter, extension.optionBits) << c.what;
    EXPECT_EQ(c.defaultsAfter, extension.defaultOptionBits) << c.what;
  }
}

}  // namespace
}  // namespace vexlow
