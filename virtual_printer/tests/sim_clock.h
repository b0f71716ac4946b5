// Simulated time shared by the virtual printer and the host under test: the
// printer's waits move it, the host's tick count reads it, nothing sleeps.
#ifndef VIRTUAL_PRINTER_TESTS_SIM_CLOCK_H
#define VIRTUAL_PRINTER_TESTS_SIM_CLOCK_H

#include <cstdint>

#include "platform/tick_clock.h"
#include "virtual_printer/core/link_clock.h"

namespace vp_test {

class SimClock final : public vp::LinkClock, public platform::TickClock {
 public:
  uint64_t NowUs() override { return nowUs_; }
  void WaitUs(uint64_t microseconds) override { nowUs_ += microseconds; }
  uint32_t NowMs() override { return static_cast<uint32_t>(nowUs_ / 1000); }

 private:
  uint64_t nowUs_ = 5'000'000;
};

}  // namespace vp_test

#endif  // VIRTUAL_PRINTER_TESTS_SIM_CLOCK_H
