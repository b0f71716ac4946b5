#include "printer_model.h"

#include <algorithm>
#include <cstring>

#include "byte_order.h"
#include "wire.h"

namespace vp {

namespace {

const char* CommandName(uint8_t letter) {
  switch (letter) {
    case 'I':
      return "initialise";
    case 'S':
      return "status";
    case 'L':
      return "file list";
    case 'D':
      return "send a file to the printer";
    case 'U':
      return "receive a file from the printer";
    case 'R':
      return "delete a file";
    default:
      return "unknown";
  }
}

constexpr uint32_t kFirstPayloadRoom = 1024 * 1024;

bool ScopeHits(StatusScope scope, bool answersData) {
  return scope == StatusScope::kAll || answersData;
}

}  // namespace

PrinterModel::PrinterModel(const PrinterConfig& config, FileStore& store, Trace& trace,
                           LinkClock& clock)
    : config_(config), store_(store), trace_(trace), clock_(clock), replies_(clock) {}

bool PrinterModel::IsFrame(const uint8_t* data, uint32_t count) {
  return count >= kFrameSize && data[0] == kEsc && data[1] == kFrameI && data[2] == kFrameF;
}

bool PrinterModel::IsModeCommand(const uint8_t* data, uint32_t count) {
  return count == kFrameSize && data[0] == kEsc && data[1] == kFrameI && data[2] == kFrameModeA;
}

void PrinterModel::Connect() {
  Abandon("the port was opened again");
  replies_.Clear();
  fileRequests_ = 0;
  state_ = State::kIdle;
}

void PrinterModel::Purge() {
  if (replies_.Unread() > 0) {
    trace_.Line("  purge: %u unread reply bytes dropped", static_cast<unsigned>(replies_.Unread()));
  }
  replies_.Clear();
  Abandon("the host purged the port");
  state_ = State::kIdle;
}

void PrinterModel::HostWrite(const uint8_t* data, uint32_t count) {
  // The write the exchange under way expects comes first: a chunk or header may
  // begin with the bytes of a command frame.
  switch (state_) {
    case State::kSendChunk:
      if (count == chunkSize_) {
        SendChunk(data, count);
        return;
      }
      break;
    case State::kSendLengthWord:
    case State::kReceiveLengthWord:
      if (count == kLengthWordSize && !IsFrame(data, count)) {
        LengthWord(ReadLe32(data));
        return;
      }
      break;
    case State::kSendHeader:
    case State::kReceiveHeader:
      if (count == kEntrySize) {
        Header(data);
        return;
      }
      break;
    case State::kIdle:
    case State::kRejected:
      break;
  }
  if (IsFrame(data, count)) {
    Command(data, count);
  } else {
    UnexpectedWrite(data, count);
  }
}

void PrinterModel::UnexpectedWrite(const uint8_t* data, uint32_t count) {
  char what[80];
  switch (state_) {
    case State::kSendChunk:
      std::snprintf(what, sizeof what, "a chunk of %u bytes after a length word of %u", count,
                    chunkSize_);
      break;
    case State::kSendLengthWord:
    case State::kReceiveLengthWord:
      std::snprintf(what, sizeof what, "%u bytes where a 4-byte length word belongs", count);
      break;
    case State::kSendHeader:
    case State::kReceiveHeader:
      std::snprintf(what, sizeof what, "data before the header: %u bytes", count);
      break;
    case State::kIdle:
    case State::kRejected:
      if (IsModeCommand(data, count)) {
        ModeCommand(data[3]);
        return;
      }
      if (state_ == State::kRejected) {
        trace_.Line("  ignored %u bytes: the printer has rejected the exchange", count);
        return;
      }
      if (count == kLengthWordSize && ReadLe32(data) == 0) {
        trace_.Line("  stop word with no exchange under way: nothing to end");
        return;
      }
      std::snprintf(what, sizeof what, "%u bytes outside any command", count);
      break;
  }
  Violation(what);
}

void PrinterModel::Command(const uint8_t* data, uint32_t count) {
  const uint8_t letter = data[3];
  trace_.Line("  command %c (%s), %u bytes", (letter >= 0x20 && letter < 0x7F) ? letter : '?',
              CommandName(letter), count);
  Abandon("a new command arrived");
  replies_.Clear();
  state_ = State::kIdle;
  switch (letter) {
    case 'I':
      if (count == kFrameSize) {
        trace_.Line("  initialised: nothing under way, no reply");
        return;
      }
      break;
    case 'S':
      if (count == kFrameSize) {
        QueueStatus(kAccepted, config_.statusAcceptCount, false);
        return;
      }
      break;
    case 'L':
      if (count == kFrameSize + 1) {
        ListFiles();
        return;
      }
      break;
    case 'D':
    case 'U':
      if (count == kFrameSize) {
        rejectRequest_ = CountFileRequest();
        state_ = letter == 'D' ? State::kSendHeader : State::kReceiveHeader;
        if (rejectRequest_) {
          // The request is answered when its header has come.
          trace_.Line("  request is marked for rejection (reject_request)");
        }
        return;
      }
      break;
    case 'R':
      if (count == kFrameSize + kEntrySize) {
        DeleteFile(data + kFrameSize);
        return;
      }
      break;
    default:
      break;
  }
  char what[80];
  std::snprintf(what, sizeof what, "command 0x%02X with %u bytes is not a command of this printer",
                letter, count);
  Violation(what);
}

bool PrinterModel::CountFileRequest() {
  ++fileRequests_;
  trace_.Line("  file request %u since open", fileRequests_);
  return config_.faults.rejectRequest != 0 && config_.faults.rejectRequest == fileRequests_;
}

uint32_t PrinterModel::NextAllowance(uint32_t remaining) const {
  return std::min(config_.acceptCount, remaining);
}

void PrinterModel::TraceEntry(const char* label, const uint8_t* entry) {
  if (!trace_.Enabled()) {
    return;
  }
  trace_.Line("  %s: model 0x%04X, payload size %u, bytes %s", label,
              ReadLe16(entry + kHeaderModelOffset), ReadLe32(entry + kHeaderPayloadSizeOffset),
              Trace::Hex(entry, kEntrySize, 20).c_str());
}

bool PrinterModel::TakeHeader(const uint8_t* header) {
  TraceEntry("header", header);
  std::memcpy(entry_.data(), header, kEntrySize);
  if (rejectRequest_) {
    Reject("file request rejected (reject_request)");
    return false;
  }
  return true;
}

void PrinterModel::Header(const uint8_t* header) {
  if (!TakeHeader(header)) {
    return;
  }
  if (state_ == State::kReceiveHeader) {
    OpenReceive();
  } else {
    OpenSend();
  }
}

void PrinterModel::OpenSend() {
  const uint32_t size = ReadLe32(entry_.data() + kHeaderPayloadSizeOffset);
  if (size == 0) {
    Reject("the header announces an empty payload");
    return;
  }
  const uint64_t held = store_.BytesHeldExcept(entry_);
  if (held > config_.capacityBytes || size > config_.capacityBytes - held) {
    Reject("the file does not fit into the printer's memory");
    return;
  }
  payload_.clear();
  // The header's size is only announced: room beyond a first part grows as
  // the chunks come, so a host cannot make the printer take gigabytes at once.
  payload_.reserve(std::min<uint32_t>(size, kFirstPayloadRoom));
  OpenExchange(size, State::kSendLengthWord);
}

void PrinterModel::OpenReceive() {
  if (!store_.Load(entry_, &payload_) || payload_.empty()) {
    Reject("no stored file has this entry");
    return;
  }
  trace_.Line("  found the file: %u bytes to give", static_cast<unsigned>(payload_.size()));
  OpenExchange(static_cast<uint32_t>(payload_.size()), State::kReceiveLengthWord);
}

void PrinterModel::OpenExchange(uint32_t size, State next) {
  expected_ = size;
  moved_ = 0;
  allowance_ = NextAllowance(size);
  state_ = next;
  QueueStatus(kAccepted, allowance_, false);
}

void PrinterModel::LengthWord(uint32_t length) {
  const bool sending = state_ == State::kSendLengthWord;
  if (length == 0) {
    trace_.Line("  length word 0: stop word");
    Abandon("the host sent the stop word");
    return;
  }
  if (trace_.Enabled()) {
    trace_.Line("  length word %u", length);
  }
  char what[112];
  if (length > kMaxChunk) {
    std::snprintf(what, sizeof what, "length word %u is above %u", length, kMaxChunk);
    Violation(what);
    return;
  }
  if (length > allowance_) {
    std::snprintf(what, sizeof what,
                  "length word %u exceeds the %u bytes the printer %s before its next status",
                  length, allowance_, sending ? "takes" : "gives");
    Violation(what);
    return;
  }
  if (sending) {
    chunkSize_ = length;
    state_ = State::kSendChunk;
  } else {
    GiveChunk(length);
  }
}

void PrinterModel::SendChunk(const uint8_t* data, uint32_t count) {
  payload_.insert(payload_.end(), data, data + count);
  Moved(count);
  if (trace_.Enabled()) {
    trace_.Line("  chunk of %u bytes: %u of %u received", count, moved_, expected_);
  }
  if (moved_ < expected_) {
    state_ = State::kSendLengthWord;
    GrantNextAllowanceIfDue();
    return;
  }
  state_ = State::kIdle;
  const bool kept = store_.Store(entry_, payload_);
  payload_.clear();
  if (!kept) {
    trace_.Line("  x the complete file could not be kept: discarded");
    QueueStatus(kRejected, 0, true);
    return;
  }
  if (trace_.Enabled()) {
    trace_.Line("  stored: model 0x%04X, %u bytes", ReadLe16(entry_.data() + kHeaderModelOffset),
                expected_);
    TraceFilesHeld();
  }
  QueueStatus(kAccepted, 0, true);
}

void PrinterModel::GiveChunk(uint32_t length) {
  replies_.Add(payload_.data() + moved_, length);
  Moved(length);
  if (trace_.Enabled()) {
    trace_.Line("  chunk of %u bytes queued: %u of %u given", length, moved_, expected_);
  }
  if (moved_ < expected_) {
    GrantNextAllowanceIfDue();
    return;
  }
  trace_.Line("  the whole file has been given");
  state_ = State::kIdle;
  payload_.clear();
  QueueStatus(kAccepted, 0, true);
}

void PrinterModel::Moved(uint32_t count) {
  moved_ += count;
  allowance_ -= count;
}

void PrinterModel::GrantNextAllowanceIfDue() {
  if (allowance_ == 0) {
    allowance_ = NextAllowance(expected_ - moved_);
    QueueStatus(kAccepted, allowance_, true);
  }
}

void PrinterModel::ListFiles() {
  const std::vector<StoredFile>& files = store_.Files();
  // The count is 16 bits wide: a larger store lists its first 65535 files.
  const uint32_t count = static_cast<uint32_t>(std::min<size_t>(files.size(), 0xFFFF));
  uint8_t countBytes[2];
  WriteLe16(countBytes, static_cast<uint16_t>(count));
  replies_.Add(countBytes, sizeof countBytes);
  trace_.Line("  file list: %u file%s", count, count == 1 ? "" : "s");
  for (uint32_t i = 0; i < count; ++i) {
    char label[24];
    std::snprintf(label, sizeof label, "entry %u", i + 1);
    TraceEntry(label, files[i].entry.data());
    replies_.Add(files[i].entry.data(), kEntrySize);
  }
}

void PrinterModel::DeleteFile(const uint8_t* entry) {
  const bool rejected = CountFileRequest();
  TraceEntry("entry", entry);
  std::memcpy(entry_.data(), entry, kEntrySize);
  if (rejected) {
    Reject("file request rejected (reject_request)");
    return;
  }
  if (!store_.Remove(entry_)) {
    Reject("no stored file has this entry");
    return;
  }
  trace_.Line("  removed the file");
  TraceFilesHeld();
  QueueStatus(kAccepted, 0, false);
}

void PrinterModel::TraceFilesHeld() {
  if (trace_.Enabled()) {
    const size_t files = store_.Files().size();
    trace_.Line("  the printer now holds %u file%s", static_cast<unsigned>(files),
                files == 1 ? "" : "s");
  }
}

void PrinterModel::ModeCommand(uint8_t mode) {
  mode_ = mode;
  trace_.Line("  mode command: the printer switches to command mode %u", mode);
}

void PrinterModel::DirectWrite(const uint8_t* data, uint32_t count) {
  if (IsModeCommand(data, count)) {
    ModeCommand(data[3]);
    return;
  }
  trace_.Line("  %u bytes by name that are not the mode command: ignored", count);
}

void PrinterModel::BeginTransfer() {
  trace_.Line("  transfer begun");
}

void PrinterModel::EndTransfer() {
  Abandon("the host ended the transfer first");
  trace_.Line("  transfer ended");
}

void PrinterModel::LinkBroken() {
  Abandon("the link broke");
  replies_.Clear();
  state_ = State::kIdle;
}

void PrinterModel::Abandon(const char* why) {
  switch (state_) {
    case State::kSendLengthWord:
    case State::kSendChunk:
      trace_.Line("  x discarded the unfinished file (%u of %u bytes received): %s", moved_,
                  expected_, why);
      break;
    case State::kReceiveLengthWord:
      trace_.Line("  x receive ended after %u of %u bytes: %s", moved_, expected_, why);
      break;
    case State::kSendHeader:
    case State::kReceiveHeader:
      trace_.Line("  x request ended before its header came: %s", why);
      break;
    case State::kIdle:
    case State::kRejected:
      return;
  }
  payload_.clear();
  state_ = State::kIdle;
}

void PrinterModel::Reject(const char* why) {
  trace_.Line("  x rejected: %s", why);
  RefuseExchange();
}

void PrinterModel::Violation(const char* what) {
  trace_.Line("  ! protocol violation by the host: %s", what);
  Abandon("protocol violation");
  RefuseExchange();
}

void PrinterModel::RefuseExchange() {
  payload_.clear();
  state_ = State::kRejected;
  QueueStatus(kRejected, 0, false);
}

void PrinterModel::QueueStatus(uint8_t acceptance, uint32_t acceptCount, bool answersData) {
  uint8_t block[kStatusSize] = {};
  const FaultConfig& faults = config_.faults;
  if (faults.wrongMagic) {
    block[0] = 0x80;
    block[1] = 0x21;
    block[2] = 0x41;
  } else {
    block[0] = 0x81;
    block[1] = 0x20;
    block[2] = 0x42;
  }
  WriteLe16(block + 3, faults.wrongModel ? faults.wrongModelId : config_.modelId);
  block[kStatusAcceptanceOffset] = acceptance;
  WriteLe32(block + kStatusAcceptCountOffset, acceptCount);
  trace_.Line("  status reply: %02X %02X %02X, model 0x%04X, acceptance %u, accept count %u",
              block[0], block[1], block[2], ReadLe16(block + 3), acceptance, acceptCount);

  uint32_t size = kStatusSize;
  if (faults.shortStatusBytes >= 0 && ScopeHits(faults.shortStatusScope, answersData)) {
    size = static_cast<uint32_t>(faults.shortStatusBytes);
    trace_.Line("  (short_status: only %u of its 32 bytes are sent)", size);
  }
  if (faults.lateStatusMs > 0 && ScopeHits(faults.lateStatusScope, answersData)) {
    trace_.Line("  (late_status: readable only %u ms from now)", faults.lateStatusMs);
    replies_.AddHeld(block, size, clock_.NowUs() + uint64_t{faults.lateStatusMs} * 1000);
    return;
  }
  replies_.Add(block, size);
}

}  // namespace vp
