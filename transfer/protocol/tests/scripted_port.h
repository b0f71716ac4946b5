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
#include <sstream>
#include <string>
#include <vector>

#include "fake_clock.h"
#include "ostrand.h"
#include "portio/port_io.h"

namespace ostrand_test {

using Bytes = std::vector<uint8_t>;

enum class Call { kOpen, kWrite, kRead, kPurge, kBegin, kEnd, kProgress };

struct Step {
  Call call = Call::kPurge;
  Bytes bytes;                        // write: expected; read: delivered
  uint32_t count = 0;                 // read: count asked for
  std::optional<uint32_t> timeoutMs;  // write, read, begin
  std::string name;                   // open, begin
  int32_t percent = 0;                // progress
  bool answer = true;                 // nonzero answer; for progress: go on
  std::optional<uint32_t> moved;      // count reported; default: all delivered
  uint32_t takesMs = 0;               // the clock moves this much during the call

  // The call answers zero and moves nothing.
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
  Step& Cancels() {
    answer = false;
    return *this;
  }
};

class ScriptedPort : public portio::PortIo {
 public:
  explicit ScriptedPort(FakeClock& clock) : clock_(clock) { current_ = this; }
  ~ScriptedPort() override { current_ = nullptr; }

  Step& ExpectOpen(const std::string& name) {
    Step& step = Add(Call::kOpen);
    step.name = name;
    return step;
  }
  Step& ExpectWrite(const Bytes& bytes, uint32_t timeoutMs) {
    Step& step = Add(Call::kWrite);
    step.bytes = bytes;
    step.timeoutMs = timeoutMs;
    return step;
  }
  // A read of `count` bytes that delivers `reply` (shorter means a short read).
  Step& ExpectRead(uint32_t count, uint32_t timeoutMs, const Bytes& reply) {
    Step& step = Add(Call::kRead);
    step.count = count;
    step.timeoutMs = timeoutMs;
    step.bytes = reply;
    return step;
  }
  Step& ExpectPurge() { return Add(Call::kPurge); }
  Step& ExpectBegin(const std::string& name) {
    Step& step = Add(Call::kBegin);
    step.name = name;
    step.timeoutMs = 2000;
    return step;
  }
  Step& ExpectEnd() { return Add(Call::kEnd); }
  Step& ExpectProgress(int32_t percent) {
    Step& step = Add(Call::kProgress);
    step.percent = percent;
    return step;
  }

  // Fails the test for every step that was never reached.
  void VerifyDone() {
    for (const Step& step : steps_) {
      ADD_FAILURE() << "expected call never came: " << Describe(step);
    }
    steps_.clear();
  }

  const void* LastOpenBlock() const { return lastOpenBlock_; }

  // The progress callback to hand to the library: answers from the script.
  static int32_t OSTRAND_CALL Progress(int32_t percent) {
    if (current_ == nullptr) {
      ADD_FAILURE() << "progress callback without a scripted port";
      return 0;
    }
    const Step* step = current_->Next(Call::kProgress, "progress " + std::to_string(percent));
    if (step == nullptr) {
      return 0;
    }
    EXPECT_EQ(step->percent, percent) << "progress percentage";
    return current_->Finish(*step) ? 1 : 0;
  }

  bool Open(const char* printerName, void* openBlock) override {
    lastOpenBlock_ = openBlock;
    const Step* step = Next(Call::kOpen, std::string("open ") + printerName);
    if (step == nullptr) {
      return false;
    }
    EXPECT_EQ(step->name, printerName) << "name given to open";
    return Finish(*step);
  }

  bool Write(const void* buffer, uint32_t count, uint32_t* written, uint32_t timeoutMs) override {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    const Bytes sent(bytes, bytes + count);
    const Step* step = Next(Call::kWrite, "write " + Hex(sent));
    if (step == nullptr) {
      return false;
    }
    EXPECT_EQ(Hex(step->bytes), Hex(sent)) << "bytes written";
    EXPECT_EQ(*step->timeoutMs, timeoutMs) << "write time-out of " << Hex(sent);
    *written = step->moved.value_or(count);
    return Finish(*step);
  }

  bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) override {
    const Step* step = Next(Call::kRead, "read " + std::to_string(count));
    if (step == nullptr) {
      return false;
    }
    EXPECT_EQ(step->count, count) << "bytes asked for";
    EXPECT_EQ(*step->timeoutMs, timeoutMs) << "read time-out of " << count << " bytes";
    const uint32_t delivered = std::min<uint32_t>(count, static_cast<uint32_t>(step->bytes.size()));
    if (step->answer && delivered > 0) {
      std::memcpy(buffer, step->bytes.data(), delivered);
    }
    *read = step->moved.value_or(delivered);
    return Finish(*step);
  }

  void Purge() override {
    if (const Step* step = Next(Call::kPurge, "purge")) {
      Finish(*step);
    }
  }

  bool BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) override {
    const Step* step = Next(Call::kBegin, std::string("begin ") + printerName);
    if (step == nullptr) {
      return false;
    }
    EXPECT_EQ(step->name, printerName) << "name given to begin transfer";
    EXPECT_EQ(0u, reserved);
    EXPECT_EQ(*step->timeoutMs, timeoutMs) << "begin transfer time-out";
    return Finish(*step);
  }

  void EndTransfer() override {
    if (const Step* step = Next(Call::kEnd, "end transfer")) {
      Finish(*step);
    }
  }

  static std::string Hex(const Bytes& bytes) {
    std::ostringstream out;
    for (size_t i = 0; i < bytes.size(); ++i) {
      static const char kDigits[] = "0123456789ABCDEF";
      out << (i == 0 ? "" : " ") << kDigits[bytes[i] >> 4] << kDigits[bytes[i] & 0xF];
    }
    return out.str();
  }

 private:
  Step& Add(Call call) {
    steps_.push_back(Step{});
    steps_.back().call = call;
    return steps_.back();  // a deque keeps references valid across push_back
  }

  // Takes the next step if it is a call of this kind; else fails the test.
  const Step* Next(Call call, const std::string& what) {
    if (steps_.empty()) {
      ADD_FAILURE() << "unexpected call after the script ended: " << what;
      return nullptr;
    }
    taken_ = steps_.front();
    steps_.pop_front();
    if (taken_.call != call) {
      ADD_FAILURE() << "expected " << Describe(taken_) << ", got " << what;
      return nullptr;
    }
    return &taken_;
  }

  bool Finish(const Step& step) {
    clock_.Advance(step.takesMs);
    return step.answer;
  }

  static std::string Describe(const Step& step) {
    switch (step.call) {
      case Call::kOpen:
        return "open " + step.name;
      case Call::kWrite:
        return "write " + Hex(step.bytes);
      case Call::kRead:
        return "read " + std::to_string(step.count);
      case Call::kPurge:
        return "purge";
      case Call::kBegin:
        return "begin " + step.name;
      case Call::kEnd:
        return "end transfer";
      case Call::kProgress:
        return "progress " + std::to_string(step.percent);
    }
    return "?";
  }

  static inline ScriptedPort* current_ = nullptr;
  FakeClock& clock_;
  std::deque<Step> steps_;
  Step taken_{};
  const void* lastOpenBlock_ = nullptr;
};

}  // namespace ostrand_test

#endif  // TRANSFER_PROTOCOL_TESTS_SCRIPTED_PORT_H
