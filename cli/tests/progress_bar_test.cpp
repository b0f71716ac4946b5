// The text progress bar: its drawing, redrawn on a console and logged to a file.
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
  ProgressBar bar(out, BarStyle::kRedrawn);
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

TEST(ProgressBarTest, ALogGetsALineAtTheStartAndAtEachFurtherTenth) {
  std::ostringstream out;
  ProgressBar bar(out, BarStyle::kLogged);
  for (int32_t percent : {0, 0, 4, 13, 19, 20, 99, 100, 100}) {
    bar.Update(percent);
  }
  bar.Finish();
  std::string expected;
  for (int32_t drawn : {0, 13, 20, 99, 100}) {
    expected += RenderProgressBar(drawn) + '\n';
  }
  EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace cli
