#include "tool/printers/printer_list.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tool/printers/printer_info.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow {
namespace {

using testing::InformationLibrary;
using testing::kDriver;

struct PrinterListTest : ::testing::Test {
  testing::PrinterWorld world;
  PrinterList list{world.environment};

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (PrinterList::Position at = list.GetHeadPosition(); at != PrinterList::kEnd;) {
      names.push_back(list.GetPrinterDisplayName(*list.GetNext(at)));
    }
    return names;
  }
  std::string Current() const {
    std::string name;
    list.GetCurrentPrinterName(name);
    return name;
  }
  // Supported printers of the driver, whose library offers special tape.
  void SupportSpecialTape() {
    world.RegisterDriver();
    InformationLibrary().answers[INFO_FEATURE_FLAGS].count = 0x40000;
    InformationLibrary().answers[INFO_MODEL_ID].count = 0x1234;
  }
};

TEST_F(PrinterListTest, AddsTheAttachablePrintersOfTheDriverInSpoolerOrder) {
  world.AddPrinter("ZN A");
  world.AddPrinter("Office", "Quorbel QL-9");
  world.AddPrinter("ZN Broken").opens = false;
  world.AddPrinter("ZN B").attributes = platform::kPrinterAttributeHidden;
  world.AddPrinter("ZN a");
  world.AddPrinter("ZN lower", "quorbel zn-418");
  EXPECT_TRUE(list.AddPrintersWithDriver(kDriver));
  EXPECT_EQ((std::vector<std::string>{"ZN A", "ZN B", "ZN a"}), Names());
  EXPECT_EQ(3, list.GetCount());
  EXPECT_EQ(platform::kPrinterEnumLocal, world.spooler.listFlags.back());
  EXPECT_EQ(4, world.waitCursor.begins);  // the failed attach too
  EXPECT_EQ(0, world.waitCursor.depth);

  const std::size_t opened = world.spooler.opened.size();
  EXPECT_TRUE(list.AddPrintersWithDriver(kDriver));
  EXPECT_EQ(3, list.GetCount());
  EXPECT_EQ(opened + 1, world.spooler.opened.size());  // only the broken one again

  EXPECT_FALSE(list.AddPrintersWithDriver("Quorbel ZN-419"));
  world.spooler.printers.clear();  // the listing fails
  EXPECT_FALSE(list.AddPrintersWithDriver(kDriver));
  EXPECT_EQ(3, list.GetCount());
}

TEST_F(PrinterListTest, SelectingAListedPrinterReusesItsEntry) {
  std::string name = "unchanged";
  EXPECT_FALSE(list.GetCurrentPrinterName(name));
  EXPECT_EQ("", name);
  EXPECT_EQ(0u, list.GetCurrentModelId());

  world.AddPrinter("ZN A");
  world.AddPrinter("ZN B");
  world.support.supported = {"ZN A", "ZN B"};
  ASSERT_TRUE(list.AddPrintersWithDriver(kDriver));
  const std::size_t opened = world.spooler.opened.size();
  EXPECT_TRUE(list.SelectPrinter("ZN B"));
  EXPECT_EQ(opened, world.spooler.opened.size());
  EXPECT_EQ("ZN B", Current());
  EXPECT_EQ(0u, list.GetCurrentModelId());  // its driver gave none

  SupportSpecialTape();
  world.AddPrinter("ZN C");
  world.support.supported.insert("ZN C");
  EXPECT_TRUE(list.SelectPrinter("ZN C"));
  EXPECT_EQ(3, list.GetCount());
  EXPECT_EQ(0x1234u, list.GetCurrentModelId());
}

TEST_F(PrinterListTest, NoUsableNameSelectsTheFirstEntryAfterRefresh) {
  SupportSpecialTape();
  world.AddPrinter("ZN A");
  world.AddPrinter("Office", "Quorbel QL-9");
  world.support.supported = {"ZN A", "ZN A(Special Tape)"};
  for (const char* name : {static_cast<const char*>(nullptr), "", "ZN Unsupported"}) {
    EXPECT_TRUE(list.SelectPrinter(name));
    EXPECT_EQ("ZN A", Current());
    EXPECT_EQ((std::vector<std::string>{"ZN A", "ZN A(Special Tape)"}), Names());
  }
  // An entry the support check turns down leaves the list.
  world.support.supported = {"ZN A"};
  EXPECT_TRUE(list.SelectPrinter(nullptr));
  EXPECT_EQ((std::vector<std::string>{"ZN A"}), Names());
  world.support.supported.clear();
  EXPECT_FALSE(list.SelectPrinter(nullptr));
  EXPECT_EQ(0, list.GetCount());
  EXPECT_EQ("ZN A", Current());
  EXPECT_EQ(0x1234u, list.GetCurrentModelId());

  // A printer added between counting and filling is not taken past the count.
  InformationLibrary().answers[INFO_FEATURE_FLAGS].count = 0;
  world.support.supported = {"ZN A", "ZN B"};
  const int filling = static_cast<int>(world.spooler.listFlags.size()) + 1;
  world.spooler.beforeListing = [this, filling](int listing) {
    if (listing == filling) {
      world.spooler.printers.push_front(world.spooler.printers.front());
      world.spooler.printers.front().name = "ZN B";
    }
  };
  EXPECT_TRUE(list.SelectPrinter(nullptr));
  EXPECT_EQ((std::vector<std::string>{"ZN B"}), Names());
  world.spooler.beforeListing = nullptr;
  world.spooler.printers.clear();
  EXPECT_FALSE(list.SelectPrinter(nullptr));
  EXPECT_EQ("ZN B", Current());
}

}  // namespace
}  // namespace vexlow
