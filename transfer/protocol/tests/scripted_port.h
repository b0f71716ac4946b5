// A port that plays a script: every call must be the next expected step, with
// the expected bytes, count and time-out; the step says what the call answers
// and how long it takes on the fake clock. Progress callbacks are steps too, so
// their place between port calls is checked. Any unexpected, mismatched or
// missing call fails the running test.
#ifndef TRANSFER_PROTOCOL_TESTS_SCRIPTED_PORT_H
#define TRANSFER_PROTOCOL_TESTS_SCRIPTED_PORT_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <optional>
#include <string>

#include "ostrand.h"
#include "platform/tick_clock.h"
#include "portio/port_io.h"
#include "wire_bytes.h"

namespace ostrand_test {

using namespace wire_test;

// A tick clock that moves only when a test or a scripted call moves it.
class FakeClock : public platform::TickClock {
 public:
  uint32_t NowMs() override { return nowMs; }
  uint32_t nowMs = 1000;  // wraps like the real tick count
};

struct Step {
  std::string call;               // as the port describes it: "write 1B 69 46 53 in 2000"
  Bytes reply;                    // read: the bytes delivered
  bool answer = true;             // nonzero answer; for progress: go on
  std::optional<uint32_t> moved;  // default: all asked (write), all delivered (read)
  uint32_t takesMs = 0;           // the clock moves this much during the call

  // The call answers zero and moves nothing; a progress report asks to cancel.
  Step& Fails() {
    answer = false;
    moved = 0;
    return *this;
  }
  // The call answers nonzero but reports only `reported` bytes moved.
  Step& Moves(uint32_t reported) {
    moved = reported;
    return *this;
  }
  Step& Takes(uint32_t ms) {
    takesMs = ms;
    return *this;
  }
};

class ScriptedPort : public portio::PortIo {
 public:
  explicit ScriptedPort(FakeClock& clock) : clock_(clock) { current_ = this; }
  ~ScriptedPort() override { current_ = nullptr; }

  Step& ExpectOpen(const std::string& name) { return Add("open " + name); }
  Step& ExpectWrite(const Bytes& bytes, uint32_t timeoutMs) {
    return Add("write " + Hex(bytes) + " in " + std::to_string(timeoutMs));
  }
  // A read of `count` bytes that delivers `reply` (shorter means a short read).
  Step& ExpectRead(uint32_t count, uint32_t timeoutMs, const Bytes& reply) {
    Step& step = Add("read " + std::to_string(count) + " in " + std::to_string(timeoutMs));
    step.reply = reply;
    return step;
  }
  Step& ExpectPurge() { return Add("purge"); }
  Step& ExpectBegin(const std::string& name) { return Add("begin " + name + " 0 in 2000"); }
  Step& ExpectEnd() { return Add("end"); }
  Step& ExpectProgress(int32_t percent) {
    // Appended, not summed: GCC 12 misreads "literal" + std::string as an overlapping copy.
    std::string call = "progress ";
    return Add(call.append(std::to_string(percent)));
  }

  // Fails the test for every step that was never reached.
  void VerifyDone() {
    for (const Step& step : steps_) {
      ADD_FAILURE() << "expected call never came: " << step.call;
    }
    steps_.clear();
  }

  // The progress callback to hand to the library: answers from the script.
  static int32_t OSTRAND_CALL Progress(int32_t percent) {
    return current_->Take("progress " + std::to_string(percent)).answer ? 1 : 0;
  }

  bool Open(const char* printerName, void*) override {
    return Take(std::string("open ") + printerName).answer;
  }
  bool Write(const void* buffer, uint32_t count, uint32_t* written, uint32_t timeoutMs) override {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    const Step& step =
        Take("write " + Hex(Bytes(bytes, bytes + count)) + " in " + std::to_string(timeoutMs));
    *written = step.moved.value_or(count);
    return step.answer;
  }
  bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) override {
    const Step& step = Take("read " + std::to_string(count) + " in " + std::to_string(timeoutMs));
    const auto delivered = std::min<uint32_t>(count, static_cast<uint32_t>(step.reply.size()));
    if (step.answer && delivered > 0) {
      std::memcpy(buffer, step.reply.data(), delivered);
    }
    *read = step.moved.value_or(delivered);
    return step.answer;
  }
  void Purge() override { Take("purge"); }
  bool BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) override {
    return Take(std::string("begin ") + printerName + " " + std::to_string(reserved) + " in " +
                std::to_string(timeoutMs))
        .answer;
  }
  void EndTransfer() override { Take("end"); }

 private:
  Step& Add(const std::string& call) {
    steps_.emplace_back().call = call;
    return steps_.back();  // a deque keeps references valid across push_back
  }

  // Takes the next step, which must be this call; the clock moves on by the
  // step's time. A call off the script answers zero.
  const Step& Take(const std::string& call) {
    if (steps_.empty()) {
      ADD_FAILURE() << "unexpected call after the script ended: " << call;
      taken_ = Step();
      taken_.Fails();
      return taken_;
    }
    taken_ = steps_.front();
    steps_.pop_front();
    EXPECT_EQ(taken_.call, call) << "the call that came next";
    clock_.nowMs += taken_.takesMs;
    return taken_;
  }

  static inline ScriptedPort* current_ = nullptr;
  FakeClock& clock_;
  std::deque<Step> steps_;
  Step taken_;
};

}  // namespace ostrand_test

#endif  // TRANSFER_PROTOCOL_TESTS_SCRIPTED_PORT_H
