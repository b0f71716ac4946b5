// The progress dialog's part on the console: runs the transfer worker on the
// calling thread with the progress bar, stops it on an interrupt as the tool's
// Cancel button would (only while the tool allows it), and then leaves the
// printer the tool's pause to store the update.
#ifndef CLI_CONSOLE_TRANSFER_H
#define CLI_CONSOLE_TRANSFER_H

#include <atomic>
#include <cstdint>
#include <ostream>
#include <string>

#include "core/progress_session.h"
#include "interruption.h"
#include "platform/tick_clock.h"
#include "progress_bar.h"

namespace cli {

class ConsoleTransfer : public vexlow::ProgressDialogRunner,
                        public vexlow::ProgressView,
                        public TransferStop {
 public:
  // bar is null for no bar. The interruption is in a change (the update's)
  // when Run is called; Run ends it once the worker has returned.
  ConsoleTransfer(std::ostream& out, ProgressBar* bar, Interruption& interruption,
                  platform::TickClock& clock)
      : out_(out), bar_(bar), interruption_(interruption), clock_(clock) {}

  vexlow::ProgressOutcome Run(vexlow::ProgressSession& session) override;

  void SetFileText(const std::string& /*text*/) override {}
  void SetPercent(int percent, const std::string& text) override;
  void SetCancelEnabled(bool enabled) override;
  bool IsOperatingWindowShown() const override { return storing_; }
  void ShowOperatingWindow() override { storing_ = true; }

  // From the console's control thread.
  void RequestStop() override;

  // An interrupt came while the tool would not let the transfer be cancelled.
  bool StopRefused() const { return stopAsked_ && !stopped_; }
  // The pause after the transfer was waited out.
  bool Paused() const { return paused_; }

 private:
  std::ostream& out_;
  ProgressBar* bar_;
  Interruption& interruption_;
  platform::TickClock& clock_;
  vexlow::ProgressSession* session_ = nullptr;
  std::atomic<bool> cancelEnabled_{false};
  std::atomic<bool> stopAsked_{false};
  std::atomic<bool> stopped_{false};
  bool storing_ = false;
  bool paused_ = false;
};

// Waits until `milliseconds` have passed on the clock.
void WaitOut(platform::TickClock& clock, uint32_t milliseconds);

}  // namespace cli

#endif  // CLI_CONSOLE_TRANSFER_H
