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

TEST(ClassificationTest, ExclusionPrefixesAreThreeCaseSensitiveCharacters) {
  for (const char* name : {"EPSON LX", "EPS", "HP LaserJet", "Canon", "DECwriter", "IBM 4019",
                           "NEC PC", "Microline"}) {
    EXPECT_TRUE(IsExcludedName(name)) << name;
  }
  for (const char* name : {"CANON", "HPLaser", "HP-1", "Quorbel ZN-418", "DE", "", "Mi"}) {
    EXPECT_FALSE(IsExcludedName(name)) << name;
  }
}

TEST(ClassificationTest, LookUpDriverFindsTheRegistrationAndProbesItsLibrary) {
  const auto others = [](std::size_t n) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < n; ++i) {
      names.push_back("Other " + std::to_string(i));
    }
    return names;
  };
  const auto infoDll = [](PrinterWorld& w, std::vector<uint8_t> bytes) {
    w.registry.values[kDriverRoot + "\\" + kDriver]["Info Dll"] = bytes;
  };
  struct Case {
    const char* what;
    std::function<void(PrinterWorld&)> setUp;
    const char* driver;
    DriverClass expected;
    std::string path;
  };
  const Case cases[] = {
      {"special tape",
       [](PrinterWorld& w) {
         w.RegisterDriver();
         Features(0x40010);
       },
       kDriver, kDriverSpecialTape, kLibraryPath},
      {"plain",
       [](PrinterWorld& w) {
         w.RegisterDriver();
         Features(0x10);
       },
       kDriver, kDriverRegistered, kLibraryPath},
      {"no answer to 269", [](PrinterWorld& w) { w.RegisterDriver(); }, kDriver, kDriverRegistered,
       kLibraryPath},
      {"no export",
       [](PrinterWorld& w) {
         w.RegisterDriver(kDriver, false);
         Features(0x40000);
       },
       kDriver, kDriverRegistered, kLibraryPath},
      {"library missing",
       [](PrinterWorld& w) { w.registry.RegisterDriver(kCompany, kDriver, kLibraryPath); }, kDriver,
       kDriverRegistered, kLibraryPath},
      {"no Info Dll",
       [](PrinterWorld& w) { w.registry.RegisterDriver(kCompany, kDriver, nullptr); }, kDriver,
       kDriverNotSupported, ""},
      {"excluded driver", [](PrinterWorld& w) { w.RegisterDriver("NECS 2"); }, "NECS 2",
       kDriverNotSupported, ""},
      {"other driver", [](PrinterWorld& w) { w.RegisterDriver(); }, "Quorbel ZN-419",
       kDriverNotSupported, ""},
      {"driver key 301st",
       [&](PrinterWorld& w) {
         w.registry.subkeys[kDriverRoot] = others(300);
         w.RegisterDriver();
       },
       kDriver, kDriverNotSupported, ""},
      {"driver key 300th",
       [&](PrinterWorld& w) {
         w.registry.subkeys[kDriverRoot] = others(299);
         w.RegisterDriver();
       },
       kDriver, kDriverRegistered, kLibraryPath},
      {"company past 3000 subkeys",
       [&](PrinterWorld& w) {
         w.registry.subkeys["SOFTWARE"] = others(3001);
         w.RegisterDriver();
       },
       kDriver, kDriverRegistered, kLibraryPath},
      {"empty subkey name",
       [](PrinterWorld& w) {
         w.registry.subkeys["SOFTWARE"] = {""};
         w.RegisterDriver();
       },
       kDriver, kDriverNotSupported, ""},
      {"value without zero filling the buffer",
       [&](PrinterWorld& w) {
         w.RegisterDriver();
         infoDll(w, std::vector<uint8_t>(260, 'C'));
       },
       kDriver, kDriverNotSupported, ""},
      {"value without zero",
       [&](PrinterWorld& w) {
         w.RegisterDriver();
         infoDll(w, {'C', ':', '\\', 'i'});
       },
       kDriver, kDriverRegistered, "C:\\i"},
  };
  for (const Case& c : cases) {
    PrinterWorld world;
    c.setUp(world);
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
  std::vector<PrinterCandidate> records(count);
  EXPECT_EQ(count, EnumerateSupportedPrinters(world.environment, records.data(), count));
  const std::vector<std::string> names = {"Label A", "Label A(Special Tape)", "Label B",
                                          "Label B(Special Tape)"};
  for (std::size_t i = 0; i < count; ++i) {
    EXPECT_EQ(names[i], records[i].printerName);
    EXPECT_EQ(i < 2 ? "USB002" : "USB001", records[i].portName);
    EXPECT_EQ(kLibraryPath, records[i].libraryPath);
  }
  EXPECT_EQ(0x0Au, world.spooler.listFlags.back());
  // "Office" is of a registered driver: its library was probed all the same.
  EXPECT_EQ(2 * 3u, InformationLibrary().calls.size());  // two passes, three probes each

  // An array smaller than the printers now listed is never written past.
  std::vector<PrinterCandidate> one(2);
  one[1].printerName = "untouched";
  EXPECT_EQ(4u, EnumerateSupportedPrinters(world.environment, one.data(), 1));
  EXPECT_EQ("Label A", one[0].printerName);
  EXPECT_EQ("untouched", one[1].printerName);
}

TEST(ClassificationTest, PlatformClassFromTheVersion) {
  struct Case {
    bool available;
    uint32_t major, minor, platformId;
    PlatformClass expected;
  };
  const Case cases[] = {
      {true, 3, 51, 2, kPlatformNt351},     {true, 3, 50, 2, kPlatformOther},
      {true, 2, 0, 1, kPlatformOther},      {true, 4, 0, 1, kPlatformWindows9x},
      {true, 4, 90, 1, kPlatformWindows9x}, {true, 4, 0, 2, kPlatformWindowsNt},
      {true, 10, 0, 2, kPlatformWindowsNt}, {true, 6, 1, 3, kPlatformOther},
      {false, 10, 0, 2, kPlatformOther},
  };
  for (const Case& c : cases) {
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
