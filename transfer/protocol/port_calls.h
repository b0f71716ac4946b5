// Port calls as the protocol judges them: a write or read counts only when the
// port library answered nonzero and moved the whole count it was asked for.
#ifndef TRANSFER_PROTOCOL_PORT_CALLS_H
#define TRANSFER_PROTOCOL_PORT_CALLS_H

#include <cstdint>

#include "portio/port_io.h"
#include "wire_format.h"

namespace ostrand::detail {

inline bool WriteAll(portio::PortIo& port, const void* buffer, uint32_t count, uint32_t timeoutMs) {
  uint32_t written = 0;
  return port.Write(buffer, count, &written, timeoutMs) && written == count;
}

inline bool WriteCommand(portio::PortIo& port, wire::Command command, uint32_t timeoutMs) {
  const wire::Frame frame = wire::CommandFrame(command);
  return WriteAll(port, frame.data(), wire::kFrameSize, timeoutMs);
}

// A read's two answers kept apart: some callers treat "answered but short"
// differently from "failed".
struct ReadOutcome {
  bool answered = false;
  uint32_t count = 0;
  bool Complete(uint32_t wanted) const { return answered && count == wanted; }
};

inline ReadOutcome ReadOnce(portio::PortIo& port, void* buffer, uint32_t count,
                            uint32_t timeoutMs) {
  ReadOutcome outcome;
  outcome.answered = port.Read(buffer, count, &outcome.count, timeoutMs);
  return outcome;
}

inline bool ReadAll(portio::PortIo& port, void* buffer, uint32_t count, uint32_t timeoutMs) {
  return ReadOnce(port, buffer, count, timeoutMs).Complete(count);
}

}  // namespace ostrand::detail

#endif  // TRANSFER_PROTOCOL_PORT_CALLS_H
