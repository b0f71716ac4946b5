// The portable half of the progress dialog: what its initialisation, its OK
// and Cancel commands and its worker thread do, and the progress callback
// that TRSendFile calls after every chunk. The Windows dialog implements
// ProgressView and ProgressDialogRunner and calls into one ProgressSession.
#ifndef TOOL_APP_CORE_PROGRESS_SESSION_H
#define TOOL_APP_CORE_PROGRESS_SESSION_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "ostrand.h"
#include "tool/transfer/transfer_progress.h"

namespace vexlow {

// The progress dialog's windows as the callback changes them. The session
// calls each only when what it shows changes: on Windows every call is a
// synchronous window message from the worker thread, dearer than a port call.
class ProgressView {
 public:
  virtual ~ProgressView() = default;
  // The file text (control 2311). Texts are UTF-8.
  virtual void SetFileText(const std::string& text) = 0;
  // The bar's position, 0 to 100 (control 2310), and the percentage text
  // (control 2312).
  virtual void SetPercent(int percent, const std::string& text) = 0;
  // The Cancel button's enabled state; the Escape key follows it.
  virtual void SetCancelEnabled(bool enabled) = 0;
  // True while the operating window exists and is visible. Asked on every
  // report, so it must be cheap (no window message).
  virtual bool IsOperatingWindowShown() const = 0;
  // Hides the progress dialog and shows the operating window, if it exists.
  virtual void ShowOperatingWindow() = 0;
};

// One progress dialog's run: from the update run's construction of the dialog
// to the dialog's end. While it exists it is the target of ProgressCallback;
// only one exists at a time.
class ProgressSession {
 public:
  // Clears the record for a new dialog (cancelAllowed stays).
  // transferringFormat is string 1710, the format of the file text.
  ProgressSession(TransferProgress& progress, std::string transferringFormat);
  ~ProgressSession();
  ProgressSession(const ProgressSession&) = delete;
  ProgressSession& operator=(const ProgressSession&) = delete;

  TransferProgress& Progress() { return progress_; }
  // The work the dialog's thread runs; set by the update run before the dialog.
  void SetWorker(std::function<int32_t()> worker) { worker_ = std::move(worker); }

  // Dialog initialisation on the GUI thread, once the view's windows exist:
  // clears a cancel request, attaches the view and shows the starting state
  // (file text, 0 %, the Cancel button's state).
  void Start(ProgressView& view);
  // The body of the dialog's worker thread: runs the worker, then marks it
  // finished; the thread then posts OK to the dialog. The worker's result.
  int32_t RunWorker();
  // True once the worker has returned. Only then may an OK command end the
  // dialog: the dialog manager also issues OK for the Enter key.
  bool WorkerFinished() const { return workerFinished_; }
  // The Cancel command: the next report answers 0, until 100 % is reached.
  void RequestCancel() { progress_.cancelRequested = true; }

  // One report of the percentage of the current file (0 to 100): updates what
  // changed and answers nonzero to go on, 0 to stop. 0 as well while no view
  // is attached, when the run has no bytes, or for a percentage out of range.
  // From 100 % of the run on the operating window is shown and every report
  // answers 1 without touching anything.
  int32_t Report(int32_t percent);

 private:
  // What the view shows now; empty until the first report sets it.
  struct Shown {
    std::optional<std::string> fileName;  // currentFileName the file text was built from
    std::optional<int> percent;
    std::optional<bool> cancelEnabled;
    bool operatingWindow = false;
  };

  void ShowFileName();

  TransferProgress& progress_;
  std::string transferringFormat_;
  std::function<int32_t()> worker_;
  ProgressView* view_ = nullptr;
  Shown shown_;
  std::atomic<bool> workerFinished_{false};
};

// The callback handed to TRSendFile: reports to the session in progress, and
// answers 0 (stop) when there is none.
int32_t OSTRAND_CALL ProgressCallback(int32_t percent);

// How long the printer is left alone once the transfer has reached 100 %,
// while it stores the update: the operating window's pause.
inline constexpr uint32_t kOperatingWindowPauseMs = 12000;

// How the progress dialog ended.
enum class ProgressOutcome {
  Finished,    // the worker ran and returned
  NotStarted,  // the dialog or its worker thread could not be started
};

class ProgressDialogRunner {
 public:
  virtual ~ProgressDialogRunner() = default;
  // Runs the progress dialog modally over the main window for the session:
  // Start, then RunWorker on a thread of its own, then the dialog's end (after
  // the operating window's pause). Returns only after the worker has returned,
  // or at once with NotStarted.
  virtual ProgressOutcome Run(ProgressSession& session) = 0;
};

}  // namespace vexlow

#endif  // TOOL_APP_CORE_PROGRESS_SESSION_H
