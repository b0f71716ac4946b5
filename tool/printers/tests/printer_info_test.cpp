#include "tool/printers/printer_info.h"

#include <cstring>
#include <functional>
#include <sstream>
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
  EXPECT_EQ(0u, info.Capabilities().resolutions.Size());
  EXPECT_EQ(nullptr, info.GetModelId());
}

// Counts the library and the spooler give are not trusted past what they
// write; without a printer to describe, attach fails before asking the library.
TEST_F(LabelPrinter, AttachTrustsNoCountPastWhatIsWrittenAndFailsWithoutAPrinter) {
  const char* name = "ZN Label";
  const auto resolutions = [&]() -> auto& {
    return printer.capabilities[kDcEnumResolutions];
  };
  const auto capability = [&](uint16_t index) -> int32_t& {
    return printer.capabilities[index].count;
  };
  const struct {
    const char* what;
    std::function<void()> setUp;
    std::string sizes;  // papers, margins, resolutions; empty: attach fails
    // Orientation, copies, minimum and maximum extent.
    std::string capabilities = "90 9999 0x0 240x9999";
  } cases[] = {
      {"as written", [] {}, "2 2 2"},
      {"absurd paper count", [&] { answers[INFO_PAPER_RECORDS].count = 5000; }, "0 2 2"},
      {"negative paper count", [&] { answers[INFO_PAPER_RECORDS].count = -7; }, "0 2 2"},
      {"fewer papers written", [&] { answers[INFO_PAPER_RECORDS].written = 1; }, "1 2 2"},
      {"more papers written", [&] { answers[INFO_PAPER_RECORDS].written = 9; }, "2 2 2"},
      {"no margins written", [&] { answers[INFO_MARGIN_RECORDS].written = -1; }, "2 0 2"},
      {"absurd resolutions", [&] { resolutions().count = 2000; }, "2 2 0"},
      {"fewer resolutions", [&] { resolutions().written = 1; }, "2 2 1"},
      {"no orientation answer", [&] { capability(kDcOrientation) = -1; }, "2 2 2",
       "0 9999 0x0 240x9999"},
      {"no copies answer", [&] { capability(kDcCopies) = -1; }, "2 2 2", "90 0 0x0 240x9999"},
      {"extents", [&] { capability(kDcMinExtent) = 0x00640032; }, "2 2 2",
       "90 9999 50x100 240x9999"},
      {"no extents", [&] { capability(kDcMaxExtent) = -1; }, "2 2 2", "90 9999 0x0 0x0"},
      {"null", [&] { name = nullptr; }, ""},
      {"empty", [&] { name = ""; }, ""},
      {"unknown printer", [&] { name = "ZN Other"; }, ""},
      {"unopenable", [&] { printer.opens = false; }, ""},
      {"no details", [&] { printer.describes = false; }, ""},
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
      const StandardCapabilities& caps = attached.Capabilities();
      std::ostringstream capabilities;
      capabilities << caps.orientation << " " << caps.maximumCopies << " "
                   << caps.minimumExtent.width << "x" << caps.minimumExtent.height << " "
                   << caps.maximumExtent.width << "x" << caps.maximumExtent.height;
      EXPECT_EQ(c.capabilities, capabilities.str());
    }
  }
}

TEST_F(LabelPrinter, ADriverWhoseLibraryCannotBeLoadedIsReportedAndDescribedFromTheSpooler) {
  const char missing[] = "C:\\Windows\\missing.dll";
  world.registry.values.begin()->second["Info Dll"].assign(missing, std::end(missing));
  ASSERT_TRUE(info.Attach("ZN Label", 0));
  const std::vector<testing::ShownMessage> damaged = {
      {"", "The driver is damage. Reinstall the driver.", platform::MessageIcon::Exclamation,
       platform::MessageButtons::Ok}};
  EXPECT_EQ(damaged, world.messages.shown);
  EXPECT_EQ(nullptr, info.GetModelId());  // nor a paper list from the spooler
  EXPECT_EQ(0x51u | kSettingCopies, info.Extension().settingsMask);
  EXPECT_EQ(kPaperListModel, info.Extension().paperListMode);
  EXPECT_EQ(1, info.Extension().value276);
  EXPECT_EQ(0u, info.GetOptionBits());
}

