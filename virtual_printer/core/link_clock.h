// Time as the virtual link sees it. Delays (a late status reply, a slow link, a
// read that waits out its time-out) go through WaitUs, so tests can run them on
// a simulated clock that never sleeps while the real DLL really waits.
#ifndef VIRTUAL_PRINTER_CORE_LINK_CLOCK_H
#define VIRTUAL_PRINTER_CORE_LINK_CLOCK_H

#include <cstdint>

namespace vp {

class LinkClock {
 public:
  virtual ~LinkClock() = default;
  virtual uint64_t NowUs() = 0;
  virtual void WaitUs(uint64_t microseconds) = 0;
};

// The machine's monotonic clock; waits sleep the calling thread.
class SteadyLinkClock final : public LinkClock {
 public:
  uint64_t NowUs() override;
  void WaitUs(uint64_t microseconds) override;
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_LINK_CLOCK_H
