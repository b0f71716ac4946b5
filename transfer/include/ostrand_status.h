// The printer status block that TRGetStatus, TRSendFile and TRReceiveFile hand
// to their caller, for C++ callers: where its fields lie and what they say.
// Ostrand itself reads the acceptance byte and the accept count here.
//
//   offset 0   3 bytes  0x81 0x20 0x42 in a status reply of a printer of this kind
//   offset 3   2 bytes  model identifier, unsigned
//   offset 18  1 byte   acceptance byte: 1 = the request is accepted
//   offset 24  4 bytes  accept count, unsigned: during a transfer, the payload
//                       bytes the printer takes or gives before its next status
//                       block, 0 when it wants no more
// Every other byte is carried unread. Numbers are little-endian.
#ifndef OSTRAND_STATUS_H
#define OSTRAND_STATUS_H

#include <array>
#include <cstdint>

#include "ostrand.h"
#include "platform/byte_view.h"

namespace ostrand {

struct StatusBlock {
  std::array<uint8_t, TR_STATUS_SIZE> bytes{};

  bool HasMarker() const { return Byte(0) == 0x81 && Byte(1) == 0x20 && Byte(2) == 0x42; }
  uint16_t ModelId() const { return Reader().U16(3).value_or(0); }
  uint8_t AcceptanceByte() const { return Byte(18); }
  bool Accepted() const { return AcceptanceByte() == 1; }
  uint32_t AcceptCount() const { return Reader().U32(24).value_or(0); }

 private:
  platform::ByteReader Reader() const { return platform::ByteReader(bytes.data(), bytes.size()); }
  uint8_t Byte(std::size_t offset) const { return Reader().U8(offset).value_or(0); }
};

}  // namespace ostrand

#endif  // OSTRAND_STATUS_H
