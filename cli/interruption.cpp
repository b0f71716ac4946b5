#include "interruption.h"

namespace cli {

Interruption::Answer Interruption::Request() {
  const std::lock_guard lock(mutex_);
  // From here on no change begins: the process may end before it could.
  requested_.store(true);
  if (!changing_) {
    return Answer::kEndNow;
  }
  if (transfer_ != nullptr) {
    transfer_->RequestStop();
  }
  return Answer::kKept;
}

bool Interruption::BeginChange() {
  const std::lock_guard lock(mutex_);
  if (requested_.load()) {
    return false;
  }
  changing_ = true;
  return true;
}

bool Interruption::EndChange() {
  const std::lock_guard lock(mutex_);
  changing_ = false;
  transfer_ = nullptr;
  return requested_.load();
}

void Interruption::SetTransfer(TransferStop* transfer) {
  const std::lock_guard lock(mutex_);
  transfer_ = transfer;
}

void Interruption::Reset() {
  const std::lock_guard lock(mutex_);
  requested_.store(false);
  changing_ = false;
  transfer_ = nullptr;
}

}  // namespace cli
