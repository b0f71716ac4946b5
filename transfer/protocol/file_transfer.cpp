// Sending a file to the printer (command "D") and receiving one from it ("U").
//
// Both run one exchange: the command, the 64-byte header, the printer's first
// status block, then chunks of at most 200 payload bytes, each announced by a
// length word, as long as the printer's status blocks allow. They differ only
// where `sending_` is asked: how a chunk moves, how the next status block is
// awaited, and what running out of time writes to the printer.
#include <algorithm>
#include <cstring>
#include <optional>

#include "ostrand_status.h"
#include "port_calls.h"
#include "time_budget.h"
#include "transfer_library.h"
#include "wire_format.h"

namespace ostrand {
namespace {

using detail::ReadAll;
using detail::WriteAll;

// Time-out of begin transfer and of every port call within a transfer.
constexpr uint32_t kPortTimeoutMs = 2000;

enum class Direction { kSend, kReceive };

// The caller's side of one transfer call.
struct Request {
  Direction direction;
  const void* header;           // 64 bytes, written unchanged after the command
  const uint8_t* source;        // send: the payload
  uint8_t* sink;                // receive: the buffer the payload fills
  uint32_t total;               // payload size, read once from the caller
  void* status;                 // receives every accepted status block
  uint32_t timeoutMs;           // for the whole call
  TRProgressCallback progress;  // may be null: then nobody is asked
};

// A step's answer: a result code ends the call, none goes on.
using Outcome = std::optional<int32_t>;

class Transfer {
 public:
  Transfer(portio::PortIo& port, platform::TickClock& clock, const Request& request)
      : port_(port),
        clock_(clock),
        request_(request),
        sending_(request.direction == Direction::kSend) {}

  int32_t Run(const char* printerName) {
    // An empty payload is refused before the port is touched: its exchange
    // would end after the command, the printer left waiting for the header.
    if (request_.total == 0) {
      return TR_REJECTED;
    }
    if (const Outcome out = Start(printerName)) {
      return *out;
    }
    for (;;) {
      if (const Outcome out = Pass()) {
        return *out;
      }
    }
  }

 private:
  // Purge, start tick, begin transfer, the command, and R for the first time.
  Outcome Start(const char* printerName) {
    port_.Purge();
    budget_.emplace(clock_, request_.timeoutMs);
    if (!port_.BeginTransfer(printerName, 0, kPortTimeoutMs)) {
      return TR_TIMEOUT;  // not begun, so not ended either
    }
    const wire::Command command = sending_ ? wire::Command::kSendFile : wire::Command::kReceiveFile;
    if (!detail::WriteCommand(port_, command, kPortTimeoutMs)) {
      return End(TR_WRITE_FAILED);
    }
    limit_ = budget_->Remaining();  // R for the first time
    if (limit_ <= 0) {
      return End(TR_TIMEOUT);
    }
    if (LimitReached()) {
      return Finish();
    }
    return std::nullopt;
  }

  // One pass of the main loop, up to and including the next status block.
  Outcome Pass() {
    if (count_ >= request_.total) {
      return Finish();
    }
    if (!ReportProgress()) {
      return Cancel();
    }
    if (!headerWritten_) {
      if (const Outcome out = OpenExchange()) {
        return *out;
      }
    }
    if (const Outcome out = MoveChunks()) {
      return *out;
    }
    if (PastLimit()) {
      return StopAndEnd(TR_TIMEOUT);
    }
    StatusBlock block;
    if (const Outcome out = sending_ ? AwaitStatus(block) : ReadStatus(block)) {
      return *out;
    }
    if (!TakeStatus(block)) {
      return End(TR_REJECTED);
    }
    const uint32_t acceptCount = block.AcceptCount();
    if (acceptCount == 0) {
      if (sending_) {
        EndTransfer();  // the printer wants no more: a send ends here, before Finish
      }
      return Finish();
    }
    SetAllowance(acceptCount);
    if (LimitReached()) {
      return Finish();
    }
    return std::nullopt;
  }

  // The header, then the printer's first status block with the first
  // allowance. Once the header has gone, a receive that runs out of time aborts.
  Outcome OpenExchange() {
    if (!WriteAll(port_, request_.header, wire::kHeaderSize, kPortTimeoutMs)) {
      return End(TR_WRITE_FAILED);
    }
    headerWritten_ = true;
    if (!sending_ && budget_->Remaining() <= 0) {
      return Abort();
    }
    StatusBlock block;
    if (!ReadAll(port_, block.bytes.data(), wire::kStatusSize, kPortTimeoutMs)) {
      return End(TR_READ_FAILED);
    }
    if (!TakeStatus(block)) {
      return End(TR_REJECTED);
    }
    SetAllowance(block.AcceptCount());
    limit_ = budget_->Remaining();  // R for the second and last time
    if (!sending_ && limit_ <= 0) {
      return Abort();
    }
    return std::nullopt;
  }

  // Each chunk: its length word, then its bytes written (send) or read
  // (receive), then a progress report.
  Outcome MoveChunks() {
    while (allowance_ > 0) {
      if (PastLimit()) {
        // A send gives up without a word to the printer; a receive stops it.
        return sending_ ? End(TR_TIMEOUT) : StopAndEnd(TR_TIMEOUT);
      }
      const uint32_t length = std::min(allowance_, wire::kMaxChunk);
      if (!WriteLengthWord(length)) {
        return End(TR_WRITE_FAILED);
      }
      if (sending_ && !WriteAll(port_, request_.source + count_, length, kPortTimeoutMs)) {
        return End(TR_WRITE_FAILED);
      }
      if (!sending_ && !ReadAll(port_, request_.sink + count_, length, kPortTimeoutMs)) {
        return End(TR_READ_FAILED);
      }
      count_ += length;
      allowance_ -= length;
      if (!ReportProgress()) {
        return Cancel();
      }
    }
    return std::nullopt;
  }

