// The text progress bar: its drawing, and that it redraws only on a change.
#include <gtest/gtest.h>

#include <sstream>

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

TEST(ProgressBarTest, RedrawsInPlaceOnlyWhenWhatItShowsChanges) {
  std::ostringstream out;
  ProgressBar bar(out);
  bar.Finish();
  EXPECT_EQ(out.str(), "") << "no bar, no line to end";
  bar.Update(0);
  bar.Update(0);
  bar.Update(-3);
  bar.Update(50);
  bar.Update(100);
  bar.Update(120);
  bar.Finish();
  std::string expected;
  for (int32_t drawn : {0, 50, 100}) {
    expected += '\r';
    expected += RenderProgressBar(drawn);
  }
  expected += '\n';
  EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace cli
