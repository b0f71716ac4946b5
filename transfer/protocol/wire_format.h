// The printer's file-transfer command protocol on the wire: command frames,
// the requests that carry more than a frame, and length words. Every
// multi-byte number is little-endian; the status block is ostrand_status.h.
#ifndef TRANSFER_PROTOCOL_WIRE_FORMAT_H
#define TRANSFER_PROTOCOL_WIRE_FORMAT_H

#include <array>
#include <cstdint>

#include "ostrand.h"
#include "platform/byte_view.h"

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

using Frame = std::array<uint8_t, kFrameSize>;
using LengthWord = std::array<uint8_t, kLengthWordSize>;

constexpr Frame CommandFrame(Command command) {
  return {0x1B, 0x69, 0x46, static_cast<uint8_t>(command)};
}

// A frame and the kExtra bytes that follow it in the same write.
template <uint32_t kExtra>
std::array<uint8_t, kFrameSize + kExtra> CommandWith(Command command, const void* extra) {
  std::array<uint8_t, kFrameSize + kExtra> request{};
  platform::ByteWriter out(request.data(), request.size());
  const Frame frame = CommandFrame(command);
  out.Put(0, frame.data(), kFrameSize);
  out.Put(kFrameSize, extra, kExtra);
  return request;
}

inline LengthWord MakeLengthWord(uint32_t length) {
  LengthWord word{};
  platform::ByteWriter(word.data(), word.size()).PutU32(0, length);
  return word;
}

}  // namespace ostrand::wire

#endif  // TRANSFER_PROTOCOL_WIRE_FORMAT_H
