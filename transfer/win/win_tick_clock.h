// The millisecond tick seam over GetTickCount.
#ifndef TRANSFER_WIN_WIN_TICK_CLOCK_H
#define TRANSFER_WIN_WIN_TICK_CLOCK_H

#include "platform/tick_clock.h"

namespace ostrand {

class WinTickClock : public platform::TickClock {
 public:
  uint32_t NowMs() override;
};

}  // namespace ostrand

#endif  // TRANSFER_WIN_WIN_TICK_CLOCK_H
