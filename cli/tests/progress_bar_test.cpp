// The text progress bar: its drawing, redrawn on a console and logged to a file.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "cli/progress_bar.h"

namespace cli {
namespace {

TEST(ProgressBarTest, DrawsTheShareDoneAndClampsOutOfRangeValues) {
  EXPECT_EQ(RenderProgressBar(0, 10), "[----------]   0%");
  EXPECT_EQ(RenderProgressBar(42, 10), "[####------]  42%");
  EXPECT_EQ(RenderProgressBar(100, 10), "[##########] 100%");
  EXPECT_EQ(RenderProgressBar(250, 10), RenderProgressBar(100, 10));
  EXPECT_EQ(RenderProgressBar(-5, 10), RenderProgressBar(0, 10));
}

// A console bar is redrawn in place only when what it shows changes, and its
// line ended once; a log gets a line at the start and at each further tenth.
TEST(ProgressBarTest, DrawsOnlyWhatChanged) {
  struct Case {
    BarStyle style;
    std::vector<int32_t> updates;
    std::vector<int32_t> drawn;
  };
  const Case cases[] = {
      {BarStyle::kRedrawn, {0, 0, -3, 50, 100, 120}, {0, 50, 100}},
      {BarStyle::kLogged, {0, 0, 4, 13, 19, 20, 99, 100, 100}, {0, 13, 20, 99, 100}},
  };
  for (const Case& c : cases) {
    const bool redrawn = c.style == BarStyle::kRedrawn;
    SCOPED_TRACE(redrawn ? "redrawn" : "logged");
    std::ostringstream out;
    ProgressBar bar(out, c.style);
    bar.Finish();
    EXPECT_EQ(out.str(), "") << "no bar, no line to end";
    for (int32_t percent : c.updates) {
      bar.Update(percent);
    }
    bar.Finish();
    std::string expected;
    for (int32_t percent : c.drawn) {
      expected += redrawn ? '\r' + RenderProgressBar(percent) : RenderProgressBar(percent) + '\n';
    }
    EXPECT_EQ(out.str(), redrawn ? expected + '\n' : expected);
  }
}

}  // namespace
}  // namespace cli
