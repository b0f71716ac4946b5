// Sending a file to the printer: command "D", the package header, then chunks
// of the payload as the printer's status blocks allow them.
#include <cstdint>

#include "file_transfer.h"
#include "port_calls.h"
#include "transfer_library.h"
#include "wire_format.h"

namespace ostrand {

namespace {

using detail::Flow;
using detail::TransferSession;

class SendExchange {
 public:
  SendExchange(TransferSession& session, const uint8_t* payload)
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
    if (const Flow flow = SendChunks(); flow.next != Flow::Next::kPass) {
      return flow;
    }
    if (session_.PastLimit()) {
      return session_.StopAndFail(TR_TIMEOUT);
    }
    return AwaitStatus();
  }

 private:
  // The header, then the printer's first status block with its first allowance.
  Flow OpenExchange() {
    if (!session_.WriteHeader()) {
      return Flow::Fail(TR_WRITE_FAILED);
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
    return Flow::NextPass();
  }

  // Each chunk: its length word, then its bytes, then a progress report.
  Flow SendChunks() {
    while (session_.Allowance() > 0) {
      if (session_.PastLimit()) {
        return Flow::Fail(TR_TIMEOUT);  // the printer is told nothing here
      }
      const uint32_t length = session_.NextChunkLength();
      if (!session_.WriteLengthWord(length) ||
          !detail::WriteAll(session_.Port(), payload_ + session_.Count(), length,
                            detail::kTransferPortTimeoutMs)) {
        return Flow::Fail(TR_WRITE_FAILED);
      }
      session_.Advance(length);
      if (!session_.ReportProgress()) {
        return Flow::Cancel();
      }
    }
    return Flow::NextPass();
  }

  // The printer may take its time before the next status block: read again,
  // one port time-out at a time, until a read answers or the limit is reached.
  Flow AwaitStatus() {
    if (session_.LimitReached()) {
      return Flow::Fail(TR_TIMEOUT);
    }
    wire::StatusBlock block{};
    detail::ReadOutcome outcome;
    do {
      outcome = detail::ReadOnce(session_.Port(), block.data(), wire::kStatusSize,
                                 detail::kTransferPortTimeoutMs);
      if (!session_.ReportProgress()) {
        return Flow::Cancel();
      }
    } while (!outcome.answered && !session_.LimitReached());
    if (!outcome.Complete(wire::kStatusSize)) {
      return Flow::Fail(TR_TIMEOUT);  // no answer in time, or a short one
    }
    if (!session_.TakeStatus(block)) {
      return Flow::Fail(TR_REJECTED);
    }
    const uint32_t acceptCount = wire::AcceptCount(block);
    if (acceptCount == 0) {
      // The printer wants no more: the transfer ends here, before Finish.
      session_.EndTransfer();
      return Flow::Finish();
    }
    session_.SetAllowance(acceptCount);
    return session_.LimitReached() ? Flow::Finish() : Flow::NextPass();
  }

  TransferSession& session_;
  const uint8_t* const payload_;
};

}  // namespace

int32_t TransferLibrary::SendFile(const void* header, const void* data, const uint32_t* size,
                                  void* status, uint32_t timeoutMs, TRProgressCallback progress) {
  if (!open_) {
    return TR_NOT_OPEN;
  }
  TransferSession session(port_, clock_, {header, *size, status, timeoutMs, progress});
  SendExchange exchange(session, static_cast<const uint8_t*>(data));
  return detail::RunTransfer(session, printerName_, wire::Command::kSendFile,
                             [&exchange] { return exchange.Pass(); });
}

}  // namespace ostrand
