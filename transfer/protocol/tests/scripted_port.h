// A port that plays a script: every call must be the next expected step, with
// the expected bytes, count and time-out; the step says what the call answers
// and how long it takes on the fake tick count, which the port also is.
// Progress callbacks are steps too, so their place between port calls is
// checked. Any unexpected, mismatched or missing call fails the running test.
#ifndef TRANSFER_PROTOCOL_TESTS_SCRIPTED_PORT_H
#define TRANSFER_PROTOCOL_TESTS_SCRIPTED_PORT_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "ostrand.h"
#include "platform/tick_clock.h"
#include "portio/port_io.h"
#include "transfer_library.h"
#include "wire_bytes.h"

namespace ostrand_test {

using namespace wire_test;

struct Step {
  std::string call;               // as the port describes it: "write 1B 69 46 53 in 2000"
  Bytes reply;                    // read: the bytes delivered
  bool answer = true;             // nonzero answer; for progress: go on
  std::optional<uint32_t> moved;  // default: all asked (write), all delivered (read)
  uint32_t takesMs = 0;           // the tick count moves this much during the call

  // The call answers zero and moves nothing; a progress report asks to cancel.
  Step& Fails() {
    answer = false;
    moved = 0;
    return *this;
  }
  Step& Takes(uint32_t ms) {
    takesMs = ms;
    return *this;
  }
};

class ScriptedPort : public portio::PortIo, public platform::TickClock {
 public:
  ScriptedPort() { current_ = this; }
  ~ScriptedPort() override { current_ = nullptr; }

  Step& Expect(const std::string& call) {
    steps_.emplace_back().call = call;
    return steps_.back();  // a deque keeps references valid across push_back
  }
  Step& ExpectWrite(const Bytes& bytes, uint32_t timeoutMs) {
    return Expect("write " + Hex(bytes) + " in " + std::to_string(timeoutMs));
  }
  // A read of `count` bytes that delivers `reply` (shorter means a short read).
  Step& ExpectRead(uint32_t count, uint32_t timeoutMs, const Bytes& reply) {
    Step& step = Expect("read " + std::to_string(count) + " in " + std::to_string(timeoutMs));
    step.reply = reply;
    return step;
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

  uint32_t NowMs() override { return nowMs; }
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
    const auto delivered = std::min<size_t>(count, step.reply.size());
    std::copy_n(step.reply.begin(), delivered, static_cast<uint8_t*>(buffer));
    *read = step.moved.value_or(static_cast<uint32_t>(delivered));
    return step.answer;
  }
  void Purge() override { Take("purge"); }
  bool BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) override {
    return Take(std::string("begin ") + printerName + " " + std::to_string(reserved) + " in " +
                std::to_string(timeoutMs))
        .answer;
  }
  void EndTransfer() override { Take("end"); }

  uint32_t nowMs = 1000;  // wraps like the real tick count

 private:
  // Takes the next step, which must be this call; the tick count moves on by
  // the step's time. A call after the script's end answers zero.
  const Step& Take(const std::string& call) {
    if (steps_.empty()) {
      Expect("the end of the script").Fails();  // not this call
    }
    taken_ = steps_.front();
    steps_.pop_front();
    EXPECT_EQ(taken_.call, call) << "the call that came next";
    nowMs += taken_.takesMs;
    return taken_;
  }

  static inline ScriptedPort* current_ = nullptr;
  std::deque<Step> steps_;
  Step taken_;
};

// The library under test over a scripted port.
class ProtocolTest : public ::testing::Test {
 protected:
  static constexpr const char* kPrinter = "Label Printer 7";

  void TearDown() override { port_.VerifyDone(); }

  void OpenPrinter(const char* name = kPrinter) {
    port_.Expect(std::string("open ") + name);
    port_.Expect("purge");
    ASSERT_EQ(TR_OK, library_.InitPrinter(name, nullptr));
  }

  ScriptedPort port_;
  ostrand::TransferLibrary library_{port_, port_};
};

}  // namespace ostrand_test

#endif  // TRANSFER_PROTOCOL_TESTS_SCRIPTED_PORT_H
