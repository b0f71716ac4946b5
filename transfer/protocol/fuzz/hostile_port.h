// A printer at the far end of the port that answers as the fuzz input says:
// any call may fail, come up short, report a count it did not move, or take
// any time up to its own time-out; a read delivers what the input says, its
// status blocks shaped well enough to drive an exchange. Once the input is
// used up the link is gone: every call fails at once.
// Time is a fake clock that only the port's calls move. Every call, and every
// progress report, goes into the journal with the true time it began and ended.
#ifndef TRANSFER_PROTOCOL_FUZZ_HOSTILE_PORT_H
#define TRANSFER_PROTOCOL_FUZZ_HOSTILE_PORT_H

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/tick_clock.h"
#include "portio/port_io.h"

namespace ostrand_fuzz {

// The tick count the library reads: true time in 64 bits, seen from any start
// tick, wrapping as the real one does.
class FuzzClock : public platform::TickClock {
 public:
  explicit FuzzClock(uint32_t startTick) : startTick_(startTick) {}
  uint32_t NowMs() override { return startTick_ + static_cast<uint32_t>(nowMs_); }
  uint64_t TrueMs() const { return nowMs_; }
  void Advance(uint64_t ms) { nowMs_ += ms; }

 private:
  uint32_t startTick_;
  uint64_t nowMs_ = 0;
};

struct PortEvent {
  enum class Kind { kOpen, kPurge, kBegin, kEnd, kWrite, kRead, kProgress };

  Kind kind = Kind::kPurge;
  uint64_t startMs = 0;  // true time
  uint64_t endMs = 0;
  uint32_t count = 0;  // bytes asked to move
  uint32_t timeoutMs = 0;
  bool answered = false;       // the port's nonzero answer; progress: the callback's "go on"
  uint32_t reported = 0;       // the count the port reported moved
  std::vector<uint8_t> bytes;  // write: the bytes given; read: the bytes delivered
  std::string name;            // open, begin
  int32_t percent = 0;         // progress

  bool Complete() const { return answered && reported == count; }
  bool Is(Kind k) const { return kind == k; }
};

using Journal = std::vector<PortEvent>;

// The journal as lines, for the report of a broken rule.
std::string Describe(const Journal& journal);

class HostilePort : public portio::PortIo {
 public:
  HostilePort(fuzz::FuzzInput& input, FuzzClock& clock, Journal& journal)
      : input_(input), clock_(clock), journal_(journal) {}

  bool Open(const char* printerName, void* openBlock) override;
  bool Write(const void* buffer, uint32_t count, uint32_t* written, uint32_t timeoutMs) override;
  bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) override;
  void Purge() override;
  bool BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) override;
  void EndTransfer() override;

 private:
  // How one call goes, as the input says.
  struct Behaviour {
    enum class Outcome { kComplete, kFails, kShort, kOverstated } outcome;
    uint64_t delayMs;
  };
  Behaviour Next(uint32_t timeoutMs);
  // The count a call of this outcome reports for count bytes asked.
  uint32_t Reported(const Behaviour& how, uint32_t count);
  // What a read of count bytes delivers before the count is reported.
  std::vector<uint8_t> Reply(uint32_t count);
  PortEvent& Record(PortEvent::Kind kind, uint32_t timeoutMs, const Behaviour& how);

  fuzz::FuzzInput& input_;
  FuzzClock& clock_;
  Journal& journal_;
};

}  // namespace ostrand_fuzz

#endif  // TRANSFER_PROTOCOL_FUZZ_HOSTILE_PORT_H
