// The bytes on the printer's link, spelled out independently of the library's
// own encoders: command frames, little-endian words, status blocks and payloads
// whose every byte tells where it came from.
#ifndef TRANSFER_PROTOCOL_TESTS_WIRE_BYTES_H
#define TRANSFER_PROTOCOL_TESTS_WIRE_BYTES_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace wire_test {

using Bytes = std::vector<uint8_t>;

inline Bytes Frame(char letter) {
  return {0x1B, 0x69, 0x46, static_cast<uint8_t>(letter)};
}

inline Bytes Le32(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

// A status block: the valid marker, model 0x1234, acceptance byte and accept
// count in their places, and `tag` in an unread byte to tell blocks apart.
inline Bytes Status(uint8_t acceptance, uint32_t acceptCount, uint8_t tag = 0) {
  Bytes block(32, 0);
  const Bytes head = {0x81, 0x20, 0x42, 0x34, 0x12}, count = Le32(acceptCount);
  std::copy(head.begin(), head.end(), block.begin());
  std::copy(count.begin(), count.end(), block.begin() + 24);
  block[10] = tag;
  block[18] = acceptance;
  return block;
}

// Distinct bytes, so a chunk taken from the wrong place shows.
inline Bytes Pattern(size_t size, uint8_t seed = 1) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
  }
  return bytes;
}

inline Bytes Slice(const Bytes& bytes, size_t from, size_t length) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(from + length));
}

inline std::string Hex(const Bytes& bytes) {
  std::string text;
  char two[4];
  for (uint8_t byte : bytes) {
    std::snprintf(two, sizeof two, text.empty() ? "%02X" : " %02X", byte);
    text += two;
  }
  return text;
}

}  // namespace wire_test

#endif  // TRANSFER_PROTOCOL_TESTS_WIRE_BYTES_H
