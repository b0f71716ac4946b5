// A package file opened for reading, with its 64-byte header read at once.
#ifndef TOOL_TRANSFER_PACKAGE_FILE_H
#define TOOL_TRANSFER_PACKAGE_FILE_H

#include <cstddef>
#include <string>

#include "platform/file.h"
#include "tool/transfer/package_header.h"

namespace vexlow {

class PackageFile {
 public:
  // Opens `path` for reading and reads up to 64 bytes over a new header (a
  // shorter file leaves the rest of it). False when the file cannot be
  // opened; the header then stays new.
  bool Open(const std::string& path);
  const PackageHeader& Header() const { return header_; }
  // Whether the file holds `size` bytes of payload after its header.
  bool HoldsPayload(std::size_t size);
  // Reads `size` bytes of payload, from just after the header, into buffer;
  // false when fewer come.
  bool ReadPayload(void* buffer, std::size_t size);

 private:
  platform::File file_;
  PackageHeader header_;
};

}  // namespace vexlow

#endif  // TOOL_TRANSFER_PACKAGE_FILE_H