// Each paper as "id paper|display size physical+offset", then the device
// mode's paper and the minimum offsets.
std::string Described(const PrinterInfo& info) {
  std::ostringstream text;
  for (const PaperRecord& p : info.Papers()) {
    text << p.Id() << " " << p.PaperName() << "|" << p.DisplayName() << " " << p.PaperWidth() << "x"
         << p.PaperLength() << " " << p.PhysicalWidth() << "x" << p.PhysicalHeight() << "+"
         << p.OffsetX() << "," << p.OffsetY() << "; ";
  }
  const Rect& offsets = info.Geometry().minimumOffsets;
  text << "paper " << info.DevMode().PaperSize() << ", offsets " << offsets.left << ","
       << offsets.top << "," << offsets.right << "," << offsets.bottom;
  return text.str();
}

// A library without papers, or none at all: the spooler names, sizes and
// numbers the papers (each capability trusted only as far as the ones before
// it), a plain model drops the user sizes, a model of its own keeps only them,
// and every paper is measured through an information context of its own.
TEST_F(LabelPrinter, FallbackPapersComeFromTheSpoolerAndAreMeasured) {
  std::vector<uint8_t> names(3 * kPaperNameSize, 'L');  // the first fills its 64 bytes
  std::memcpy(&names[64], "A4|A4 sheet", 12);
  std::memcpy(&names[128], "User\0|x", 7);  // a bar after the name's end is not read
  const std::string letter(49, 'L');
  const std::string a4 = "A4|A4 sheet|A4|A4 sheet 2100x2970 ";  // not split
  const auto spoolerOnly = [&](std::function<void()> more) {
    return [&, more] {
      world.registry.subkeys.clear();
      more();
    };
  };
  const struct {
    const char* what;
    std::function<void()> setUp;
    std::string papers;          // empty: not offered, nothing measured
    std::vector<int16_t> asked;  // the papers of the contexts, in order
  } cases[] = {
      {"spooler only",
       spoolerOnly([] {}),
       "1 " + letter + "|" + letter + " 2159x2794 2550x3300+75,75; 9 " + a4 +
           "2480x3508+50,60; paper 1, offsets 60,50,60,50",
       {1, 9, 1}},
      {"library without papers",
       [&] { answers[INFO_PAPER_RECORDS].count = 0; },
       "1 " + letter + "|" + letter +
           " 2159x2794 2550x3300+75,75; 9 A4|A4 sheet 2100x2970 2480x3508+50,60; 256 User|User "
           "100x100 0x0+0,0; paper 256, offsets 60,50,60,50",
       {1, 9, 256, 256}},
      {"library without papers, a model of its own",
       [&] {
         answers[INFO_PAPER_RECORDS].count = 0;
         answers[INFO_FEATURE_FLAGS].count = 0x11000110;
         world.contexts.pages[256] = {1000, 1000, 5, 7};
       },
       "256 User|User 100x100 1000x1000+5,7; paper 256, offsets 7,5,7,5",
       {256, 256}},
      {"fewer sizes than names",
       spoolerOnly([&] { printer.capabilities[kDcPaperSize].written = 1; }),
       "1 " + letter + "|" + letter + " 2159x2794 2550x3300+75,75; 0 " + a4.substr(0, 24) +
           "0x0 0x0+0,0; 0 User|User 0x0 " + "0x0+0,0; paper 1, offsets 75,75,75,75",
       {1, 0, 0, 1}},
      {"fewer numbers than sizes",
       spoolerOnly([&] { printer.capabilities[kDcPapers].written = 2; }),
       "1 " + letter + "|" + letter + " 2159x2794 2550x3300+75,75; 9 " + a4 +
           "2480x3508+50,60; 0 User|User 100x100 0x0+0,0; paper 1, offsets 60,50,60,50",
       {1, 9, 0, 1}},
      {"no sizes",
       spoolerOnly([&] { printer.capabilities[kDcPaperSize].count = -1; }),
       "0 " + letter + "|" + letter + " 0x0 0x0+0,0; 0 " + a4.substr(0, 24) +
           "0x0 0x0+0,0; 0 User|User 0x0 0x0+0,0; paper 0, offsets 0,0,0,0",
       {0, 0, 0, 0}},
      {"one name",
       spoolerOnly([&] {
         printer.capabilities[kDcPaperNames] = {1, {names.begin(), names.begin() + 64}, {}};
       }),
       "1 " + letter + "|" + letter + " 2159x2794 2550x3300+75,75; paper 1, offsets 75,75,75,75",
       {1, 1}},
      {"no names", spoolerOnly([&] { printer.capabilities[kDcPaperNames].count = -1; }), "", {}},
      // Measuring stops: the device mode names its paper again.
      {"no context for the second paper",
       spoolerOnly([&] { world.contexts.failAt = 1; }),
       "1 " + letter + "|" + letter + " 2159x2794 2550x3300+75,75; 9 " + a4 +
           "0x0+0,0; paper 1, offsets 75,75,0,0",
       {1, 9}},
      {"no context after measuring",
       spoolerOnly([&] { world.contexts.failAt = 2; }),
       "1 " + letter + "|" + letter + " 2159x2794 2550x3300+75,75; 9 " + a4 +
           "2480x3508+50,60; paper 1, offsets 60,50,0,0",
       {1, 9, 1}},
      {"no memory for the names", spoolerOnly([&] { world.memory.failAt = 1; }), "", {}},
      {"no memory for the sizes", spoolerOnly([&] { world.memory.failAt = 2; }), "", {}},
      {"no memory for the numbers", spoolerOnly([&] { world.memory.failAt = 3; }), "", {}},
  };
  printer.capabilities.erase(kDcEnumResolutions);
  testing::PutShort(printer.devMode, kDmPaperSizeOffset, 256);
  testing::PutShort(printer.devMode, kDmOrientationOffset, 2);  // landscape
  printer.capabilities[kDcPaperNames] = {3, names, {}};
  printer.capabilities[kDcPaperSize] = {3, Numbers({2159, 2794, 2100, 2970, 100, 100}, 4), {}};
  printer.capabilities[kDcPapers] = {3, Numbers({1, 9, 256}, 2), {}};
  world.contexts.pages[1] = {2550, 3300, 75, 75};
  world.contexts.pages[9] = {2480, 3508, 50, 60};
  const auto savedAnswers = answers;
  const FakePrinter saved = printer;
  const auto savedRegistry = world.registry;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    answers = savedAnswers;
    printer = saved;
    world.registry = savedRegistry;
    world.contexts.papersAsked.clear();
    world.contexts.failAt.reset();
    world.memory.failAt.reset();
    world.memory.allocations = 0;
    c.setUp();
    PrinterInfo attached(world.environment);
    ASSERT_TRUE(attached.Attach("ZN Label", 0));
    EXPECT_EQ(!c.papers.empty(), attached.GetModelId() != nullptr);
    if (!c.papers.empty()) {
      EXPECT_EQ(c.papers, Described(attached));
    }
    for (const PaperRecord& p : attached.Papers()) {  // the offset is kept off both sides
      EXPECT_EQ(p.PhysicalWidth() - 2 * p.OffsetX(), p.PrintableWidth());
      EXPECT_EQ(p.PhysicalHeight() - 2 * p.OffsetY(), p.PrintableHeight());
    }
    EXPECT_EQ(c.asked, world.contexts.papersAsked);
  }
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
      {0, quality, 0, {7, 7}},
  };
  for (const Case& c : cases) {
    const ResolutionList list =
        Resolutions(std::vector<Resolution>(four.begin(), four.begin() + c.n));
    EXPECT_EQ(c.expected, ChooseResolution(list, c.fields, c.printQuality, 720, {7, 7}))
        << c.n << " entries, quality " << c.printQuality;
  }
}

