#include "console_transfer.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace cli {

namespace {

// The longest single sleep of a wait: the clock decides when it ends.
constexpr int32_t kWaitStepMs = 250;

}  // namespace

vexlow::ProgressOutcome ConsoleTransfer::Run(vexlow::ProgressSession& session) {
  session_ = &session;
  session.Start(*this);
  interruption_.SetTransfer(this);
  session.RunWorker();
  if (bar_ != nullptr) {
    bar_->Finish();
  }
  // The mode command and the transfer are over; the pause changes nothing, so
  // an interrupt may end it at once. One that came already skips it.
  const bool interrupted = interruption_.EndChange();
  session_ = nullptr;
  if (storing_ && !interrupted) {
    out_ << "The printer is storing the update: waiting " << vexlow::kOperatingWindowPauseMs / 1000
         << " seconds, as the update tool does.\n"
         << std::flush;
    WaitOut(clock_, vexlow::kOperatingWindowPauseMs);
    paused_ = true;
  }
  return vexlow::ProgressOutcome::Finished;
}

void ConsoleTransfer::SetPercent(int percent, const std::string& /*text*/) {
  if (bar_ != nullptr) {
    bar_->Update(percent);
  }
}

void ConsoleTransfer::SetCancelEnabled(bool enabled) {
  cancelEnabled_.store(enabled);
  if (enabled && stopAsked_.load()) {
    RequestStop();
  }
}

void ConsoleTransfer::RequestStop() {
  stopAsked_.store(true);
  // Where the tool's Cancel button is disabled, the request is only noted.
  if (cancelEnabled_.load() && session_ != nullptr) {
    session_->RequestCancel();
    stopped_.store(true);
  }
}

void WaitOut(platform::TickClock& clock, uint32_t milliseconds) {
  const uint32_t start = clock.NowMs();
  for (;;) {
    const int32_t waited = platform::TickDiff(clock.NowMs(), start);
    if (waited < 0 || static_cast<uint32_t>(waited) >= milliseconds) {
      return;
    }
    const int32_t left = static_cast<int32_t>(milliseconds) - waited;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(left, kWaitStepMs)));
  }
}

}  // namespace cli
