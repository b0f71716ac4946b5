#include "link_clock.h"

#include <chrono>
#include <thread>

namespace vp {

uint64_t SteadyLinkClock::NowUs() {
  auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(since).count());
}

void SteadyLinkClock::WaitUs(uint64_t microseconds) {
  if (microseconds > 0) {
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
  }
}

}  // namespace vp
