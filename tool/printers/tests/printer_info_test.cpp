#include "tool/printers/printer_info.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tool/printers/classification.h"
#include "tool/printers/extension_data.h"
#include "tool/printers/feature_flags.h"
#include "tool/printers/private_area.h"
#include "tool/printers/standard_capabilities.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow {
namespace {

using testing::FakePrinter;
using testing::InformationLibrary;
using testing::kDriver;
using testing::Numbers;

constexpr uint32_t kFields = kDmPaperSize | kDmOrientation | kDmCopies | kDmPrintQuality;

// A label printer of the supported driver, as its information library and
// the spooler describe it.
struct LabelPrinter : ::testing::Test {
  testing::PrinterWorld world;
  PrinterInfo info{world.environment};
  FakePrinter& printer = world.AddPrinter("ZN Label", kDriver, kFields);
  std::map<uint16_t, testing::CapabilityAnswer>& answers = InformationLibrary().answers;

  LabelPrinter() {
    world.RegisterDriver();
    testing::PutShort(printer.devMode, kDmPaperSizeOffset, 300);
    testing::PutShort(printer.devMode, kDmPrintQualityOffset, -4);
    printer.capabilities[kDcEnumResolutions] = {2, Numbers({300, 300, 180, 180}, 4), {}};
    printer.capabilities[kDcMinExtent].count = 0x7FFF7FFF;
    printer.capabilities[kDcMaxExtent].count = 0x270F00F0;  // 240 x 9999
    printer.capabilities[kDcOrientation].count = 90;
    printer.capabilities[kDcCopies].count = 9999;
    answers[INFO_FEATURE_FLAGS].count = 0x01000010;
    answers[INFO_PAPER_RECORDS] = {
        2, testing::PaperBytes({{300, 0, 1, 640, 2000}, {301, 0, 2, 640, 1000}}), {}};
    answers[INFO_MARGIN_RECORDS] = {2, std::vector<uint8_t>(2 * MarginRecord::kSize), {}};
    answers[INFO_COLOUR_COUNT].count = 0x00010008;
    answers[INFO_ORIGIN].count = 0x00060005;
    answers[INFO_MODEL_ID].count = 0x3234;
  }
};

TEST_F(LabelPrinter, AttachAsksTheSpoolerAndTheInformationLibraryInOrder) {
  char name[8] = "x";
  EXPECT_FALSE(info.GetDisplayName(name, sizeof(name)));  // not attached
  ASSERT_TRUE(info.Attach("ZN Label", 0));
  const std::vector<std::string> calls = {
      "Quorbel ZN-418 269",  // the driver lookup's probe
      "Quorbel ZN-418 269", "Quorbel ZN-418 257", "ZN Label 257 out",   "Quorbel ZN-418 270",
      "ZN Label 270 out",   "Quorbel ZN-418 271", "Quorbel ZN-418 274", "Quorbel ZN-418 275",
      "Quorbel ZN-418 276", "Quorbel ZN-418 278"};
  EXPECT_EQ(calls, InformationLibrary().calls);
  ASSERT_NE(nullptr, info.GetModelId());
  EXPECT_EQ(0x3234u, *info.GetModelId());

  const DriverExtension& extension = info.Extension();
  EXPECT_EQ(8u, extension.colourCount);
  EXPECT_EQ((Point{5, 6}), extension.origin);
  EXPECT_EQ(1, extension.value276);
  EXPECT_EQ(5000, extension.copiesLimit);
  EXPECT_EQ(kSettingCopies, extension.settingsMask & kSettingCopies);
  EXPECT_EQ((std::array<uint8_t, 2>{0x1F, kPaperOfPieces}), extension.presentationFlags);
  EXPECT_TRUE(info.SetOptionBits(0xFFFFFFFF));
  EXPECT_EQ(0x41u, info.GetOptionBits());                         // exactly the mask
  EXPECT_EQ((Resolution{300, 300}), info.Geometry().resolution);  // high quality: the last
  EXPECT_EQ((Extent{}), info.Capabilities().minimumExtent);
  const PageGeometry& g = info.Geometry();
  EXPECT_EQ(
      (std::vector<int32_t>{640, 1000, 283, 11809}),
      (std::vector<int32_t>{g.minimumWidth, g.minimumLength, g.maximumWidth, g.maximumLength}));
  EXPECT_EQ(2000, info.Layout().paperLength);

  EXPECT_FALSE(info.GetDisplayName(name, 0));
  EXPECT_STREQ("x", name);
  for (const std::size_t size : {std::size_t{5}, std::size_t{0x10005}}) {  // a 16-bit size
    ASSERT_TRUE(info.GetDisplayName(name, size));
    EXPECT_STREQ("ZN L", name);
  }
  info.Release();
  EXPECT_FALSE(info.IsOpened());
  EXPECT_EQ(nullptr, info.GetModelId());
}

// Counts the library and the spooler give are not trusted past what they
// write; without a printer to describe, attach fails before asking the library.
TEST_F(LabelPrinter, AttachTrustsNoCountPastWhatIsWrittenAndFailsWithoutAPrinter) {
  const char* name = "ZN Label";
  const auto resolutions = [&]() -> auto& {
    return printer.capabilities[kDcEnumResolutions];
  };
  const struct {
    const char* what;
    std::function<void()> setUp;
    std::string sizes;  // papers, margins, resolutions; empty: attach fails
  } cases[] = {
      {"as written", [] {}, "2 2 2"},
      {"absurd paper count", [&] { answers[INFO_PAPER_RECORDS].count = 5000; }, "0 2 2"},
      {"negative paper count", [&] { answers[INFO_PAPER_RECORDS].count = -7; }, "0 2 2"},
      {"fewer papers written", [&] { answers[INFO_PAPER_RECORDS].written = 1; }, "1 2 2"},
      {"more papers written", [&] { answers[INFO_PAPER_RECORDS].written = 9; }, "2 2 2"},
      {"no margins written", [&] { answers[INFO_MARGIN_RECORDS].written = -1; }, "2 0 2"},
      {"absurd resolutions", [&] { resolutions().count = 2000; }, "2 2 0"},
      {"fewer resolutions", [&] { resolutions().written = 1; }, "2 2 1"},
      {"null", [&] { name = nullptr; }, ""},
      {"empty", [&] { name = ""; }, ""},
      {"unknown printer", [&] { name = "ZN Other"; }, ""},
      {"unopenable", [&] { printer.opens = false; }, ""},
      {"no device mode", [&] { printer.devMode.clear(); }, ""},
      {"no memory", [&] { world.memory.failAt = world.memory.allocations; }, ""},
      {"no DC_FIELDS", [&] { printer.capabilities[kDcFields].count = -1; }, ""},
  };
  const auto savedAnswers = answers;
  const FakePrinter saved = printer;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    answers = savedAnswers;
    printer = saved;
    name = "ZN Label";
    world.memory.failAt.reset();
    InformationLibrary().calls.clear();
    c.setUp();
    PrinterInfo attached(world.environment);
    ASSERT_EQ(!c.sizes.empty(), attached.Attach(name, 0));
    if (c.sizes.empty()) {
      EXPECT_TRUE(InformationLibrary().calls.empty());
    } else {
      EXPECT_EQ(c.sizes, std::to_string(attached.Papers().Size()) + " " +
                             std::to_string(attached.Margins().Size()) + " " +
                             std::to_string(attached.Capabilities().resolutions.Size()));
    }
  }
}

