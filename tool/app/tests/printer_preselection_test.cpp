#include "core/printer_preselection.h"

#include <gtest/gtest.h>

namespace vexlow::testing {
namespace {

TEST(ChoosePreselectedPrinterTest, LastChoiceThenDriverNameThenFirst) {
  // Entries as the sorted list shows them.
  const std::vector<std::string> entries = {"Back Office", "Skorvin VX-9", "Warehouse"};
  struct Case {
    const char* name;
    std::vector<std::string> entries;
    const char* selectedPrinter;
    const char* driverName;
    int expected;
  };
  const Case cases[] = {
      {"named like the driver in other letter case", entries, "", "SKORVIN vx-9", 1},
      {"none named like the driver: the first", entries, "", "Quorbel ZN-418", 0},
      {"the last choice wins over the driver name", entries, "warehouse", "Skorvin VX-9", 2},
      {"a last choice no longer listed", entries, "Gone", "Skorvin VX-9", 1},
      {"a name that only begins like an entry", entries, "", "Skorvin", 0},
      {"letters outside ASCII are compared as they are",
       {"Gr\xC3\xBCn", "gr\xC3\x9Cn"},
       "",
       "gr\xC3\x9Cn",
       1},
      {"no entries", {}, "Warehouse", "Skorvin VX-9", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChoosePreselectedPrinter(c.entries, c.selectedPrinter, c.driverName), c.expected)
        << c.name;
  }
}

}  // namespace
}  // namespace vexlow::testing
