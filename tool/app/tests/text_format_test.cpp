#include "core/text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace vexlow::testing {
namespace {

// printf's rules for the directives the string tables use; the argument is
// never read as a format, and a directive without an argument of its kind
// stays empty.
TEST(FormatTextTest, SubstitutesOneArgumentFollowingPrintfRules) {
  struct Case {
    std::string format;
    std::string text;
    std::string expected;
  };
  const Case withText[] = {
      {"100 %% of %s", "it", "100 % of it"},
      {"no placeholder", "X", "no placeholder"},
      {"[%s]", "%s %n %% %d", "[%s %n %% %d]"},
      {"%d %s %s%", "A", " A %"},
  };
  for (const Case& c : withText) {
    EXPECT_EQ(FormatText(c.format, c.text), c.expected) << c.format;
  }
  EXPECT_EQ(FormatText("%d %%", 32), "32 %");
  EXPECT_EQ(FormatText("%d %%", -2147483647 - 1), "-2147483648 %");
  EXPECT_EQ(FormatText("%s|%d|%d", 7), "|7|");
}

}  // namespace
}  // namespace vexlow::testing