TEST_F(LabelPrinter, ADriverWhoseLibraryCannotBeLoadedIsReportedAndDescribedFromTheSpooler) {
  const char missing[] = "C:\\Windows\\missing.dll";
  world.registry.values.begin()->second["Info Dll"].assign(missing, std::end(missing));
  ASSERT_TRUE(info.Attach("ZN Label", 0));
  EXPECT_EQ(std::vector<std::string>{"The driver is damage. Reinstall the driver. !"},
            world.messages.shown);
  EXPECT_EQ(nullptr, info.GetModelId());  // nor a paper list from the spooler
  EXPECT_EQ(0x51u | kSettingCopies, info.Extension().settingsMask);
  EXPECT_EQ(kPaperListModel, info.Extension().paperListMode);
  EXPECT_EQ(1, info.Extension().value276);
}

TEST_F(LabelPrinter, WithoutARegisteredDriverThePapersComeFromTheSpoolerAndAreMeasured) {
  world.registry.subkeys.clear();
  printer.capabilities.erase(kDcEnumResolutions);
  testing::PutShort(printer.devMode, kDmPaperSizeOffset, 256);
  std::vector<uint8_t> names(3 * kPaperNameSize, 'L');  // the first fills its 64 bytes
  std::memcpy(&names[64], "A4|A4 sheet", 12);
  std::memcpy(&names[128], "User", 5);
  printer.capabilities[kDcPaperNames] = {3, names, {}};
  printer.capabilities[kDcPaperSize] = {3, Numbers({2159, 2794, 2100, 2970, 100, 100}, 4), {}};
  printer.capabilities[kDcPapers] = {3, Numbers({1, 9, 256}, 2), {}};
  world.contexts.pages[1] = {2550, 3300, 75, 75};
  world.contexts.pages[9] = {2480, 3508, 50, 60};

  ASSERT_TRUE(info.Attach("ZN Label", 0));
  EXPECT_TRUE(world.messages.shown.empty());
  ASSERT_NE(nullptr, info.GetModelId());
  const PaperList& papers = info.Papers();
  ASSERT_EQ(2u, papers.Size());  // the user size is not offered
  EXPECT_EQ(std::string(49, 'L'), papers[0].PaperName());
  EXPECT_EQ("A4|A4 sheet", papers[1].DisplayName());
  EXPECT_EQ(2100, papers[1].PaperWidth());
  EXPECT_EQ(2480 - 100, papers[1].PrintableWidth());
  EXPECT_EQ(3508 - 120, papers[1].PrintableHeight());
  EXPECT_EQ(1, info.DevMode().PaperSize());  // was the user size
  EXPECT_EQ((std::vector<int16_t>{1, 9, 1}), world.contexts.papersAsked);
  EXPECT_EQ((Rect{60, 50, 60, 50}), info.Geometry().minimumOffsets);
  EXPECT_EQ((Resolution{300, 300}), info.Geometry().resolution);

  // A context that cannot be had ends measuring with the device mode as it was.
  world.contexts.failAt = 4;
  PrinterInfo second(world.environment);
  ASSERT_TRUE(second.Attach("ZN Label", 0));
  EXPECT_EQ(1, second.DevMode().PaperSize());
  EXPECT_EQ(0, second.Papers()[1].PhysicalWidth());
}

