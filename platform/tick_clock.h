// The millisecond tick seam. Windows answers GetTickCount; it wraps around after
// about 49.7 days, so callers compare ticks by signed 32-bit differences only.
#ifndef PLATFORM_TICK_CLOCK_H
#define PLATFORM_TICK_CLOCK_H

#include <cstdint>

namespace platform {

class TickClock {
 public:
  virtual ~TickClock() = default;
  virtual uint32_t NowMs() = 0;
};

// Signed 32-bit difference later - earlier, right across a wrap of the tick count.
inline int32_t TickDiff(uint32_t later, uint32_t earlier) {
  return static_cast<int32_t>(later - earlier);
}

}  // namespace platform

#endif  // PLATFORM_TICK_CLOCK_H
