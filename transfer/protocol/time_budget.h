// A caller's time budget on the 32-bit millisecond tick. The deadline is
// start + time-out; the time left is a signed 32-bit tick difference, so the
// budget holds across a wrap of the tick count. A time-out of 2^31 ms or more
// leaves no time at all: its deadline already lies behind the start.
// The elapsed time is added up from one reading to the next and stops at the
// largest signed 32-bit count: a signed difference from the start would turn
// negative once a time-out close to 2^31 ms has passed, and the exchange would
// then never see its limit reached.
#ifndef TRANSFER_PROTOCOL_TIME_BUDGET_H
#define TRANSFER_PROTOCOL_TIME_BUDGET_H

#include <cstdint>
#include <limits>

#include "platform/tick_clock.h"

namespace ostrand::detail {

class TimeBudget {
 public:
  // Takes the start tick now.
  TimeBudget(platform::TickClock& clock, uint32_t timeoutMs)
      : clock_(clock), last_(clock.NowMs()), deadline_(last_ + timeoutMs) {}

  // Time left before the deadline; 0 or less once it has passed.
  int32_t Remaining() const { return platform::TickDiff(deadline_, clock_.NowMs()); }
  int32_t Elapsed() const {
    const uint32_t now = clock_.NowMs();
    elapsed_ += static_cast<uint32_t>(now - last_);
    last_ = now;
    constexpr uint64_t kLargest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(elapsed_ < kLargest ? elapsed_ : kLargest);
  }

 private:
  platform::TickClock& clock_;
  mutable uint32_t last_;  // the tick of the latest reading, the start at first
  uint32_t deadline_;
  mutable uint64_t elapsed_ = 0;
};

}  // namespace ostrand::detail

#endif  // TRANSFER_PROTOCOL_TIME_BUDGET_H
