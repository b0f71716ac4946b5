#include "replay_port.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "support/recording/recording_format.h"

namespace vp {

namespace {

using support::PortCall;
using support::RecordedCall;

std::optional<std::string> NameOf(const char* printerName) {
  if (printerName == nullptr) {
    return std::nullopt;
  }
  return std::string(printerName, strnlen(printerName, support::kMaxPrinterNameBytes));
}

RecordedCall Came(PortCall kind, const char* printerName = nullptr, uint32_t count = 0,
                  uint32_t timeoutMs = 0) {
  RecordedCall call;
  call.call = kind;
  call.printerName = NameOf(printerName);
  call.count = count;
  call.timeoutMs = timeoutMs;
  return call;
}

RecordedCall WriteCame(PortCall kind, const char* printerName, uint32_t reserved,
                       const void* buffer, uint32_t count, uint32_t timeoutMs) {
  RecordedCall came = Came(kind, printerName, count, timeoutMs);
  came.reserved = reserved;
  if (buffer != nullptr) {
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    came.data.assign(bytes, bytes + count);
  }
  return came;
}

}  // namespace

ReplayPort::ReplayPort(std::vector<RecordedCall> calls, Trace& trace, LinkClock& clock,
                       std::function<void(const std::string&)> report)
    : calls_(std::move(calls)), trace_(trace), clock_(clock), report_(std::move(report)) {}

std::string ReplayPort::Difference(const RecordedCall& recorded, const RecordedCall& came) const {
  if (recorded.call != came.call) {
    return "another call";
  }
  if ((support::IsWrite(came.call) || support::IsRead(came.call)) && recorded.count != came.count) {
    return "another count";
  }
  if (support::IsWrite(came.call) && recorded.data != came.data) {
    const auto where = std::mismatch(came.data.begin(), came.data.end(), recorded.data.begin());
    return "other bytes written, from byte " + std::to_string(where.first - came.data.begin());
  }
  return {};
}

const RecordedCall* ReplayPort::Answer(RecordedCall came, uint32_t* moved) {
  came.number = next_ + 1;
  if (trace_.Enabled()) {
    trace_.Line("replay %s", support::FormatArguments(came).c_str());
  }
  if (!parted_) {
    const RecordedCall* recorded = next_ < calls_.size() ? &calls_[next_] : nullptr;
    const std::string difference =
        recorded != nullptr ? Difference(*recorded, came) : "a call after the last one recorded";
    if (difference.empty()) {
      ++next_;
      clock_.WaitUs(recorded->elapsedUs);
      if (moved != nullptr) {
        *moved = recorded->moved;
      }
      trace_.Line("  = %d as recorded", recorded->result);
      return recorded;
    }
    parted_ = true;
    const std::string where = "replay parts from the recording at call " +
                              std::to_string(came.number) + " (" + difference + ")";
    const std::string wasRecorded =
        recorded != nullptr ? support::FormatArguments(*recorded) : std::string("nothing");
    const std::string cameInstead = support::FormatArguments(came);
    trace_.Line("  ! %s", where.c_str());
    trace_.Line("  ! recorded: %s", wasRecorded.c_str());
    trace_.Line("  ! came:     %s", cameInstead.c_str());
    report_(where + "\n  recorded: " + wasRecorded + "\n  came:     " + cameInstead);
  }
  if (moved != nullptr) {
    *moved = 0;
  }
  trace_.Line("  = failed: replay has parted from the recording");
  return nullptr;
}

int32_t ReplayPort::Answered(RecordedCall came, void* buffer, uint32_t* moved) {
  const uint32_t count = came.count;
  const RecordedCall* recorded = Answer(std::move(came), moved);
  if (recorded == nullptr) {
    return 0;
  }
  const size_t bytes = std::min<size_t>(recorded->data.size(), count);
  if (buffer != nullptr && bytes > 0) {
    std::memcpy(buffer, recorded->data.data(), bytes);
  }
  return recorded->result;
}

int32_t ReplayPort::Open(const char* printerName, void* openBlock) {
  RecordedCall came = Came(PortCall::kOpen, printerName);
  if (openBlock != nullptr) {
    const auto* block = static_cast<const uint8_t*>(openBlock);
    came.openBlock.emplace(block, block + support::kOpenBlockBytes);
  }
  return Answered(std::move(came), nullptr, nullptr);
}

int32_t ReplayPort::Write(const void* buffer, uint32_t count, uint32_t* written,
                          uint32_t timeoutMs) {
  return Answered(WriteCame(PortCall::kWrite, nullptr, 0, buffer, count, timeoutMs), nullptr,
                  written);
}

int32_t ReplayPort::Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  return Answered(Came(PortCall::kRead, nullptr, count, timeoutMs), buffer, read);
}

int32_t ReplayPort::Purge() {
  return Answered(Came(PortCall::kPurge), nullptr, nullptr);
}

int32_t ReplayPort::BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) {
  RecordedCall came = Came(PortCall::kBeginTransfer, printerName, 0, timeoutMs);
  came.reserved = reserved;
  return Answered(std::move(came), nullptr, nullptr);
}

int32_t ReplayPort::EndTransfer() {
  return Answered(Came(PortCall::kEndTransfer), nullptr, nullptr);
}

int32_t ReplayPort::WriteByName(const char* printerName, uint32_t reserved, const void* buffer,
                                uint32_t count, uint32_t* written, uint32_t timeoutMs) {
  return Answered(
      WriteCame(PortCall::kWriteByName, printerName, reserved, buffer, count, timeoutMs), nullptr,
      written);
}

int32_t ReplayPort::ReadByName(const char* printerName, uint32_t reserved, void* buffer,
                               uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  RecordedCall came = Came(PortCall::kReadByName, printerName, count, timeoutMs);
  came.reserved = reserved;
  return Answered(std::move(came), buffer, read);
}

}  // namespace vp
