// The progress of one update run, shared by the update run, the progress
// dialog, the transfer worker and the progress callback. The worker and the
// callback run on the worker thread; only the cancel request crosses from the
// GUI thread while the worker runs.
#ifndef TOOL_TRANSFER_TRANSFER_PROGRESS_H
#define TOOL_TRANSFER_TRANSFER_PROGRESS_H

#include <atomic>
#include <cstdint>
#include <string>

namespace vexlow {

struct TransferProgress {
  // Payload bytes of the whole run, the divisor of the percentage. Set by the
  // update run before the worker starts.
  uint32_t totalBytes = 0;
  // Payload bytes of the packages already sent completely in this run.
  uint32_t bytesDone = 0;
  // Payload size and base name of the package being sent.
  uint32_t currentFileBytes = 0;
  std::string currentFileName;
  // Whether the Cancel button is enabled for the package being sent. Kept
  // from run to run; the worker sets it before each package.
  bool cancelAllowed = true;
  // Set by the dialog's Cancel command on the GUI thread; the callback, on
  // the worker thread, answers the next call with 0.
  std::atomic<bool> cancelRequested{false};

  // What a new progress dialog starts from; cancelAllowed stays.
  void ClearForDialog() {
    totalBytes = 0;
    bytesDone = 0;
    currentFileBytes = 0;
    currentFileName.clear();
    cancelRequested = false;
  }
};

}  // namespace vexlow

#endif  // TOOL_TRANSFER_TRANSFER_PROGRESS_H
