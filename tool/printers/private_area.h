// The driver-private area of a device mode, in the two layouts the drivers
// keep. Offsets are bytes from the start of the private area; every read and
// write goes through the bounds-checked view, so what lies past the area's
// dmDriverExtra bytes is absent.
#ifndef TOOL_PRINTERS_PRIVATE_AREA_H
#define TOOL_PRINTERS_PRIVATE_AREA_H

#include <cstddef>
#include <cstdint>

#include "platform/byte_view.h"

namespace vexlow {

// Words every layout shares.
inline constexpr std::size_t kPrivateSizeOffset = 0;         // total size of the area
inline constexpr std::size_t kPrivateStateOffset = 2;        // kPrivateChangingSettings
inline constexpr std::size_t kPrivateSpecialTapeOffset = 8;  // kSpecialTapeOn or 0

inline constexpr uint16_t kPrivateChangingSettings = 0x0004;
inline constexpr uint16_t kSpecialTapeOn = 4;

// Layout one.
inline constexpr std::size_t kPrivatePaperFlagsOffset = 4;    // kPrivatePaper... bits
inline constexpr std::size_t kPrivateGroupOffset = 6;         // group identifier
inline constexpr std::size_t kPrivateMarginKeyOffset = 10;    // key of the margin record
inline constexpr std::size_t kPrivatePieceOffset = 12;        // piece number
inline constexpr std::size_t kPrivateMediaCountOffset = 14;   // media entries that follow
inline constexpr std::size_t kPrivatePaperLengthOffset = 18;  // 32-bit, device pixels
inline constexpr std::size_t kPrivateOptionBitsOffset = 22;   // 32-bit option bits
inline constexpr std::size_t kPrivateMediaOffset = 30;        // the first media entry
inline constexpr std::size_t kPrivateHeaderSize = 30;
inline constexpr std::size_t kPrivateMediaEntrySize = 150;
// Media entries past this many bytes are not read.
inline constexpr std::size_t kPrivateMediaBytes = 3000;

inline constexpr uint16_t kPrivatePaperPiece = 0x01;        // a paper made of pieces
inline constexpr uint16_t kPrivatePaperLength = 0x02;       // length from offset 18
inline constexpr uint16_t kPrivatePaperMargin = 0x10;       // margins from a margin record
inline constexpr uint16_t kPrivatePaperPieceNumber = 0x20;  // piece number from offset 12

// Layout two.
inline constexpr std::size_t kPrivateOptionByteOffset = 107;
inline constexpr std::size_t kPrivateMediaCountTwoOffset = 109;  // 8-bit
inline constexpr std::size_t kPrivateMediaTwoOffset = 112;
inline constexpr std::size_t kPrivateMediaEntryTwoSize = 73;

// Whether the area is a well-formed layout one: its size word is 3030, 4530,
// or its media count × 150 + 30, and it holds the whole 30-byte header.
bool PassesPrivateAreaCheck(const platform::ByteReader& area);

}  // namespace vexlow

#endif  // TOOL_PRINTERS_PRIVATE_AREA_H
