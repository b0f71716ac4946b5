// A tick clock that moves only when a test (or a scripted port call) moves it.
#ifndef TRANSFER_PROTOCOL_TESTS_FAKE_CLOCK_H
#define TRANSFER_PROTOCOL_TESTS_FAKE_CLOCK_H

#include <cstdint>

#include "platform/tick_clock.h"

namespace ostrand_test {

class FakeClock : public platform::TickClock {
 public:
  explicit FakeClock(uint32_t startMs = 1000) : nowMs_(startMs) {}

  uint32_t NowMs() override { return nowMs_; }
  void Set(uint32_t nowMs) { nowMs_ = nowMs; }
  void Advance(uint32_t ms) { nowMs_ += ms; }  // wraps like the real tick count

 private:
  uint32_t nowMs_;
};

}  // namespace ostrand_test

#endif  // TRANSFER_PROTOCOL_TESTS_FAKE_CLOCK_H
