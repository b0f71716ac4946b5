// Names of printers, drivers, ports and paths as the system passes them: in
// 260-byte buffers, zero-terminated, so at most 259 characters.
#ifndef TOOL_PRINTERS_NAME_BUFFER_H
#define TOOL_PRINTERS_NAME_BUFFER_H

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace vexlow {

inline constexpr std::size_t kNameBufferSize = 260;
inline constexpr std::size_t kMaxNameLength = kNameBufferSize - 1;
using NameBuffer = std::array<char, kNameBufferSize>;

// The name held: up to its first zero, never past the buffer.
inline std::string_view NameOf(const NameBuffer& buffer) {
  const void* end = std::memchr(buffer.data(), '\0', buffer.size());
  return std::string_view(buffer.data(), end == nullptr
                                             ? buffer.size()
                                             : static_cast<const char*>(end) - buffer.data());
}

// Stores the first 259 characters of text, zero-terminated.
inline void SetName(NameBuffer& buffer, std::string_view text) {
  const std::size_t length = text.size() < kMaxNameLength ? text.size() : kMaxNameLength;
  std::memcpy(buffer.data(), text.data(), length);
  buffer[length] = '\0';
}

// The same for a name that may be null (stored as the empty name).
inline void SetName(NameBuffer& buffer, const char* text) {
  SetName(buffer, text == nullptr ? std::string_view() : std::string_view(text));
}

}  // namespace vexlow

#endif  // TOOL_PRINTERS_NAME_BUFFER_H
