// The transfer library against a hostile printer. The input scripts the port
// and the calls: any port call may fail, come up short, report a count it did
// not move, or take any time up to its own time-out; a read delivers what the
// input says, its status blocks shaped well enough to drive an exchange. Once
// the input is used up the link is gone. The sanitizers watch every buffer of
// the caller, each exactly its size; the checks hold what no exchange may
// break, whatever the printer answers.
#include <cstring>
#include <memory>

#include "fuzz/fuzz.h"
#include "transfer/protocol/tests/wire_bytes.h"
#include "transfer_library.h"

namespace {

fuzz::FuzzInput* in;  // the input of the run under way
uint64_t trueMs;      // the time the port's calls have taken
bool inTransfer;      // between a begun transfer and its end
bool opened;          // a printer was opened
uint32_t stopAt, progressCalls;
int32_t lastPercent;
uint8_t openBlock[TR_OPEN_BLOCK_SIZE];

// The port, and the tick count the library reads: from any start tick and
// wrapping as the real one does, moved only by the port's calls.
class HostilePort : public portio::PortIo, public platform::TickClock {
 public:
  uint32_t NowMs() override { return startTick_ + static_cast<uint32_t>(trueMs); }
  bool Open(const char*, void*) override { return Answer(0); }
  bool Write(const void*, uint32_t count, uint32_t* written, uint32_t timeoutMs) override {
    FUZZ_CHECK(count <= TR_MAX_CHUNK);
    const bool answered = Answer(timeoutMs);
    *written = Reported(answered, count);
    return answered;
  }
  bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) override {
    FUZZ_CHECK(!inTransfer || count <= TR_MAX_CHUNK);
    const bool answered = Answer(timeoutMs);
    *read = Reported(answered, count);
    // A port puts no more than it was asked for into the buffer: a file
    // count, a status block, or chunk and list bytes.
    const uint32_t delivered = std::min(*read, count);
    if (count == 2 || count == TR_STATUS_SIZE) {
      const wire_test::Bytes reply = count == 2 ? wire_test::Le32(in->U16()) : Status();
      std::copy_n(reply.begin(), delivered, static_cast<uint8_t*>(buffer));
    } else {
      std::memset(buffer, 0x5A, delivered);
    }
    return answered;
  }
  void Purge() override {}
  bool BeginTransfer(const char*, uint32_t, uint32_t timeoutMs) override {
    FUZZ_CHECK(!inTransfer);
    return inTransfer = Answer(timeoutMs);
  }
  void EndTransfer() override {
    FUZZ_CHECK(inTransfer);
    inTransfer = false;
  }

 private:
  // Whether the call answers nonzero; takes its time on the clock.
  bool Answer(uint32_t timeoutMs) {
    outcome_ = in->Empty() ? 5 : in->U8();  // 5: the link is gone
    const uint32_t delay = (outcome_ >> 3) & 3;
    trueMs += delay == 1   ? std::min<uint32_t>(in->InRange(1, 50), timeoutMs)
              : delay == 2 ? timeoutMs
              : delay == 3 ? in->InRange(0, timeoutMs)
                           : 0;
    outcome_ &= 7;
    return outcome_ != 5;
  }
  // The count reported moved: all, any (failed), fewer (short) or more (overstated).
  uint32_t Reported(bool answered, uint32_t count) {
    return !answered       ? in->InRange(0, count)
           : outcome_ != 6 ? count + (outcome_ == 7 ? in->InRange(1, 64) : 0)
           : count == 0    ? 0
                           : in->InRange(0, count - 1);
  }
  // Accepting with any acceptance byte and count, or any bytes.
  wire_test::Bytes Status() {
    const uint8_t shape = in->U8();
    if ((shape & 3) == 3) {
      wire_test::Bytes raw = in->Bytes(TR_STATUS_SIZE);
      raw.resize(TR_STATUS_SIZE);
      return raw;
    }
    const uint32_t kind = (shape >> 2) & 3;
    const uint32_t accept = kind == 0   ? in->InRange(0, 600)
                            : kind == 1 ? in->InRange(0, 70000)
                            : kind == 2 ? in->U32()
                                        : 0;
    return wire_test::Status((shape & 3) == 2 ? in->U8() : 1, accept);
  }

  const uint32_t startTick_ = in->U32();
  uint8_t outcome_ = 0;
};

void InitPrinter(ostrand::TransferLibrary& library) {
  const bool named = in->U8() != 0;
  const std::string name = in->Text(300);
  const int32_t result = library.InitPrinter(named ? name.c_str() : nullptr, openBlock);
  FUZZ_CHECK(result == TR_OK || result == TR_OPEN_FAILED);
  opened = opened || result == TR_OK;
}

