// Receiving a file from the printer: command "U", the header, then chunks the
// host asks for by length word, as the printer's status blocks allow them.
#include <cstdint>

#include "file_transfer.h"
#include "port_calls.h"
#include "transfer_library.h"
#include "wire_format.h"

namespace ostrand {

namespace {

using detail::Flow;
using detail::TransferSession;

class ReceiveExchange {
 public:
  ReceiveExchange(TransferSession& session, uint8_t* payload)
      : session_(session), payload_(payload) {}

  Flow Pass() {
    if (session_.AllMoved()) {
      return Flow::Finish();
    }
    if (!session_.ReportProgress()) {
      return Flow::Cancel();
    }
    if (!session_.HeaderWritten()) {
      if (const Flow flow = OpenExchange(); flow.next != Flow::Next::kPass) {
        return flow;
      }
    }
    if (const Flow flow = ReceiveChunks(); flow.next != Flow::Next::kPass) {
      return flow;
    }
    if (session_.PastLimit()) {
      return session_.StopAndFail(TR_TIMEOUT);
    }
    return ReadStatus();
  }

 private:
  // The header, then the first status block. Once the header has gone, running
  // out of time aborts: the printer is reset with the initialise command.
  Flow OpenExchange() {
    if (!session_.WriteHeader()) {
      return Flow::Fail(TR_WRITE_FAILED);
    }
    if (session_.Remaining() <= 0) {
      return Flow::Abort();
    }
    wire::StatusBlock block{};
    if (!detail::ReadAll(session_.Port(), block.data(), wire::kStatusSize,
                         detail::kTransferPortTimeoutMs)) {
      return Flow::Fail(TR_READ_FAILED);
    }
    if (!session_.TakeStatus(block)) {
      return Flow::Fail(TR_REJECTED);
    }
    session_.SetAllowance(wire::AcceptCount(block));
    session_.FixLimit();
    return session_.Limit() <= 0 ? Flow::Abort() : Flow::NextPass();
  }

  // Each chunk: its length word asks for it, one read brings it.
  Flow ReceiveChunks() {
    while (session_.Allowance() > 0) {
      if (session_.PastLimit()) {
        return session_.StopAndFail(TR_TIMEOUT);
      }
      const uint32_t length = session_.NextChunkLength();
      if (!session_.WriteLengthWord(length)) {
        return Flow::Fail(TR_WRITE_FAILED);
      }
      if (!detail::ReadAll(session_.Port(), payload_ + session_.Count(), length,
                           detail::kTransferPortTimeoutMs)) {
        return Flow::Fail(TR_READ_FAILED);
      }
      session_.Advance(length);
      if (!session_.ReportProgress()) {
        return Flow::Cancel();
      }
    }
    return Flow::NextPass();
  }

  // One read, with the time limit itself as its time-out.
  Flow ReadStatus() {
    wire::StatusBlock block{};
    if (!detail::ReadAll(session_.Port(), block.data(), wire::kStatusSize,
                         static_cast<uint32_t>(session_.Limit()))) {
      return Flow::Fail(TR_READ_FAILED);
    }
    if (!session_.TakeStatus(block)) {
      return Flow::Fail(TR_REJECTED);
    }
    const uint32_t acceptCount = wire::AcceptCount(block);
    if (acceptCount == 0) {
      return Flow::Finish();
    }
    session_.SetAllowance(acceptCount);
    return session_.LimitReached() ? Flow::Finish() : Flow::NextPass();
  }

  TransferSession& session_;
  uint8_t* const payload_;
};

}  // namespace

int32_t TransferLibrary::ReceiveFile(const void* header, void* data, const uint32_t* size,
                                     void* status, uint32_t timeoutMs,
                                     TRProgressCallback progress) {
  if (!open_) {
    return TR_NOT_OPEN;
  }
  TransferSession session(port_, clock_, {header, *size, status, timeoutMs, progress});
  ReceiveExchange exchange(session, static_cast<uint8_t*>(data));
  return detail::RunTransfer(session, printerName_, wire::Command::kReceiveFile,
                             [&exchange] { return exchange.Pass(); });
}

}  // namespace ostrand
