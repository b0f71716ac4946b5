#include "tool/printers/printer_info.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tool/printers/private_area.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow {
namespace {

using testing::FakePrinter;
using testing::InformationLibrary;
using testing::kDriver;
using testing::Numbers;

constexpr uint32_t kFields = kDmPaperSize | kDmOrientation | kDmCopies | kDmPrintQuality;

// Paper records as the library writes them: id, piece, width, height.
std::vector<uint8_t> PaperRecords(const std::vector<std::vector<int>>& rows) {
  std::vector<uint8_t> bytes(rows.size() * PaperRecord::kSize);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    platform::ByteWriter record(&bytes[i * PaperRecord::kSize], PaperRecord::kSize);
    record.PutU16(0, static_cast<uint16_t>(rows[i][0]));
    record.PutU8(130, static_cast<uint8_t>(rows[i][1]));
    record.PutU16(112, static_cast<uint16_t>(rows[i][2]));
    record.PutU16(2, static_cast<uint16_t>(rows[i][3]));
  }
  return bytes;
}

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
    answers[INFO_PAPER_RECORDS] = {2, PaperRecords({{300, 1, 640, 2000}, {301, 2, 640, 1000}}), {}};
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
  EXPECT_EQ(2u, info.Margins().Size());
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

TEST_F(LabelPrinter, CountsOfTheLibraryAndTheSpoolerAreNotTrustedPastWhatIsWritten) {
  const auto& caps = printer.capabilities;
  const struct {
    const char* what;
    std::function<void()> setUp;
    std::size_t papers, margins, resolutions;
  } cases[] = {
      {"as written", [] {}, 2, 2, 2},
      {"absurd paper count", [&] { answers[INFO_PAPER_RECORDS].count = 5000; }, 0, 2, 2},
      {"negative paper count", [&] { answers[INFO_PAPER_RECORDS].count = -7; }, 0, 2, 2},
      {"fewer papers written", [&] { answers[INFO_PAPER_RECORDS].written = 1; }, 1, 2, 2},
      {"more papers written", [&] { answers[INFO_PAPER_RECORDS].written = 9; }, 2, 2, 2},
      {"no margins written", [&] { answers[INFO_MARGIN_RECORDS].written = -1; }, 2, 0, 2},
      {"absurd resolutions", [&] { printer.capabilities[kDcEnumResolutions].count = 2000; }, 2, 2,
       0},
      {"fewer resolutions", [&] { printer.capabilities[kDcEnumResolutions].written = 1; }, 2, 2, 1},
  };
  const auto savedAnswers = answers;
  const auto savedCaps = caps;
  for (const auto& c : cases) {
    answers = savedAnswers;
    printer.capabilities = savedCaps;
    c.setUp();
    PrinterInfo attached(world.environment);
    ASSERT_TRUE(attached.Attach("ZN Label", 0)) << c.what;
    EXPECT_EQ(c.papers, attached.Papers().Size()) << c.what;
    EXPECT_EQ(c.margins, attached.Margins().Size()) << c.what;
    EXPECT_EQ(c.resolutions, attached.Capabilities().resolutions.Size()) << c.what;
  }
}

TEST_F(LabelPrinter, ADriverWhoseLibraryCannotBeLoadedIsReportedAndDescribedFromTheSpooler) {
  world.registry.values.clear();
  world.registry.RegisterDriver(testing::kCompany, kDriver, "C:\\Windows\\missing.dll");
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
    long merges;
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
    world.spooler.documentModes.clear();
    PrinterInfo attached(world.environment);
    ASSERT_TRUE(attached.Attach(c.name, 0)) << c.name;
    EXPECT_EQ(kDriver, attached.PrinterName());
    EXPECT_EQ(c.name, attached.DisplayName());
    const platform::ByteReader area = attached.DevMode().PrivateArea().Reader();
    EXPECT_EQ(c.modeAfter, area.U16(kPrivateSpecialTapeOffset).value_or(0)) << c.name;
    EXPECT_EQ(0, area.U16(kPrivateStateOffset).value_or(0));
    EXPECT_EQ(c.modelId, *attached.GetModelId()) << c.name;
    const auto& modes = world.spooler.documentModes;
    EXPECT_EQ(c.merges, std::count(modes.begin(), modes.end(),
                                   platform::kDmInBuffer | platform::kDmOutBuffer));
    world.spooler.printers.pop_back();
  }
}

TEST_F(LabelPrinter, AttachFailsWithoutAPrinterToDescribe) {
  const struct {
    const char* what;
    const char* name;
    std::function<void()> setUp;
  } cases[] = {
      {"null", nullptr, [] {}},
      {"empty", "", [] {}},
      {"unknown printer", "ZN Other", [] {}},
      {"unopenable", "ZN Label", [&] { printer.opens = false; }},
      {"no device mode", "ZN Label", [&] { printer.devMode.clear(); }},
      {"no memory", "ZN Label", [&] { world.memory.failAt = world.memory.allocations; }},
      {"no DC_FIELDS", "ZN Label", [&] { printer.capabilities[kDcFields].count = -1; }},
  };
  const FakePrinter saved = printer;
  for (const auto& c : cases) {
    printer = saved;
    world.memory.failAt.reset();
    c.setUp();
    PrinterInfo attached(world.environment);
    EXPECT_FALSE(attached.Attach(c.name, 0)) << c.what;
  }
  EXPECT_TRUE(InformationLibrary().calls.empty());
}

}  // namespace
}  // namespace vexlow
