#include "tool/printers/classification.h"

#include <cstring>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tool/printers/information_library.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow {
namespace {

using testing::InformationLibrary;
using testing::kCompany;
using testing::kDriver;
using testing::kLibraryPath;
using testing::PrinterWorld;

const std::string kDriverRoot = std::string("SOFTWARE\\") + kCompany + "\\Skorvin\\Driver\\3.0";

void Features(int32_t answer) {
  InformationLibrary().answers[INFO_FEATURE_FLAGS].count = answer;
}

std::vector<std::string> Others(std::size_t n) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < n; ++i) {
    names.push_back("Other " + std::to_string(i));
  }
  return names;
}

TEST(ClassificationTest, ExclusionPrefixesAreThreeCaseSensitiveCharacters) {
  for (const char* name :
       {"EPSON LX", "HP LaserJet", "Canon", "DECwriter", "IBM 4019", "NEC PC", "Microline"}) {
    EXPECT_TRUE(IsExcludedName(name)) << name;
  }
  for (const char* name : {"CANON", "HPLaser", "Quorbel ZN-418", "DE", ""}) {
    EXPECT_FALSE(IsExcludedName(name)) << name;
  }
}

TEST(ClassificationTest, LookUpDriverFindsTheRegistrationAndProbesItsLibrary) {
  using SetUp = std::function<void(PrinterWorld&)>;
  const SetUp registered = [](PrinterWorld& w) { w.RegisterDriver(); };
  const auto infoDll = [](std::vector<uint8_t> bytes) {
    return [bytes](PrinterWorld& w) {
      w.RegisterDriver();
      w.registry.values[kDriverRoot + "\\" + kDriver]["Info Dll"] = bytes;
    };
  };
  const auto before = [](const std::string& key, std::size_t n) {
    return [key, n](PrinterWorld& w) {
      w.registry.subkeys[key] = Others(n);
      w.RegisterDriver();
    };
  };
  const std::string lib = kLibraryPath;
  const struct {
    const char* what;
    SetUp setUp;
    int32_t features;
    const char* driver;
    DriverClass expected;
    std::string path;
  } cases[] = {
      {"special tape", registered, 0x40010, kDriver, kDriverSpecialTape, lib},
      {"plain", registered, 0x10, kDriver, kDriverRegistered, lib},
      {"no export", [](PrinterWorld& w) { w.RegisterDriver(kDriver, false); }, 0x40000, kDriver,
       kDriverRegistered, lib},
      {"library missing",
       [](PrinterWorld& w) { w.registry.RegisterDriver(kCompany, kDriver, kLibraryPath); }, 0x40000,
       kDriver, kDriverRegistered, lib},
      {"no Info Dll",
       [](PrinterWorld& w) { w.registry.RegisterDriver(kCompany, kDriver, nullptr); }, 0, kDriver,
       kDriverNotSupported, ""},
      {"excluded driver", [](PrinterWorld& w) { w.RegisterDriver("NECS 2"); }, 0, "NECS 2",
       kDriverNotSupported, ""},
      {"other driver", registered, 0, "Quorbel ZN-419", kDriverNotSupported, ""},
      {"driver key 301st", before(kDriverRoot, 300), 0, kDriver, kDriverNotSupported, ""},
      {"driver key 300th", before(kDriverRoot, 299), 0, kDriver, kDriverRegistered, lib},
      {"company past 3000 subkeys", before("SOFTWARE", 3001), 0, kDriver, kDriverRegistered, lib},
      {"empty subkey name",
       [](PrinterWorld& w) {
         w.registry.subkeys["SOFTWARE"] = {""};
         w.RegisterDriver();
       },
       0, kDriver, kDriverNotSupported, ""},
      {"value without zero filling the buffer", infoDll(std::vector<uint8_t>(260, 'C')), 0, kDriver,
       kDriverNotSupported, ""},
      {"value without zero", infoDll({'C', ':', '\\', 'i'}), 0, kDriver, kDriverRegistered,
       "C:\\i"},
  };
  for (const auto& c : cases) {
    PrinterWorld world;
    c.setUp(world);
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

TEST(ClassificationTest, PlatformClassFromTheVersion) {
  const struct {
    bool available;
    uint32_t major, minor, platformId;
    PlatformClass expected;
  } cases[] = {{true, 3, 51, 2, kPlatformNt351},    {true, 3, 50, 2, kPlatformOther},
               {true, 2, 0, 1, kPlatformOther},     {true, 4, 90, 1, kPlatformWindows9x},
               {true, 4, 0, 2, kPlatformWindowsNt}, {true, 10, 0, 2, kPlatformWindowsNt},
               {true, 6, 1, 3, kPlatformOther},     {false, 10, 0, 2, kPlatformOther}};
  for (const auto& c : cases) {
    testing::FakeVersion version;
    version.available = c.available;
    version.major = c.major;
    version.minor = c.minor;
    version.platformId = c.platformId;
    EXPECT_EQ(c.expected, CheckPlatform(version)) << c.major << "." << c.minor;
  }
}

}  // namespace
}  // namespace vexlow