// A time-out from the whole 32-bit range, mostly ones a call can run out in
// a moment of fake time (a time-out of 2^31 ms or more has none).
uint32_t Timeout() {
  const uint32_t kind = in->U8() & 7;
  return kind == 0   ? in->InRange(0, 10)
         : kind == 1 ? in->InRange(0, 100000)
         : kind == 2 ? 500000
         : kind == 3 ? in->InRange(0x80000000u, 0xFFFFFFFFu)
                     : in->InRange(0, 20000);
}

// 1 init, 2 status, 3 file count, 4 file entries, 5 delete.
void Command(ostrand::TransferLibrary& library, uint8_t which, uint64_t startMs) {
  const uint32_t timeoutMs = Timeout();
  // Mostly a short list, with any high bits (only the low 16 count).
  const uint32_t countBefore =
      (in->U8() & 7) == 0 ? in->U32() : (uint32_t{in->U16()} << 16) | in->U8() % 40;
  uint32_t count = countBefore;
  // Room for exactly the entries the library may read, none included.
  const std::unique_ptr<uint8_t[]> list(
      new uint8_t[which == 4 ? (count & 0xFFFF) * TR_HEADER_SIZE : 0]);
  wire_test::Bytes block = which == 5 ? in->Bytes(TR_HEADER_SIZE) : wire_test::Bytes();
  block.resize(which == 5 ? TR_HEADER_SIZE : TR_STATUS_SIZE);  // the entry to delete, or a status
  const int32_t result = which == 1   ? library.CmdInit(timeoutMs)
                         : which == 2 ? library.GetStatus(block.data(), timeoutMs)
                         : which == 3 ? library.GetFileList(nullptr, &count, timeoutMs)
                         : which == 4 ? library.GetFileList(list.get(), &count, timeoutMs)
                                      : library.DeleteFile(block.data(), timeoutMs);
  FUZZ_CHECK(opened ? result == TR_OK || (result >= TR_WRITE_FAILED && result <= TR_REJECTED)
                    : result == TR_NOT_OPEN);
  FUZZ_CHECK(count == countBefore || result == TR_FILE_COUNT);
  FUZZ_CHECK(trueMs - startMs <= timeoutMs);
}

// Answers 0 ("stop") at the stopAt-th call.
int32_t OSTRAND_CALL Progress(int32_t percent) {
  FUZZ_CHECK(percent >= lastPercent && percent <= 100);
  lastPercent = percent;
  return ++progressCalls != stopAt ? 1 : 0;
}

void Transfer(ostrand::TransferLibrary& library, bool sending, uint64_t startMs) {
  const uint32_t timeoutMs = Timeout();
  const uint32_t size = (in->U8() & 3) == 0 ? in->InRange(0, 5000) : in->InRange(0, 1000);
  stopAt = in->U8();
  progressCalls = 0;
  lastPercent = 0;
  const wire_test::Bytes header = wire_test::Pattern(TR_HEADER_SIZE, 0x40);
  // The payload exactly as large as the size says, so the sanitizer sees
  // every byte read or written past it.
  const std::unique_ptr<uint8_t[]> payload(new uint8_t[size]());
  uint8_t status[TR_STATUS_SIZE] = {};
  const int32_t result =
      sending
          ? library.SendFile(header.data(), payload.get(), &size, status, timeoutMs, &Progress)
          : library.ReceiveFile(header.data(), payload.get(), &size, status, timeoutMs, &Progress);
  FUZZ_CHECK(!opened     ? result == TR_NOT_OPEN
             : size == 0 ? result == TR_REJECTED
                         : result == TR_OK || (result >= TR_WRITE_FAILED && result <= TR_TIMEOUT) ||
                               result == TR_REJECTED || result == TR_CANCELLED);
  FUZZ_CHECK(result != TR_CANCELLED || (stopAt != 0 && progressCalls >= stopAt));
  // Each port call may take its own time-out; the exchange has a few of them.
  FUZZ_CHECK(trueMs - startMs <= 2 * uint64_t{timeoutMs} + 8 * 2000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  in = &input;
  trueMs = 0;
  inTransfer = opened = false;
  HostilePort port;
  ostrand::TransferLibrary library(port, port);
  InitPrinter(library);
  for (uint32_t calls = in->InRange(1, 3); calls > 0 && !in->Empty(); --calls) {
    const uint8_t which = in->U8() % 10;
    const uint64_t startMs = trueMs;
    if (which == 0) {
      InitPrinter(library);
    } else if (which <= 5) {
      Command(library, which, startMs);
    } else {
      Transfer(library, which <= 7, startMs);
    }
    FUZZ_CHECK(!inTransfer);  // every begun transfer is ended before the call returns
  }
  return 0;
}
