#include "file_transfer.h"

#include <algorithm>
#include <cstring>

#include "port_calls.h"

namespace ostrand::detail {

Flow TransferSession::Start(const char* printerName, wire::Command command) {
  port_.Purge();
  budget_.emplace(clock_, request_.timeoutMs);
  if (!port_.BeginTransfer(printerName, 0, kTransferPortTimeoutMs)) {
    return Flow::Fail(TR_TIMEOUT);  // not begun, so not ended either
  }
  begun_ = true;
  if (!WriteCommand(port_, command, kTransferPortTimeoutMs)) {
    return Flow::Fail(TR_WRITE_FAILED);
  }
  FixLimit();
  if (limit_ <= 0) {
    return Flow::Fail(TR_TIMEOUT);
  }
  return LimitReached() ? Flow::Finish() : Flow::NextPass();
}

int32_t TransferSession::Conclude(Flow flow) {
  switch (flow.next) {
    case Flow::Next::kFinish:
      return Finish();
    case Flow::Next::kCancel:
      return Cancel();
    case Flow::Next::kAbort:
      return Abort();
    case Flow::Next::kFail:
      return EndWith(flow.code);
    case Flow::Next::kPass:
      break;
  }
  return EndWith(TR_TIMEOUT);  // unreachable: a pass never concludes
}

int32_t TransferSession::Percent() const {
  // 64 bits, so count x 100 cannot overflow and the value stays within 0..100.
  // A payload of 0 bytes (callers must pass at least 1) counts as all moved.
  if (request_.total == 0) {
    return 100;
  }
  return static_cast<int32_t>(static_cast<uint64_t>(count_) * 100u / request_.total);
}

bool TransferSession::ReportProgress() {
  return request_.progress == nullptr || request_.progress(Percent()) != 0;
}

bool TransferSession::WriteHeader() {
  if (!WriteAll(port_, request_.header, wire::kHeaderSize, kTransferPortTimeoutMs)) {
    return false;
  }
  headerWritten_ = true;
  return true;
}

bool TransferSession::WriteLengthWord(uint32_t length) {
  const wire::LengthWord word = wire::MakeLengthWord(length);
  return WriteAll(port_, word.data(), wire::kLengthWordSize, kTransferPortTimeoutMs);
}

bool TransferSession::WriteStopWord() {
  return WriteLengthWord(wire::kStopWord);
}

Flow TransferSession::StopAndFail(int32_t code) {
  return Flow::Fail(WriteStopWord() ? code : TR_WRITE_FAILED);
}

bool TransferSession::TakeStatus(const wire::StatusBlock& block) {
  if (!wire::IsAccepted(block)) {
    return false;
  }
  std::memcpy(request_.status, block.data(), wire::kStatusSize);
  return true;
}

void TransferSession::SetAllowance(uint32_t acceptCount) {
  allowance_ = std::min(acceptCount, request_.total - count_);
}

uint32_t TransferSession::NextChunkLength() const {
  return std::min(allowance_, wire::kMaxChunk);
}

void TransferSession::Advance(uint32_t moved) {
  count_ += moved;
  allowance_ -= moved;
}

void TransferSession::EndTransfer() {
  if (begun_ && !ended_) {
    port_.EndTransfer();
    ended_ = true;
  }
}

int32_t TransferSession::EndWith(int32_t code) {
  EndTransfer();
  return code;
}

int32_t TransferSession::Finish() {
  if (!ReportProgress()) {
    return Cancel();
  }
  if (AllMoved()) {
    return EndWith(TR_OK);
  }
  // Ended short of the payload: tell the printer to stop waiting for it.
  return EndWith(WriteStopWord() ? TR_TIMEOUT : TR_WRITE_FAILED);
}

int32_t TransferSession::Cancel() {
  return EndWith(WriteStopWord() ? TR_CANCELLED : TR_WRITE_FAILED);
}

int32_t TransferSession::Abort() {
  // The receive's way out once its header went: the initialise command resets
  // the printer's side, with the caller's whole time-out.
  const bool written = WriteCommand(port_, wire::Command::kInitialise, request_.timeoutMs);
  return EndWith(written ? TR_TIMEOUT : TR_WRITE_FAILED);
}

}  // namespace ostrand::detail