TEST_F(LabelPrinter, SpecialTapeModeIsSetInThePrivateAreaOfAPrinterNamedLikeItsDriver) {
  const struct {
    const char* name;
    std::size_t privateSize;
    int16_t modeBefore;
    uint16_t modeAfter;
    uint32_t modelId;
    int merges;
  } cases[] = {
      {"Quorbel ZN-418(Special Tape)", 16, 0, kSpecialTapeOn, 0x13234, 1},
      {"Quorbel ZN-418", 16, kSpecialTapeOn, 0, 0x3234, 1},
      {"Quorbel ZN-418", 16, 0, 0, 0x3234, 0},
      {"Quorbel ZN-418(Special Tape)", 8, 0, 0, 0x3234, 0},  // no room for the mode
  };
  answers[INFO_FEATURE_FLAGS].count = 0x40000;
  for (const auto& c : cases) {
    FakePrinter& named = world.AddPrinter(kDriver, kDriver, kFields, c.privateSize);
    testing::PutShort(named.devMode, kDevModeASize + kPrivateSpecialTapeOffset, c.modeBefore);
    world.spooler.merges = 0;
    PrinterInfo attached(world.environment);
    ASSERT_TRUE(attached.Attach(c.name, 0)) << c.name;
    EXPECT_EQ(kDriver, attached.PrinterName());
    EXPECT_EQ(c.name, attached.DisplayName());
    const platform::ByteReader area = attached.DevMode().PrivateArea().Reader();
    EXPECT_EQ(c.modeAfter, area.U16(kPrivateSpecialTapeOffset).value_or(0)) << c.name;
    EXPECT_EQ(0, area.U16(kPrivateStateOffset).value_or(0));
    EXPECT_EQ(c.modelId, *attached.GetModelId()) << c.name;
    EXPECT_EQ(c.merges, world.spooler.merges) << c.name;
    world.spooler.printers.pop_back();
  }
}

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
