// One call of the port I/O library as a recording holds it: which operation,
// what the caller passed, what the library answered and how long it took.
#ifndef SUPPORT_RECORDING_RECORDED_CALL_H
#define SUPPORT_RECORDING_RECORDED_CALL_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace support {

enum class PortCall : uint8_t {
  kOpen,           // ordinal 3
  kWrite,          // ordinal 4
  kRead,           // ordinal 5
  kPurge,          // ordinal 6
  kBeginTransfer,  // ordinal 7
  kEndTransfer,    // ordinal 8
  kWriteByName,    // SKWriteFile
  kReadByName,     // SKReadFile
};

// The call's word in a recording ("open@3", "SKWriteFile").
const char* PortCallWord(PortCall call);

inline constexpr uint32_t kOpenBlockBytes = 10;
inline constexpr uint32_t kMaxPrinterNameBytes = 259;

struct RecordedCall {
  uint64_t number = 0;  // 1 for the first call of a recording
  PortCall call = PortCall::kPurge;
  // Open, begin transfer and the by-name calls; nullopt for a null pointer.
  std::optional<std::string> printerName;
  // Open: the 10-byte block; nullopt for a null pointer.
  std::optional<std::vector<uint8_t>> openBlock;
  uint32_t reserved = 0;   // begin transfer and the by-name calls
  uint32_t count = 0;      // writes and reads: the byte count asked
  uint32_t timeoutMs = 0;  // writes, reads, begin transfer
  // Writes: the count bytes given. Reads: the bytes that came (at most count).
  std::vector<uint8_t> data;
  int32_t result = 0;
  uint32_t moved = 0;  // writes and reads: the written or read count the library gave
  uint64_t elapsedUs = 0;

  bool operator==(const RecordedCall&) const = default;
};

inline bool IsWrite(PortCall call) {
  return call == PortCall::kWrite || call == PortCall::kWriteByName;
}
inline bool IsRead(PortCall call) {
  return call == PortCall::kRead || call == PortCall::kReadByName;
}

}  // namespace support

#endif  // SUPPORT_RECORDING_RECORDED_CALL_H
