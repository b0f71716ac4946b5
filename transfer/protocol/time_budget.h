// A caller's time budget on the 32-bit millisecond tick. The deadline is
// start + time-out; every comparison is a signed 32-bit tick difference, so the
// budget holds across a wrap of the tick count. A time-out of 2^31 ms or more
// leaves no time at all: its deadline already lies behind the start.
#ifndef TRANSFER_PROTOCOL_TIME_BUDGET_H
#define TRANSFER_PROTOCOL_TIME_BUDGET_H

#include <cstdint>

#include "platform/tick_clock.h"

namespace ostrand::detail {

class TimeBudget {
 public:
  // Takes the start tick now.
  TimeBudget(platform::TickClock& clock, uint32_t timeoutMs)
      : clock_(clock), start_(clock.NowMs()), deadline_(start_ + timeoutMs) {}

  // Time left before the deadline; 0 or less once it has passed.
  int32_t Remaining() const { return platform::TickDiff(deadline_, clock_.NowMs()); }
  int32_t Elapsed() const { return platform::TickDiff(clock_.NowMs(), start_); }

 private:
  platform::TickClock& clock_;
  uint32_t start_;
  uint32_t deadline_;
};

}  // namespace ostrand::detail

#endif  // TRANSFER_PROTOCOL_TIME_BUDGET_H
