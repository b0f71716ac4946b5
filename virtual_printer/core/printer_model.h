// The printer's side of the file-transfer command protocol: it takes the bytes
// the host writes, keeps the replies the host reads, and keeps the stored files.
//
// Write boundaries are message boundaries: a command frame, a header, a length
// word and a chunk each arrive in a write of their own. Anything else from the
// host (a length word above 200 or beyond the accept count, a chunk of another
// size than announced, data before the header, an unknown command) is a
// protocol violation: the printer discards the unfinished file, answers with a
// status block whose acceptance byte is 0, and ignores the host until it
// purges or sends a new command. A sent file is stored only when its whole
// payload has arrived; a stop word, a purge, a new command, the end of the
// transfer or a broken link before that discards it.
#ifndef VIRTUAL_PRINTER_CORE_PRINTER_MODEL_H
#define VIRTUAL_PRINTER_CORE_PRINTER_MODEL_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "file_store.h"
#include "link_clock.h"
#include "printer_config.h"
#include "reply_queue.h"
#include "trace.h"

namespace vp {

class PrinterModel {
 public:
  PrinterModel(const PrinterConfig& config, FileStore& store, Trace& trace, LinkClock& clock);

  // A new connection (the port was opened): request numbering starts again.
  void Connect();
  void Purge();
  void HostWrite(const uint8_t* data, uint32_t count);
  // The host reads what the printer has said, as ReplyQueue::Read describes.
  uint32_t HostRead(uint8_t* buffer, uint32_t count, uint32_t timeoutMs, bool* ok) {
    return replies_.Read(buffer, count, timeoutMs, ok);
  }
  void BeginTransfer();
  void EndTransfer();
  void LinkBroken();
  // Bytes written to the printer by name, outside any open port (the mode command).
  void DirectWrite(const uint8_t* data, uint32_t count);

  uint8_t Mode() const { return mode_; }

 private:
  enum class State {
    kIdle,
    kSendHeader,
    kSendLengthWord,
    kSendChunk,
    kReceiveHeader,
    kReceiveLengthWord,
    kRejected,  // after a rejection: host bytes are ignored until a purge or a command
  };

  static bool IsFrame(const uint8_t* data, uint32_t count);
  static bool IsModeCommand(const uint8_t* data, uint32_t count);
  void Command(const uint8_t* data, uint32_t count);
  // A write the state does not expect: a protocol violation, or the few writes
  // that are harmless outside an exchange.
  void UnexpectedWrite(const uint8_t* data, uint32_t count);

  // The header of a D or U opens the exchange, or is rejected.
  void Header(const uint8_t* header);
  // Keeps the header as the exchange's entry; false when reject_request rejects it.
  bool TakeHeader(const uint8_t* header);
  void OpenSend();
  void OpenReceive();
  // The first status block of an exchange that moves size payload bytes.
  void OpenExchange(uint32_t size, State next);
  // A length word of a send or receive: a chunk announced or asked for, the
  // stop word, or a violation.
  void LengthWord(uint32_t length);
  void SendChunk(const uint8_t* data, uint32_t count);
  void GiveChunk(uint32_t length);
  void Moved(uint32_t count);
  // When the allowance is used up, the next status block grants the next one.
  void GrantNextAllowanceIfDue();

  void ListFiles();
  void DeleteFile(const uint8_t* entry);
  void ModeCommand(uint8_t mode);

  // Counts a D, U or R request; true when the reject_request fault hits it.
  bool CountFileRequest();
  // Ends a send or receive that is under way; an unfinished file is discarded.
  void Abandon(const char* why);
  void Reject(const char* why);
  void Violation(const char* what);
  // Answers with a rejection and ignores the host until a purge or a command.
  void RefuseExchange();
  void QueueStatus(uint8_t acceptance, uint32_t acceptCount, bool answersData);
  uint32_t NextAllowance(uint32_t remaining) const;
  void TraceEntry(const char* label, const uint8_t* entry);
  void TraceFilesHeld();

  const PrinterConfig& config_;
  FileStore& store_;
  Trace& trace_;
  LinkClock& clock_;

  State state_ = State::kIdle;
  uint8_t mode_ = 0;
  uint32_t fileRequests_ = 0;
  bool rejectRequest_ = false;  // the D or U under way is the one reject_request names

  // The exchange under way: entry, expected payload size, bytes moved, allowance.
  FileEntry entry_{};
  uint32_t expected_ = 0;
  uint32_t moved_ = 0;
  uint32_t allowance_ = 0;
  uint32_t chunkSize_ = 0;
  std::vector<uint8_t> payload_;  // the file being received from, or sent to, the host

  ReplyQueue replies_;
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_PRINTER_MODEL_H
