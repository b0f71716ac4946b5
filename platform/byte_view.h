// Bounds-checked access to byte layouts: device modes and their private areas,
// driver records, the wire format and the package header. Every number is
// little-endian. A read that does not lie wholly inside the bytes answers
// "absent" (an empty optional, or false), never a stray byte; a write outside
// them changes nothing and answers false.
#ifndef PLATFORM_BYTE_VIEW_H
#define PLATFORM_BYTE_VIEW_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

namespace platform {

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const void* data, std::size_t size)
      : data_(static_cast<const uint8_t*>(data)), size_(data == nullptr ? 0 : size) {}

  std::size_t Size() const { return size_; }
  // Whether count bytes from offset lie inside, without overflow.
  bool Contains(std::size_t offset, std::size_t count) const {
    return offset <= size_ && count <= size_ - offset;
  }
  // The bytes from offset on, as a reader of their own (empty past the end).
  ByteReader From(std::size_t offset) const {
    return offset <= size_ ? ByteReader(data_ + offset, size_ - offset) : ByteReader();
  }

  std::optional<uint8_t> U8(std::size_t offset) const {
    if (!Contains(offset, 1)) {
      return std::nullopt;
    }
    return data_[offset];
  }
  std::optional<uint16_t> U16(std::size_t offset) const {
    if (!Contains(offset, 2)) {
      return std::nullopt;
    }
    return static_cast<uint16_t>(data_[offset] | data_[offset + 1] << 8);
  }
  std::optional<uint32_t> U32(std::size_t offset) const {
    if (!Contains(offset, 4)) {
      return std::nullopt;
    }
    return static_cast<uint32_t>(data_[offset]) | static_cast<uint32_t>(data_[offset + 1]) << 8 |
           static_cast<uint32_t>(data_[offset + 2]) << 16 |
           static_cast<uint32_t>(data_[offset + 3]) << 24;
  }
  std::optional<int16_t> I16(std::size_t offset) const {
    const auto value = U16(offset);
    return value ? std::optional<int16_t>(static_cast<int16_t>(*value)) : std::nullopt;
  }
  std::optional<int32_t> I32(std::size_t offset) const {
    const auto value = U32(offset);
    return value ? std::optional<int32_t>(static_cast<int32_t>(*value)) : std::nullopt;
  }
  // Copies count bytes from offset; false (and nothing copied) when they do
  // not all lie inside.
  bool Copy(std::size_t offset, void* out, std::size_t count) const {
    if (!Contains(offset, count)) {
      return false;
    }
    if (count != 0) {
      std::memcpy(out, data_ + offset, count);
    }
    return true;
  }

 private:
  const uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

class ByteWriter {
 public:
  ByteWriter() = default;
  ByteWriter(void* data, std::size_t size)
      : data_(static_cast<uint8_t*>(data)), size_(data == nullptr ? 0 : size) {}

  std::size_t Size() const { return size_; }
  ByteReader Reader() const { return ByteReader(data_, size_); }
  ByteWriter From(std::size_t offset) const {
    return offset <= size_ ? ByteWriter(data_ + offset, size_ - offset) : ByteWriter();
  }

  bool PutU8(std::size_t offset, uint8_t value) { return Put(offset, &value, 1); }
  bool PutU16(std::size_t offset, uint16_t value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    return Put(offset, bytes, sizeof(bytes));
  }
  bool PutU32(std::size_t offset, uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return Put(offset, bytes, sizeof(bytes));
  }
  // Writes count bytes at offset; false (and nothing written) when they do not
  // all fit.
  bool Put(std::size_t offset, const void* bytes, std::size_t count) {
    if (!Reader().Contains(offset, count)) {
      return false;
    }
    if (count != 0) {
      std::memcpy(data_ + offset, bytes, count);
    }
    return true;
  }

 private:
  uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace platform

#endif  // PLATFORM_BYTE_VIEW_H
