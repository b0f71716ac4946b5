#include "transfer/win/win_tick_clock.h"

#include <windows.h>

namespace ostrand {

uint32_t WinTickClock::NowMs() {
  return GetTickCount();
}

}  // namespace ostrand
