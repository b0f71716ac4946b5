// The 64-byte header at the start of every package file, sent to the printer
// unchanged as the header of TRSendFile. The tool and the console client read
// it here and nowhere else.
//
//   offset 0   1 byte   0x90 in a new header
//   offset 1   1 byte   0x40 (the header's length) in a new header
//   offset 2   2 bytes  model identifier, unsigned
//   offset 16  4 bytes  payload size, signed; a usable package has one above 0
// Every other byte is carried unread. Numbers are little-endian.
#ifndef TOOL_TRANSFER_PACKAGE_HEADER_H
#define TOOL_TRANSFER_PACKAGE_HEADER_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vexlow {

struct PackageHeader {
  static constexpr std::size_t kSize = 64;

  // A new header: 0x90, 0x40, then zeros.
  std::array<uint8_t, kSize> bytes = {0x90, 0x40};

  uint16_t ModelId() const;
  // The payload size as the header holds it, signed: 0 or below in a header
  // that announces no usable payload.
  int32_t RawPayloadSize() const;
  // The payload size of a usable package; absent when it is 0 or below.
  std::optional<int32_t> PayloadSize() const;
};

// A list of file entries is read straight into consecutive headers.
static_assert(sizeof(PackageHeader) == PackageHeader::kSize);

// The header that the first bytes of a file hold: up to 64 of `size` bytes
// replace the new header's; a shorter file leaves the rest as they were.
PackageHeader ReadPackageHeader(const void* fileBytes, std::size_t size);

}  // namespace vexlow

#endif  // TOOL_TRANSFER_PACKAGE_HEADER_H