  // Send: the printer may take its time. Read again, one port time-out at a
  // time with a progress report after each attempt, until a read answers or the
  // limit is reached. No answer, or a short one, is a time-out. A port that
  // fails at once (a link gone) must not make the wait spin until the limit:
  // there is at most one attempt per half a port time-out of the time left.
  Outcome AwaitStatus(StatusBlock& block) {
    if (LimitReached()) {
      return End(TR_TIMEOUT);
    }
    const int64_t left = int64_t{limit_} - budget_->Elapsed();
    uint32_t attempts = static_cast<uint32_t>(left / (kPortTimeoutMs / 2)) + 1;
    detail::ReadOutcome outcome;
    do {
      outcome = detail::ReadOnce(port_, block.bytes.data(), wire::kStatusSize, kPortTimeoutMs);
      if (!ReportProgress()) {
        return Cancel();
      }
    } while (!outcome.answered && --attempts > 0 && !LimitReached());
    if (!outcome.Complete(wire::kStatusSize)) {
      return End(TR_TIMEOUT);
    }
    return std::nullopt;
  }

  // Receive: one read with R itself as its time-out (R > 0: OpenExchange aborts
  // otherwise).
  Outcome ReadStatus(StatusBlock& block) {
    if (!ReadAll(port_, block.bytes.data(), wire::kStatusSize, static_cast<uint32_t>(limit_))) {
      return End(TR_READ_FAILED);
    }
    return std::nullopt;
  }

  // All moved: done. Short of the payload: tell the printer to stop waiting.
  int32_t Finish() {
    if (!ReportProgress()) {
      return Cancel();
    }
    return count_ >= request_.total ? End(TR_OK) : StopAndEnd(TR_TIMEOUT);
  }

  int32_t Cancel() { return StopAndEnd(TR_CANCELLED); }

  // A receive's way out once its header went: the initialise command resets the
  // printer's side, with the caller's whole time-out.
  int32_t Abort() {
    const bool written =
        detail::WriteCommand(port_, wire::Command::kInitialise, request_.timeoutMs);
    return End(written ? TR_TIMEOUT : TR_WRITE_FAILED);
  }

  // Writes the stop word, then ends with `code`, or with 3 if that write failed.
  int32_t StopAndEnd(int32_t code) {
    return End(WriteLengthWord(wire::kStopWord) ? code : TR_WRITE_FAILED);
  }

  int32_t End(int32_t code) {
    EndTransfer();
    return code;
  }

  // Called at most once: every way out passes here, and so may a send whose
  // printer wants no more before it reaches Finish.
  void EndTransfer() {
    if (!ended_) {
      port_.EndTransfer();
      ended_ = true;
    }
  }

  bool WriteLengthWord(uint32_t length) {
    const wire::LengthWord word = wire::MakeLengthWord(length);
    return WriteAll(port_, word.data(), wire::kLengthWordSize, kPortTimeoutMs);
  }

  // True to go on. count x 100 / total in 64 bits: in 32 bits it overflows
  // above 42949672 bytes. The total is never 0 (refused before the start).
  bool ReportProgress() {
    if (request_.progress == nullptr) {
      return true;
    }
    const uint64_t percent = uint64_t{count_} * 100 / request_.total;
    return request_.progress(static_cast<int32_t>(percent)) != 0;
  }

  // An accepted block goes to the caller's buffer; a rejected one leaves it.
  bool TakeStatus(const StatusBlock& block) {
    if (!block.Accepted()) {
      return false;
    }
    std::memcpy(request_.status, block.bytes.data(), wire::kStatusSize);
    return true;
  }

  // What the printer takes or gives before its next status block, never more
  // than what is left of the payload.
  void SetAllowance(uint32_t acceptCount) {
    allowance_ = std::min(acceptCount, request_.total - count_);
  }

  // Every check after R is fixed compares the time elapsed since the start
  // with R: past it ends the chunk loops, reaching it ends the waits and passes.
  bool PastLimit() const { return budget_->Elapsed() > limit_; }
  bool LimitReached() const { return budget_->Elapsed() >= limit_; }

  portio::PortIo& port_;
  platform::TickClock& clock_;
  const Request request_;
  const bool sending_;
  std::optional<detail::TimeBudget> budget_;  // from the tick after the purge
  int32_t limit_ = 0;                         // R
  uint32_t count_ = 0;
  uint32_t allowance_ = 0;
  bool headerWritten_ = false;
  bool ended_ = false;
};

}  // namespace

int32_t TransferLibrary::SendFile(const void* header, const void* data, const uint32_t* size,
                                  void* status, uint32_t timeoutMs, TRProgressCallback progress) {
  if (!open_) {
    return TR_NOT_OPEN;
  }
  const Request request{Direction::kSend, header,  static_cast<const uint8_t*>(data),
                        nullptr,          *size,   status,
                        timeoutMs,        progress};
  return Transfer(port_, clock_, request).Run(printerName_);
}

int32_t TransferLibrary::ReceiveFile(const void* header, void* data, const uint32_t* size,
                                     void* status, uint32_t timeoutMs,
                                     TRProgressCallback progress) {
  if (!open_) {
    return TR_NOT_OPEN;
  }
  const Request request{
      Direction::kReceive, header,  nullptr, static_cast<uint8_t*>(data), *size, status,
      timeoutMs,           progress};
  return Transfer(port_, clock_, request).Run(printerName_);
}

}  // namespace ostrand
