// The transfer library against a hostile printer. The input scripts the port
// and the calls: any port call may fail, come up short, report a count it did
// not move, or take any time up to its own time-out; a read delivers what the
// input says, its status blocks shaped well enough to drive an exchange. Once
// the input is used up the link is gone. The sanitizers watch every buffer of
// the caller, each exactly its size; the checks below hold what no exchange
// may break, whatever the printer answers.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "transfer/protocol/tests/wire_bytes.h"
#include "transfer_library.h"

namespace {

// The tick count the library reads, from any start tick and wrapping as the
// real one does; only the port's calls move it.
class FuzzClock : public platform::TickClock {
 public:
  explicit FuzzClock(uint32_t startTick) : startTick_(startTick) {}
  uint32_t NowMs() override { return startTick_ + static_cast<uint32_t>(trueMs); }
  uint64_t trueMs = 0;

 private:
  uint32_t startTick_;
};

class HostilePort : public portio::PortIo {
 public:
  HostilePort(fuzz::FuzzInput& input, FuzzClock& clock) : input_(input), clock_(clock) {}

  bool inTransfer = false;  // between a begun transfer and its end

  bool Open(const char*, void*) override { return Answer(0); }
  bool Write(const void*, uint32_t count, uint32_t* written, uint32_t timeoutMs) override {
    FUZZ_CHECK(count <= TR_MAX_CHUNK, "no write is longer than a chunk");
    const bool answered = Answer(timeoutMs);
    *written = Reported(answered, count);
    return answered;
  }
  bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) override {
    FUZZ_CHECK(!inTransfer || count <= TR_MAX_CHUNK, "no chunk read is longer than 200 bytes");
    const bool answered = Answer(timeoutMs);
    *read = Reported(answered, count);
    // A port puts no more than it was asked for into the buffer.
    const uint32_t delivered = std::min(*read, count);
    if (count > TR_MAX_CHUNK) {
      std::memset(buffer, 0x5A, delivered);  // a list of entries
    } else {
      const wire_test::Bytes reply = Reply(count);
      std::copy_n(reply.begin(), delivered, static_cast<uint8_t*>(buffer));
    }
    return answered;
  }
  void Purge() override {}
  bool BeginTransfer(const char*, uint32_t, uint32_t timeoutMs) override {
    FUZZ_CHECK(!inTransfer, "a transfer is not begun twice");
    inTransfer = Answer(timeoutMs);
    return inTransfer;
  }
  void EndTransfer() override {
    FUZZ_CHECK(inTransfer, "only a begun transfer is ended");
    inTransfer = false;
  }

 private:
  // Whether the call answers nonzero; takes its time on the clock.
  bool Answer(uint32_t timeoutMs) {
    if (input_.Empty()) {
      outcome_ = 5;  // the link is gone
      return false;
    }
    const uint8_t how = input_.U8();
    outcome_ = how & 7;
    const uint32_t delay = (how >> 3) & 3;
    clock_.trueMs += delay == 1   ? std::min<uint32_t>(input_.InRange(1, 50), timeoutMs)
                     : delay == 2 ? timeoutMs
                     : delay == 3 ? input_.InRange(0, timeoutMs)
                                  : 0;
    return outcome_ != 5;
  }
  // The count reported moved: all, any (failed), fewer (short) or more (overstated).
  uint32_t Reported(bool answered, uint32_t count) {
    if (!answered) {
      return input_.InRange(0, count);
    }
    if (outcome_ == 6) {
      return count == 0 ? 0 : input_.InRange(0, count - 1);
    }
    return outcome_ == 7 ? count + input_.InRange(1, 64) : count;
  }
  // A file count, a status block (accepting, of any acceptance byte, or raw), or chunk bytes.
  wire_test::Bytes Reply(uint32_t count) {
    if (count == 2) {
      return wire_test::Le32(input_.U16());
    }
    if (count != TR_STATUS_SIZE) {
      return wire_test::Bytes(count, 0x5A);
    }
    const uint8_t shape = input_.U8();
    if ((shape & 3) == 3) {
      wire_test::Bytes raw = input_.Bytes(TR_STATUS_SIZE);
      raw.resize(TR_STATUS_SIZE);
      return raw;
    }
    const uint32_t kind = (shape >> 2) & 3;
    const uint32_t accept = kind == 0   ? input_.InRange(0, 600)
                            : kind == 1 ? input_.InRange(0, 70000)
                            : kind == 2 ? input_.U32()
                                        : 0;
    return wire_test::Status((shape & 3) == 2 ? input_.U8() : 1, accept);
  }

  fuzz::FuzzInput& input_;
  FuzzClock& clock_;
  uint8_t outcome_ = 0;
};

// Runs one to three exports, as the input says, after opening a printer.
class Harness {
 public:
  explicit Harness(fuzz::FuzzInput& input) : input_(input), clock_(input.U32()) { current_ = this; }
  ~Harness() { current_ = nullptr; }

  void Run() {
    InitPrinter();
    for (uint32_t calls = input_.InRange(1, 3); calls > 0 && !input_.Empty(); --calls) {
      const uint8_t which = input_.U8() % 10;
      const uint64_t startMs = clock_.trueMs;
      if (which == 0) {
        InitPrinter();
      } else if (which <= 5) {
        Command(which, startMs);
      } else {
        Transfer(which <= 7, startMs);
      }
      FUZZ_CHECK(!port_.inTransfer, "every begun transfer is ended before the call returns");
    }
  }

