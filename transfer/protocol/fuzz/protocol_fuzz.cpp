// The transfer library against a hostile printer. The input scripts the port
// (hostile_port.h) and the calls: the printer name, then a few exports with
// their sizes, time-outs and a progress callback that may stop at any call.
// Each call's journal is then held against the contract (exchange_rules.h);
// the sanitizers watch every buffer of the caller, each exactly its size.
#include <cstdio>
#include <cstring>
#include <memory>

#include "exchange_rules.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "hostile_port.h"
#include "transfer_library.h"

namespace ostrand_fuzz {
namespace {

constexpr uint32_t kNameCapacity = 260;

class Harness {
 public:
  explicit Harness(fuzz::FuzzInput& input)
      : input_(input), clock_(input.U32()), port_(input, clock_, journal_) {
    current_ = this;
    fuzz::describeRun = [] { std::fputs(Describe(current_->journal_).c_str(), stderr); };
  }
  ~Harness() { current_ = nullptr; }

  void Run() {
    InitPrinter();
    for (uint32_t calls = input_.InRange(1, 3); calls > 0 && !input_.Empty(); --calls) {
      const uint8_t which = input_.U8() % 10;
      journal_.clear();
      if (which == 0) {
        InitPrinter();
      } else if (which <= 5) {
        Command(static_cast<ostrand_fuzz::Command>(which - 1));
      } else {
        Transfer(which <= 7);
      }
    }
  }

 private:
  void InitPrinter() {
    const bool named = input_.U8() != 0;
    const std::string name = input_.Text(300);
    const char* given = named ? name.c_str() : nullptr;
    keptName_.assign(named ? given : "", named ? strnlen(given, kNameCapacity - 1) : 0);
    journal_.clear();
    const int32_t result = library_.InitPrinter(given, openBlock_);
    CheckInitPrinter(keptName_, result, journal_);
    open_ = open_ || result == 0;
  }

  // A time-out from the whole 32-bit range, mostly ones a transfer can run
  // out in a moment of fake time (a time-out of 2^31 ms or more has none).
  uint32_t Timeout() {
    switch (input_.U8() & 7) {
      case 0:
        return input_.InRange(0, 10);
      case 1:
        return input_.InRange(0, 100000);
      case 2:
        return 500000;
      case 3:
        return input_.InRange(0x80000000u, 0xFFFFFFFFu);
      default:
        return input_.InRange(0, 20000);
    }
  }

  void Command(ostrand_fuzz::Command command) {
    CommandCall call;
    call.command = command;
    call.libraryOpen = open_;
    call.timeoutMs = Timeout();
    // Mostly a short list, with any high bits (only the low 16 count).
    call.countBefore =
        (input_.U8() & 7) == 0 ? input_.U32() : (uint32_t{input_.U16()} << 16) | input_.U8() % 40;
    call.countAfter = call.countBefore;
    call.startMs = clock_.TrueMs();
    switch (command) {
      case Command::kCmdInit:
        call.result = library_.CmdInit(call.timeoutMs);
        break;
      case Command::kGetStatus: {
        Bytes status(32, 0xEE);
        call.result = library_.GetStatus(status.data(), call.timeoutMs);
        break;
      }
      case Command::kFileCount:
        call.result = library_.GetFileList(nullptr, &call.countAfter, call.timeoutMs);
        break;
      case Command::kFileEntries: {
        // Room for exactly the entries the library may read, none included.
        const std::unique_ptr<uint8_t[]> list(new uint8_t[(call.countBefore & 0xFFFF) * 64]);
        call.result = library_.GetFileList(list.get(), &call.countAfter, call.timeoutMs);
        break;
      }
      case Command::kDeleteFile:
        call.entry = input_.Bytes(64);
        call.entry.resize(64);
        call.result = library_.DeleteFile(call.entry.data(), call.timeoutMs);
        break;
    }
    CheckCommand(call, journal_);
  }

  void Transfer(bool sending) {
    TransferCall call;
    call.sending = sending;
    call.libraryOpen = open_;
    call.printerName = keptName_;
    call.timeoutMs = Timeout();
    call.total = (input_.U8() & 3) == 0 ? input_.InRange(0, 5000) : input_.InRange(0, 1000);
    call.header.resize(64);
    for (std::size_t i = 0; i < call.header.size(); ++i) {
      call.header[i] = static_cast<uint8_t>(0x40 + i);
    }
    call.payload.resize(call.total);
    for (std::size_t i = 0; i < call.payload.size(); ++i) {
      call.payload[i] = sending ? static_cast<uint8_t>(i * 7 + (i >> 8)) : 0;
    }
    stopAt_ = input_.U8();
    progressCalls_ = 0;
    call.statusBefore.fill(0xEE);
    call.statusAfter = call.statusBefore;
    call.startMs = clock_.TrueMs();
    const uint32_t size = call.total;
    // The payload exactly as large as the size says, so the sanitizer sees
    // every byte read or written past it.
    uint8_t* data = call.payload.empty() ? nullptr : call.payload.data();
    call.result = sending
                      ? library_.SendFile(call.header.data(), data, &size, call.statusAfter.data(),
                                          call.timeoutMs, &Progress)
                      : library_.ReceiveFile(call.header.data(), data, &size,
                                             call.statusAfter.data(), call.timeoutMs, &Progress);
    CheckTransfer(call, journal_);
  }

  // The callback: recorded in the journal; answers 0 at its stopAt_-th call.
  static int32_t OSTRAND_CALL Progress(int32_t percent) {
    Harness& self = *current_;
    PortEvent& event = self.journal_.emplace_back();
    event.kind = PortEvent::Kind::kProgress;
    event.startMs = event.endMs = self.clock_.TrueMs();
    event.percent = percent;
    event.answered = ++self.progressCalls_ != self.stopAt_;
    return event.answered ? 1 : 0;
  }

  static inline Harness* current_ = nullptr;
  fuzz::FuzzInput& input_;
  FuzzClock clock_;
  Journal journal_;
  HostilePort port_;
  ostrand::TransferLibrary library_{port_, clock_};
  uint8_t openBlock_[10] = {};
  std::string keptName_;
  bool open_ = false;
  uint32_t stopAt_ = 0;
  uint32_t progressCalls_ = 0;
};

}  // namespace
}  // namespace ostrand_fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  ostrand_fuzz::Harness(input).Run();
  return 0;
}
