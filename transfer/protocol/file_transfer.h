// What sending and receiving a file share: the per-call state, the common
// start, progress reporting, and the three ways out (Finish, Cancel, Abort).
//
// A transfer runs as passes of a main loop. Each pass, and the common start,
// answers a Flow that names what comes next; Conclude() then runs the chosen
// ending. Begin and end transfer bracket every call that got past begin
// transfer, and end transfer is called exactly once.
#ifndef TRANSFER_PROTOCOL_FILE_TRANSFER_H
#define TRANSFER_PROTOCOL_FILE_TRANSFER_H

#include <cstdint>
#include <optional>

#include "ostrand.h"
#include "platform/tick_clock.h"
#include "portio/port_io.h"
#include "time_budget.h"
#include "wire_format.h"

namespace ostrand::detail {

// Time-out of every port call within a transfer, and of begin transfer.
inline constexpr uint32_t kTransferPortTimeoutMs = 2000;

struct Flow {
  enum class Next { kPass, kFinish, kCancel, kAbort, kFail };
  Next next;
  int32_t code = TR_OK;  // for kFail

  static Flow NextPass() { return {Next::kPass}; }
  static Flow Finish() { return {Next::kFinish}; }
  static Flow Cancel() { return {Next::kCancel}; }
  static Flow Abort() { return {Next::kAbort}; }
  static Flow Fail(int32_t failure) { return {Next::kFail, failure}; }
};

// The caller's side of one transfer call.
struct TransferRequest {
  const void* header;           // 64 bytes, written unchanged after the command
  uint32_t total;               // payload size, read once from the caller
  void* status;                 // receives every accepted status block
  uint32_t timeoutMs;           // for the whole call
  TRProgressCallback progress;  // may be null: then nobody is asked
};

class TransferSession {
 public:
  TransferSession(portio::PortIo& port, platform::TickClock& clock, const TransferRequest& request)
      : port_(port), clock_(clock), request_(request) {}

  TransferSession(const TransferSession&) = delete;
  TransferSession& operator=(const TransferSession&) = delete;

  // Purge, take the start tick, begin the transfer, write the command, fix the
  // time limit. Answers kPass, kFinish or kFail.
  Flow Start(const char* printerName, wire::Command command);
  // Runs the ending that the flow names; answers the result code.
  int32_t Conclude(Flow flow);

  portio::PortIo& Port() { return port_; }
  uint32_t Count() const { return count_; }
  bool AllMoved() const { return count_ >= request_.total; }

  // True to go on. The percentage is count x 100 / total.
  bool ReportProgress();

  bool HeaderWritten() const { return headerWritten_; }
  // Writes the 64 header bytes in a write of their own; marks them written.
  bool WriteHeader();
  bool WriteLengthWord(uint32_t length);
  // Writes the stop word, then fails with `code`, or with 3 if that write failed.
  Flow StopAndFail(int32_t code);

  // A status block the printer accepted goes to the caller's buffer; a
  // rejected one leaves that buffer alone. False: rejected.
  bool TakeStatus(const wire::StatusBlock& block);

  // The allowance is what the printer still takes or gives before its next
  // status block, never more than what is left of the payload.
  void SetAllowance(uint32_t acceptCount);
  uint32_t Allowance() const { return allowance_; }
  uint32_t NextChunkLength() const;
  void Advance(uint32_t moved);

  // The time limit R: the time left at the moment it is fixed. Every later
  // check compares the time elapsed since the start with R.
  void FixLimit() { limit_ = budget_->Remaining(); }
  int32_t Limit() const { return limit_; }
  int32_t Remaining() const { return budget_->Remaining(); }
  bool PastLimit() const { return budget_->Elapsed() > limit_; }
  bool LimitReached() const { return budget_->Elapsed() >= limit_; }

  // At most once per call, and only after the transfer was begun.
  void EndTransfer();

 private:
  int32_t Percent() const;
  bool WriteStopWord();
  int32_t Finish();
  int32_t Cancel();
  int32_t Abort();
  // Ends the transfer (if begun and not yet ended) and answers `code`.
  int32_t EndWith(int32_t code);

  portio::PortIo& port_;
  platform::TickClock& clock_;
  const TransferRequest request_;
  std::optional<TimeBudget> budget_;
  uint32_t count_ = 0;
  uint32_t allowance_ = 0;
  int32_t limit_ = 0;
  bool headerWritten_ = false;
  bool begun_ = false;
  bool ended_ = false;
};

// The main loop: passes until one names an ending, then that ending.
template <typename Pass>
int32_t RunTransfer(TransferSession& session, const char* printerName, wire::Command command,
                    Pass pass) {
  Flow flow = session.Start(printerName, command);
  while (flow.next == Flow::Next::kPass) {
    flow = pass();
  }
  return session.Conclude(flow);
}

}  // namespace ostrand::detail

#endif  // TRANSFER_PROTOCOL_FILE_TRANSFER_H