 private:
  void InitPrinter() {
    const bool named = input_.U8() != 0;
    const std::string name = input_.Text(300);
    const int32_t result = library_.InitPrinter(named ? name.c_str() : nullptr, openBlock_);
    FUZZ_CHECK(result == TR_OK || result == TR_OPEN_FAILED, "an open answers 0 or 1");
    open_ = open_ || result == TR_OK;
  }

  // A time-out from the whole 32-bit range, mostly ones a call can run out in
  // a moment of fake time (a time-out of 2^31 ms or more has none).
  uint32_t Timeout() {
    const uint32_t kind = input_.U8() & 7;
    return kind == 0   ? input_.InRange(0, 10)
           : kind == 1 ? input_.InRange(0, 100000)
           : kind == 2 ? 500000
           : kind == 3 ? input_.InRange(0x80000000u, 0xFFFFFFFFu)
                       : input_.InRange(0, 20000);
  }

  // 1 init, 2 status, 3 file count, 4 file entries, 5 delete.
  void Command(uint8_t which, uint64_t startMs) {
    const uint32_t timeoutMs = Timeout();
    // Mostly a short list, with any high bits (only the low 16 count).
    const uint32_t countBefore =
        (input_.U8() & 7) == 0 ? input_.U32() : (uint32_t{input_.U16()} << 16) | input_.U8() % 40;
    uint32_t count = countBefore;
    int32_t result = TR_OK;
    if (which == 1) {
      result = library_.CmdInit(timeoutMs);
    } else if (which == 2) {
      wire_test::Bytes status(TR_STATUS_SIZE);
      result = library_.GetStatus(status.data(), timeoutMs);
    } else if (which == 3) {
      result = library_.GetFileList(nullptr, &count, timeoutMs);
    } else if (which == 4) {
      // Room for exactly the entries the library may read, none included.
      const std::unique_ptr<uint8_t[]> list(new uint8_t[(count & 0xFFFF) * TR_HEADER_SIZE]);
      result = library_.GetFileList(list.get(), &count, timeoutMs);
    } else {
      wire_test::Bytes entry = input_.Bytes(TR_HEADER_SIZE);
      entry.resize(TR_HEADER_SIZE);
      result = library_.DeleteFile(entry.data(), timeoutMs);
    }
    FUZZ_CHECK(open_ ? result == TR_OK || (result >= TR_WRITE_FAILED && result <= TR_REJECTED)
                     : result == TR_NOT_OPEN,
               "a command answers 0 or 3 to 7, and 2 before any open");
    FUZZ_CHECK(count == countBefore || result == TR_FILE_COUNT, "the count changes only with 6");
    FUZZ_CHECK(clock_.trueMs - startMs <= timeoutMs, "a command keeps to its time-out");
  }

  void Transfer(bool sending, uint64_t startMs) {
    const uint32_t timeoutMs = Timeout();
    const uint32_t size =
        (input_.U8() & 3) == 0 ? input_.InRange(0, 5000) : input_.InRange(0, 1000);
    stopAt_ = input_.U8();
    progressCalls_ = 0;
    lastPercent_ = 0;
    const wire_test::Bytes header = wire_test::Pattern(TR_HEADER_SIZE, 0x40);
    // The payload exactly as large as the size says, so the sanitizer sees
    // every byte read or written past it.
    const std::unique_ptr<uint8_t[]> payload(new uint8_t[size]());
    uint8_t status[TR_STATUS_SIZE] = {};
    const int32_t result = sending ? library_.SendFile(header.data(), payload.get(), &size, status,
                                                       timeoutMs, &Progress)
                                   : library_.ReceiveFile(header.data(), payload.get(), &size,
                                                          status, timeoutMs, &Progress);
    FUZZ_CHECK(!open_ ? result == TR_NOT_OPEN
               : size == 0
                   ? result == TR_REJECTED
                   : result == TR_OK || (result >= TR_WRITE_FAILED && result <= TR_TIMEOUT) ||
                         result == TR_REJECTED || result == TR_CANCELLED,
               "a transfer answers 0, 3, 4, 5, 7 or 8; 2 before any open, 7 for no payload");
    FUZZ_CHECK(result != TR_CANCELLED || (stopAt_ != 0 && progressCalls_ >= stopAt_),
               "8 only when asked to stop");
    // Each port call may take its own time-out; the exchange has a few of them.
    FUZZ_CHECK(clock_.trueMs - startMs <= 2 * uint64_t{timeoutMs} + 8 * 2000,
               "a transfer ends within its time limit and a few port time-outs");
  }

  // Answers 0 ("stop") at the stopAt_-th call.
  static int32_t OSTRAND_CALL Progress(int32_t percent) {
    Harness& self = *current_;
    FUZZ_CHECK(percent >= self.lastPercent_ && percent <= 100,
               "progress runs 0 to 100, never back");
    self.lastPercent_ = percent;
    return ++self.progressCalls_ != self.stopAt_ ? 1 : 0;
  }

  static inline Harness* current_ = nullptr;
  fuzz::FuzzInput& input_;
  FuzzClock clock_;
  HostilePort port_{input_, clock_};
  ostrand::TransferLibrary library_{port_, clock_};
  uint8_t openBlock_[TR_OPEN_BLOCK_SIZE] = {};
  bool open_ = false;
  uint32_t stopAt_ = 0;
  uint32_t progressCalls_ = 0;
  int32_t lastPercent_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  Harness(input).Run();
  return 0;
}
