// The printer's file-transfer command protocol on the wire: command frames,
// the printer status block, length words. Every multi-byte number is
// little-endian.
#ifndef TRANSFER_PROTOCOL_WIRE_FORMAT_H
#define TRANSFER_PROTOCOL_WIRE_FORMAT_H

#include <array>
#include <cstddef>
#include <cstdint>

#include "ostrand.h"

namespace ostrand::wire {

// The letter that ends a command frame ESC "i" "F" <letter>.
enum class Command : uint8_t {
  kInitialise = 'I',
  kStatus = 'S',
  kFileList = 'L',
  kSendFile = 'D',
  kReceiveFile = 'U',
  kDeleteFile = 'R',
};

inline constexpr uint32_t kFrameSize = 4;
inline constexpr uint32_t kStatusSize = TR_STATUS_SIZE;
inline constexpr uint32_t kHeaderSize = TR_HEADER_SIZE;  // package header of a transfer
inline constexpr uint32_t kFileEntrySize = TR_HEADER_SIZE;
inline constexpr uint32_t kMaxChunk = TR_MAX_CHUNK;
inline constexpr uint32_t kLengthWordSize = 4;
inline constexpr uint32_t kFileCountSize = 2;
// A length word of 0 ends a transfer early (cancel or time-out).
inline constexpr uint32_t kStopWord = 0;

// Where the status block says whether the printer takes the request (1 = yes)
// and how many payload bytes it moves before its next status block.
inline constexpr size_t kAcceptanceOffset = 18;
inline constexpr uint8_t kAccepted = 1;
inline constexpr size_t kAcceptCountOffset = 24;

using Frame = std::array<uint8_t, kFrameSize>;
using StatusBlock = std::array<uint8_t, kStatusSize>;
using LengthWord = std::array<uint8_t, kLengthWordSize>;

constexpr Frame CommandFrame(Command command) {
  return {0x1B, 0x69, 0x46, static_cast<uint8_t>(command)};
}

constexpr void PutLe32(uint8_t* out, uint32_t value) {
  out[0] = static_cast<uint8_t>(value);
  out[1] = static_cast<uint8_t>(value >> 8);
  out[2] = static_cast<uint8_t>(value >> 16);
  out[3] = static_cast<uint8_t>(value >> 24);
}

constexpr uint32_t GetLe32(const uint8_t* in) {
  return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 |
         static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
}

constexpr uint16_t GetLe16(const uint8_t* in) {
  return static_cast<uint16_t>(in[0] | in[1] << 8);
}

constexpr LengthWord MakeLengthWord(uint32_t length) {
  LengthWord word{};
  PutLe32(word.data(), length);
  return word;
}

constexpr bool IsAccepted(const StatusBlock& block) {
  return block[kAcceptanceOffset] == kAccepted;
}

constexpr uint32_t AcceptCount(const StatusBlock& block) {
  return GetLe32(block.data() + kAcceptCountOffset);
}

}  // namespace ostrand::wire

#endif  // TRANSFER_PROTOCOL_WIRE_FORMAT_H
