#include "tool/printers/classification.h"

#include <cstring>
#include <functional>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "tool/printers/information_library.h"
#include "tool/printers/special_tape.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow {
namespace {

using testing::InformationLibrary;
using testing::kCompany;
using testing::kDriver;
using testing::kLibraryPath;
using testing::PrinterWorld;

const std::string kDriverRoot = std::string("SOFTWARE\\") + kCompany + "\\Skorvin\\Driver\\3.0";

constexpr char kTapeSuffix[] = "(Special Tape)";

void Features(int32_t answer) {
  InformationLibrary().answers[INFO_FEATURE_FLAGS].count = answer;
}

TEST(ClassificationTest, LookUpDriverFindsTheRegistrationAndProbesItsLibrary) {
  using SetUp = std::function<void(PrinterWorld&)>;
  const auto infoDll = [](std::string bytes) -> SetUp {  // as given, without a zero
    return [bytes](PrinterWorld& w) {
      w.registry.values[kDriverRoot + "\\" + kDriver]["Info Dll"].assign(bytes.begin(),
                                                                         bytes.end());
    };
  };
  const auto before = [](std::string key, std::size_t n, std::string name) -> SetUp {
    return [=](PrinterWorld& w) {
      w.registry.subkeys[key].insert(w.registry.subkeys[key].begin(), n, name);
    };
  };
  const SetUp withoutExport = [&](PrinterWorld& w) {
    infoDll("C:\\bare.dll")(w);
    w.loader.Provide("C:\\bare.dll", {});
  };
  const std::string lib = kLibraryPath;
  const struct {
    const char* what;
    const char* driver;
    SetUp setUp;  // after the driver's registration
    int32_t features;
    DriverClass expected;
    std::string path;
  } cases[] = {
      {"special tape", kDriver, nullptr, 0x40010, kDriverSpecialTape, lib},
      {"plain", kDriver, nullptr, 0x10, kDriverRegistered, lib},
      {"no export", kDriver, withoutExport, 0x40000, kDriverRegistered, "C:\\bare.dll"},
      {"library missing", kDriver, infoDll("C:\\missing.dll"), 0x40000, kDriverRegistered,
       "C:\\missing.dll"},
      {"no Info Dll", kDriver, [](PrinterWorld& w) { w.registry.values.clear(); }, 0,
       kDriverNotSupported, ""},
      {"excluded driver", "NECS 2", [](PrinterWorld& w) { w.RegisterDriver("NECS 2"); }, 0,
       kDriverNotSupported, ""},
      {"other driver", "Quorbel ZN-419", nullptr, 0, kDriverNotSupported, ""},
      {"driver key 301st", kDriver, before(kDriverRoot, 300, "Other"), 0, kDriverNotSupported, ""},
      {"driver key 300th", kDriver, before(kDriverRoot, 299, "Other"), 0, kDriverRegistered, lib},
      {"company 3001st", kDriver, before("SOFTWARE", 3000, "Other"), 0, kDriverRegistered, lib},
      {"empty subkey name", kDriver, before("SOFTWARE", 1, ""), 0, kDriverNotSupported, ""},
      {"value filling the buffer without zero", kDriver, infoDll(std::string(260, 'C')), 0,
       kDriverNotSupported, ""},
      {"value past the buffer", kDriver, infoDll(std::string(261, 'C')), 0, kDriverNotSupported,
       ""},
  };
  for (const auto& c : cases) {
    PrinterWorld world;
    world.RegisterDriver();
    if (c.setUp) {
      c.setUp(world);
    }
    Features(c.features);
    char path[260];
    std::memset(path, 'x', sizeof(path));
    EXPECT_EQ(c.expected, LookUpDriver(world.environment, c.driver, path, sizeof(path))) << c.what;
    EXPECT_EQ(c.path, std::string(path)) << c.what;
  }
}

TEST(ClassificationTest, EnumerationListsVisibleRegisteredPrintersOfTheDriverInSpoolerOrder) {
  PrinterWorld world;
  world.RegisterDriver();
  world.RegisterDriver("Quorbel QL-9");
  Features(0x40000);
  world.AddPrinter("Label A").port = "USB002";
  world.AddPrinter("Hidden").attributes = platform::kPrinterAttributeHidden;
  world.AddPrinter("EPS label");
  world.AddPrinter("Office", "Quorbel QL-9");
  world.AddPrinter("Unopenable").opens = false;
  world.AddPrinter("Label B");

  const std::size_t count = EnumerateSupportedPrinters(world.environment, nullptr, 0);
  ASSERT_EQ(4u, count);
  std::vector<PrinterCandidate> records(count + 1);
  records[count].printerName = "untouched";
  EXPECT_EQ(count, EnumerateSupportedPrinters(world.environment, records.data(), count));
  const char* names[] = {"Label A", "Label A(Special Tape)", "Label B", "Label B(Special Tape)",
                         "untouched"};
  for (std::size_t i = 0; i <= count; ++i) {
    EXPECT_EQ(names[i], records[i].printerName);
    EXPECT_EQ(i < 2 ? "USB002" : i < count ? "USB001" : "", records[i].portName);
  }
  EXPECT_EQ(kLibraryPath, records[3].libraryPath);
  EXPECT_EQ(0x0Au, world.spooler.listFlags.back());
  // "Office" is of a registered driver: its library was probed all the same.
  EXPECT_EQ(2 * 3u, InformationLibrary().calls.size());

  // An array smaller than the printers now listed is never written past.
  EXPECT_EQ(4u, EnumerateSupportedPrinters(world.environment, records.data() + 3, 1));
  EXPECT_EQ("Label A", records[3].printerName);
  EXPECT_EQ("untouched", records[4].printerName);
}

TEST(SpecialTapeTest, SuffixIsCaseSensitiveAnywhereInTheNameAndFitsTheBuffer) {
  struct Case {
    std::string name;
    bool has;
    std::string appended;
    std::string cut;
  };
  const Case cases[] = {
      {"ZN-418", false, "ZN-418(Special Tape)", "ZN-418"},
      {"ZN-418(Special Tape)", true, "ZN-418(Special Tape)", "ZN-418"},
      {"ZN-418 (Special Tape)", true, "ZN-418 (Special Tape)", "ZN-418 "},  // the blank stays
      {"ZN(Special Tape) #2", true, "ZN(Special Tape) #2", "ZN"},           // text after goes too
      {"ZN(special tape)", false, "ZN(special tape)(Special Tape)", "ZN(special tape)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.has, HasSpecialTapeSuffix(c.name, kTapeSuffix)) << c.name;
    std::string appended = c.name;
    AppendSpecialTapeSuffix(appended, kTapeSuffix);
    EXPECT_EQ(c.appended, appended);
    NameBuffer buffer{};
    SetName(buffer, c.name);
    EXPECT_TRUE(AppendSpecialTapeSuffix(buffer, kTapeSuffix));
    EXPECT_EQ(c.appended, NameOf(buffer));
    SetName(buffer, c.name);
    CutSpecialTapeSuffix(buffer, kTapeSuffix);
    EXPECT_EQ(c.cut, NameOf(buffer));
  }
  EXPECT_EQ("(Special Tape)", SpecialTapeSuffixFromResource(""));  // no string 10000
  EXPECT_EQ("(Sonderband)", SpecialTapeSuffixFromResource("Sonderband"));
  // The buffer form appends only what fits in 259 characters.
  const std::size_t room = kMaxNameLength - std::string(kTapeSuffix).size();
  for (const std::size_t length : {room - 1, room, room + 1, kMaxNameLength}) {
    NameBuffer buffer{};
    const std::string name(length, 'P');
    SetName(buffer, name);
    const bool fits = length <= room;
    EXPECT_EQ(fits, AppendSpecialTapeSuffix(buffer, kTapeSuffix)) << length;
    EXPECT_EQ(fits ? name + kTapeSuffix : name, NameOf(buffer)) << length;
  }
}

TEST(ClassificationTest, PlatformClassFromTheVersion) {
  const struct {
    bool available;
    uint32_t major, minor, platformId;
    PlatformClass expected;
  } cases[] = {{true, 3, 51, 2, kPlatformNt351},    {true, 3, 50, 2, kPlatformOther},
               {true, 2, 0, 1, kPlatformOther},     {true, 4, 90, 1, kPlatformWindows9x},
               {true, 4, 0, 2, kPlatformWindowsNt}, {true, 6, 1, 3, kPlatformOther},
               {false, 10, 0, 2, kPlatformOther}};
  for (const auto& c : cases) {
    testing::FakeVersion version;
    std::tie(version.available, version.major, version.minor, version.platformId) =
        std::tie(c.available, c.major, c.minor, c.platformId);
    EXPECT_EQ(c.expected, CheckPlatform(version)) << c.major << "." << c.minor;
  }
}

}  // namespace
}  // namespace vexlow
