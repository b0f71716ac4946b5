// The progress callback as TRSendFile calls it: what the dialog's windows are
// told, and what the transfer is answered.
#include "core/progress_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexlow::testing {
namespace {

// Keeps every window update as one line.
class RecordingView : public ProgressView {
 public:
  void SetFileText(const std::string& text) override { updates.push_back("file " + text); }
  void SetPercent(int percent, const std::string& text) override {
    updates.push_back("bar " + std::to_string(percent) + ", text " + text);
  }
  void SetCancelEnabled(bool enabled) override {
    updates.push_back(enabled ? "cancel on" : "cancel off");
  }
  bool IsOperatingWindowShown() const override { return operatingShown; }
  void ShowOperatingWindow() override {
    updates.push_back("operating window");
    operatingShown = operatingExists;
  }

  std::vector<std::string> updates;
  bool operatingExists = true;
  bool operatingShown = false;
};

using Updates = std::vector<std::string>;

struct StartedRun {
  explicit StartedRun(uint32_t totalBytes, uint32_t fileBytes = 0) {
    session.Progress().totalBytes = totalBytes;
    session.Progress().currentFileBytes = fileBytes == 0 ? totalBytes : fileBytes;
    session.Start(view);
    view.updates.clear();
  }
  TransferProgress progress;
  ProgressSession session{progress, "Transferring %s"};
  RecordingView view;
};

// The run's percentage: bytes of earlier packages plus the share of this one,
// truncated at each division, and never wrapped for large packages. A report
// out of range, or in a run of no bytes, stops the transfer without an update.
TEST(ProgressCallbackTest, ShowsThePercentageOfTheWholeRun) {
  struct Case {
    uint32_t totalBytes, fileBytes, bytesDone;
    int32_t percent;
    Updates shown;
    int32_t answer = 1;
  };
  const Case cases[] = {
      {999, 999, 0, 33, {"bar 32, text 32 %"}},
      {3000, 2000, 1000, 50, {"bar 66, text 66 %"}},
      {100'000'000, 100'000'000, 0, 50, {"bar 50, text 50 %"}},
      {4'000'000'000u, 2'000'000'000u, 2'000'000'000u, 99, {"bar 99, text 99 %"}},
      {1000, 1000, 0, 101, {}, 0},
      {1000, 1000, 0, -1, {}, 0},
      {0, 0, 0, 10, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.totalBytes) + " at " + std::to_string(c.percent));
    StartedRun run(c.totalBytes, c.fileBytes);
    run.progress.bytesDone = c.bytesDone;
    EXPECT_EQ(ProgressCallback(c.percent), c.answer);
    EXPECT_EQ(run.view.updates, c.shown);
  }
  // Without a session, or before its dialog has started, there is nothing to tell.
  EXPECT_EQ(ProgressCallback(10), 0);
  TransferProgress progress;
  ProgressSession session(progress, "");
  EXPECT_EQ(ProgressCallback(10), 0);
}

// The first report shows the starting state; an unchanged value sends nothing,
// and each change sends only what changed.
TEST(ProgressCallbackTest, UpdatesOnlyWhatChanged) {
  TransferProgress progress;
  progress.cancelAllowed = false;
  ProgressSession session(progress, "Transferring %s");
  progress.totalBytes = progress.currentFileBytes = 2000;
  progress.currentFileName = std::string(40, 'n');
  RecordingView view;
  session.Start(view);
  const std::string cut = "file Transferring " + std::string(32, 'n') + "...";
  EXPECT_EQ(view.updates, (Updates{"cancel off", cut, "bar 0, text 0 %"}));
  view.updates.clear();
  ProgressCallback(0);
  EXPECT_TRUE(view.updates.empty());

  progress.currentFileName = std::string(32, 'n');
  ProgressCallback(2);
  progress.currentFileName = std::string(40, 'x');
  progress.cancelAllowed = true;
  ProgressCallback(2);
  ProgressCallback(3);
  EXPECT_EQ(view.updates,
            (Updates{"file Transferring " + std::string(32, 'n'), "bar 2, text 2 %", "cancel on",
                     "file Transferring " + std::string(32, 'x') + "...", "bar 3, text 3 %"}));
}

// A cancel request stops the transfer until the switch to the operating
// window at 100 %; from then on every report goes on, unless there is no
// operating window: the progress dialog is then hidden once and the reports
// go on as before.
TEST(ProgressCallbackTest, ACancelRequestStopsTheTransferUntilTheSwitchAt100) {
  for (bool operatingExists : {true, false}) {
    SCOPED_TRACE(operatingExists);
    StartedRun run(1000);
    run.view.operatingExists = operatingExists;
    EXPECT_EQ(ProgressCallback(40), 1);
    run.session.RequestCancel();
    EXPECT_EQ(ProgressCallback(50), 0);
    EXPECT_EQ(ProgressCallback(100), 0);  // the switch happens, this answer still stops
    run.progress.cancelAllowed = false;
    EXPECT_EQ(ProgressCallback(100), operatingExists ? 1 : 0);
    EXPECT_EQ(ProgressCallback(-1), 0);
    Updates expected = {"bar 40, text 40 %", "bar 50, text 50 %", "bar 100, text 100 %",
                        "operating window"};
    if (!operatingExists) {
      expected.push_back("cancel off");
    }
    EXPECT_EQ(run.view.updates, expected);
  }
}

}  // namespace
}  // namespace vexlow::testing