TEST(CapabilitiesTest, ExtentsAreWidthInTheLowWordHeightInTheHigh) {
  const struct {
    uint32_t answer;
    bool minimum;
    Extent expected;
  } cases[] = {
      {0x270F00F0, false, {240, 9999}},
      {0x270F00F0, true, {240, 9999}},
      {0xFFFFFFFF, false, {}},
      {0xFFFFFFFF, true, {}},  // no answer
      {0x7FFF7FFF, true, {}},
      {0x7FFF7FFF, false, {0x7FFF, 0x7FFF}},
      {0x7FFF7FFE, true, {0x7FFE, 0x7FFF}},
      {0x00010000, false, {}},  // a height without width
      {0x00000001, false, {1, 0}},
      {0, true, {}},
      {0xFFFE0001, false, {1, 0xFFFE}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, DecodeExtent(static_cast<int32_t>(c.answer), c.minimum))
        << std::hex << c.answer << (c.minimum ? " minimum" : " maximum");
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
      {0x08008C00, 0, 10, kPlatformWindowsNt, 0x55, 0x382, 2},
      {0x10002000, 0, 10, kPlatformWindowsNt, 0x4055, 0, 2},
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
    EXPECT_EQ((c.maskAfter & 0xF000) != 0 ? 0x2000u : 0u, extension.settingsMask) << c.what;
  }
}

}  // namespace
}  // namespace vexlow
