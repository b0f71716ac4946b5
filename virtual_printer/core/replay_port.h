// The port I/O library's calls answered from a recording instead of the
// printer model: each call gets what the real printer's library answered at
// that point (result, counts, bytes read, and the time the call took). When
// the program under test parts from the recording (another call, another
// count, other bytes written, or a call after the last one recorded) the port
// says once exactly where, and from then on every call fails.
//
// What is compared: the operation, the counts of writes and reads, and the
// bytes written. Printer names, open blocks, reserved words and time-outs are
// traced but not compared, so a recording made on a customer's PC replays
// against a printer of another name.
#ifndef VIRTUAL_PRINTER_CORE_REPLAY_PORT_H
#define VIRTUAL_PRINTER_CORE_REPLAY_PORT_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link_clock.h"
#include "support/recording/recorded_call.h"
#include "trace.h"

namespace vp {

class ReplayPort {
 public:
  // report hears, once, where the program parted from the recording.
  ReplayPort(std::vector<support::RecordedCall> calls, Trace& trace, LinkClock& clock,
             std::function<void(const std::string&)> report);

  int32_t Open(const char* printerName, void* openBlock);
  int32_t Write(const void* buffer, uint32_t count, uint32_t* written, uint32_t timeoutMs);
  int32_t Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs);
  int32_t Purge();
  int32_t BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs);
  int32_t EndTransfer();
  int32_t WriteByName(const char* printerName, uint32_t reserved, const void* buffer,
                      uint32_t count, uint32_t* written, uint32_t timeoutMs);
  int32_t ReadByName(const char* printerName, uint32_t reserved, void* buffer, uint32_t count,
                     uint32_t* read, uint32_t timeoutMs);

  bool Parted() const { return parted_; }

 private:
  // The recorded answer to the call that came, after its recorded time; null
  // (and the out count zero) once the program has parted from the recording.
  const support::RecordedCall* Answer(support::RecordedCall came, uint32_t* moved);
  std::string Difference(const support::RecordedCall& recorded,
                         const support::RecordedCall& came) const;
  int32_t Answered(support::RecordedCall came, void* buffer, uint32_t* moved);

  std::vector<support::RecordedCall> calls_;
  Trace& trace_;
  LinkClock& clock_;
  std::function<void(const std::string&)> report_;
  size_t next_ = 0;
  bool parted_ = false;
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_REPLAY_PORT_H
