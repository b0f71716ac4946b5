// Ctrl+C at each moment of a command: what the handler may do, and what the
// command then does.
#include "cli/interruption.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cli {
namespace {

struct StopCount : TransferStop {
  void RequestStop() override { ++stops; }
  int stops = 0;
};

TEST(InterruptionTest, EndsAtOnceOnlyWhileNothingChanges) {
  using Answer = Interruption::Answer;
  struct Case {
    const char* when;
    std::vector<std::string> steps;  // before the request
    Answer answer;
    int transferStops;
  };
  const Case cases[] = {
      {"before any change", {}, Answer::kEndNow, 0},
      {"during a change", {"begin"}, Answer::kKept, 0},
      {"during a transfer", {"begin", "transfer"}, Answer::kKept, 1},
      {"after a change", {"begin", "transfer", "end"}, Answer::kEndNow, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    Interruption interruption;
    StopCount transfer;
    for (const std::string& step : c.steps) {
      if (step == "begin") {
        EXPECT_TRUE(interruption.BeginChange());
      } else if (step == "transfer") {
        interruption.SetTransfer(&transfer);
      } else {
        EXPECT_FALSE(interruption.EndChange());
      }
    }
    EXPECT_EQ(interruption.Request(), c.answer);
    EXPECT_EQ(transfer.stops, c.transferStops);
    EXPECT_TRUE(interruption.EndChange()) << "the command learns of the request";
    EXPECT_FALSE(interruption.BeginChange()) << "no change begins after a request";
    interruption.Reset();
    EXPECT_TRUE(interruption.BeginChange()) << "a new command starts without it";
  }
}

}  // namespace
}  // namespace cli
