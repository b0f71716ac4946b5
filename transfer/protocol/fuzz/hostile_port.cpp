#include "hostile_port.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "transfer/protocol/tests/wire_bytes.h"

namespace ostrand_fuzz {
namespace {

constexpr uint32_t kStatusSize = 32;
constexpr uint32_t kFileCountSize = 2;
// Reads longer than any chunk, status block or count are lists of entries.
constexpr uint32_t kLongestKeptRead = 200;

const char* KindName(PortEvent::Kind kind) {
  switch (kind) {
    case PortEvent::Kind::kOpen:
      return "open";
    case PortEvent::Kind::kPurge:
      return "purge";
    case PortEvent::Kind::kBegin:
      return "begin";
    case PortEvent::Kind::kEnd:
      return "end";
    case PortEvent::Kind::kWrite:
      return "write";
    case PortEvent::Kind::kRead:
      return "read";
    case PortEvent::Kind::kProgress:
      return "progress";
  }
  return "?";
}

}  // namespace

std::string Describe(const Journal& journal) {
  std::string text;
  char line[160];
  for (const PortEvent& e : journal) {
    std::snprintf(line, sizeof line, "  at %llu ms %s", static_cast<unsigned long long>(e.startMs),
                  KindName(e.kind));
    text += line;
    if (e.Is(PortEvent::Kind::kProgress)) {
      std::snprintf(line, sizeof line, " %d -> %s\n", e.percent, e.answered ? "go on" : "stop");
      text += line;
      continue;
    }
    if (e.Is(PortEvent::Kind::kWrite) || e.Is(PortEvent::Kind::kRead)) {
      std::snprintf(line, sizeof line, " %u in %u", e.count, e.timeoutMs);
      text += line;
    }
    if (!e.name.empty()) {
      text += " \"" + e.name.substr(0, 40) + "\"";
    }
    for (std::size_t i = 0; i < e.bytes.size() && i < 32; ++i) {
      std::snprintf(line, sizeof line, i == 0 ? " [%02X" : " %02X", e.bytes[i]);
      text += line;
    }
    text += e.bytes.empty() ? "" : e.bytes.size() > 32 ? " ...]" : "]";
    std::snprintf(line, sizeof line, " -> %s %u, took %llu ms\n", e.answered ? "ok" : "failed",
                  e.reported, static_cast<unsigned long long>(e.endMs - e.startMs));
    text += line;
  }
  return text;
}

HostilePort::Behaviour HostilePort::Next(uint32_t timeoutMs) {
  if (input_.Empty()) {
    return {Behaviour::Outcome::kFails, 0};  // the link is gone
  }
  const uint8_t how = input_.U8();
  Behaviour behaviour{Behaviour::Outcome::kComplete, 0};
  switch (how & 7) {
    case 5:
      behaviour.outcome = Behaviour::Outcome::kFails;
      break;
    case 6:
      behaviour.outcome = Behaviour::Outcome::kShort;
      break;
    case 7:
      behaviour.outcome = Behaviour::Outcome::kOverstated;
      break;
    default:
      break;
  }
  switch ((how >> 3) & 3) {
    case 1:
      behaviour.delayMs = std::min<uint32_t>(input_.InRange(1, 50), timeoutMs);
      break;
    case 2:
      behaviour.delayMs = timeoutMs;
      break;
    case 3:
      behaviour.delayMs = input_.InRange(0, timeoutMs);
      break;
    default:
      break;
  }
  return behaviour;
}

uint32_t HostilePort::Reported(const Behaviour& how, uint32_t count) {
  switch (how.outcome) {
    case Behaviour::Outcome::kComplete:
      return count;
    case Behaviour::Outcome::kFails:
      return input_.InRange(0, count);
    case Behaviour::Outcome::kShort:
      return count == 0 ? 0 : input_.InRange(0, count - 1);
    case Behaviour::Outcome::kOverstated:
      return count + input_.InRange(1, 64);
  }
  return count;
}

std::vector<uint8_t> HostilePort::Reply(uint32_t count) {
  if (count == kFileCountSize) {
    const uint16_t files = input_.U16();
    return {static_cast<uint8_t>(files), static_cast<uint8_t>(files >> 8)};
  }
  if (count != kStatusSize) {
    // Chunks: bytes that tell one read from the next.
    return std::vector<uint8_t>(count, static_cast<uint8_t>(0x5A + journal_.size()));
  }
  // A status block: accepted, with an acceptance byte of the input's, or raw.
  const uint8_t shape = input_.U8();
  if ((shape & 3) == 3) {
    std::vector<uint8_t> raw = input_.Bytes(kStatusSize);
    raw.resize(kStatusSize);
    return raw;
  }
  uint32_t acceptCount = 0;
  switch ((shape >> 2) & 3) {
    case 0:
      acceptCount = input_.InRange(0, 600);
      break;
    case 1:
      acceptCount = input_.InRange(0, 70000);
      break;
    case 2:
      acceptCount = input_.U32();
      break;
    default:
      break;
  }
  const uint8_t acceptance = (shape & 3) == 2 ? input_.U8() : 1;
  return wire_test::Status(acceptance, acceptCount, static_cast<uint8_t>(journal_.size()));
}

PortEvent& HostilePort::Record(PortEvent::Kind kind, uint32_t timeoutMs, const Behaviour& how) {
  PortEvent& event = journal_.emplace_back();
  event.kind = kind;
  event.timeoutMs = timeoutMs;
  event.answered = how.outcome != Behaviour::Outcome::kFails;
  event.startMs = clock_.TrueMs();
  clock_.Advance(how.delayMs);
  event.endMs = clock_.TrueMs();
  return event;
}

bool HostilePort::Open(const char* printerName, void*) {
  Behaviour how = Next(0);
  PortEvent& event = Record(PortEvent::Kind::kOpen, 0, how);
  event.name = printerName == nullptr ? "(null)" : printerName;
  return event.answered;
}

bool HostilePort::Write(const void* buffer, uint32_t count, uint32_t* written, uint32_t timeoutMs) {
  const Behaviour how = Next(timeoutMs);
  const uint32_t reported = Reported(how, count);
  PortEvent& event = Record(PortEvent::Kind::kWrite, timeoutMs, how);
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  event.bytes.assign(bytes, bytes + count);
  event.count = count;
  event.reported = reported;
  *written = reported;
  return event.answered;
}

bool HostilePort::Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  const Behaviour how = Next(timeoutMs);
  const uint32_t reported = Reported(how, count);
  // A port puts no more than it was asked for into the buffer; what it
  // reports is another matter.
  const uint32_t delivered = std::min(reported, count);
  PortEvent& event = Record(PortEvent::Kind::kRead, timeoutMs, how);
  if (count > kLongestKeptRead) {
    // A list of entries: its bytes tell nothing, so they are not kept.
    std::memset(buffer, 0x5A, delivered);
  } else {
    event.bytes = Reply(count);
    event.bytes.resize(delivered);
    if (delivered != 0) {
      std::memcpy(buffer, event.bytes.data(), delivered);
    }
  }
  event.count = count;
  event.reported = reported;
  *read = reported;
  return event.answered;
}

void HostilePort::Purge() {
  Record(PortEvent::Kind::kPurge, 0, {Behaviour::Outcome::kComplete, 0});
}

bool HostilePort::BeginTransfer(const char* printerName, uint32_t, uint32_t timeoutMs) {
  const Behaviour how = Next(timeoutMs);
  PortEvent& event = Record(PortEvent::Kind::kBegin, timeoutMs, how);
  event.name = printerName == nullptr ? "(null)" : printerName;
  return event.answered;
}

void HostilePort::EndTransfer() {
  Record(PortEvent::Kind::kEnd, 0, {Behaviour::Outcome::kComplete, 0});
}

}  // namespace ostrand_fuzz
