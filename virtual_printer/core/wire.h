// The printer's side of the wire format: command frames, the status block and
// the limits the host must keep.
#ifndef VIRTUAL_PRINTER_CORE_WIRE_H
#define VIRTUAL_PRINTER_CORE_WIRE_H

#include <cstdint>

namespace vp {

inline constexpr uint8_t kEsc = 0x1B;
// Command frames are ESC "i" "F" letter; the mode command is ESC "i" "a" mode.
inline constexpr uint8_t kFrameI = 0x69;
inline constexpr uint8_t kFrameF = 0x46;
inline constexpr uint8_t kFrameModeA = 0x61;
inline constexpr uint32_t kFrameSize = 4;

inline constexpr uint32_t kStatusSize = 32;
inline constexpr uint32_t kStatusAcceptanceOffset = 18;
inline constexpr uint32_t kStatusAcceptCountOffset = 24;
inline constexpr uint8_t kAccepted = 1;
inline constexpr uint8_t kRejected = 0;

inline constexpr uint32_t kLengthWordSize = 4;
inline constexpr uint32_t kMaxChunk = 200;

// In the 64-byte header of a file: its model and payload size.
inline constexpr uint32_t kHeaderModelOffset = 2;
inline constexpr uint32_t kHeaderPayloadSizeOffset = 16;

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_WIRE_H
