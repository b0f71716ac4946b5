// A file opened by path for reading in binary mode, with 64-bit positions (a
// file of 2 GiB or more is measured right). Closes itself when it goes out of
// scope; every operation on a closed file fails harmlessly.
#ifndef PLATFORM_FILE_H
#define PLATFORM_FILE_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

class File {
 public:
  enum class Origin { Begin, Current, End };

  File() = default;
  ~File() { Close(); }
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens `path` (ANSI code page on Windows) for reading; closes any file
  // open before. False when it cannot be opened.
  bool Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }
  // Reads up to `size` bytes; returns how many were read (0 at the end or on error).
  std::size_t Read(void* buffer, std::size_t size);
  // Moves the read position; returns the new position from the start, or -1.
  int64_t Seek(int64_t offset, Origin origin);
  void Close();

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace platform

#endif  // PLATFORM_FILE_H
