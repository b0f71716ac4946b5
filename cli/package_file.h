// Package files and entry files on disk. A package is a 64-byte header and the
// payload it announces; bytes after the payload are not part of it. An entry
// file is any file whose first 64 bytes are the entry.
#ifndef CLI_PACKAGE_FILE_H
#define CLI_PACKAGE_FILE_H

#include <cstdint>
#include <memory>
#include <string>

#include "tool/transfer/package_header.h"

namespace cli {

using vexlow::PackageHeader;

enum class FileProblem {
  kNone,
  kCannotOpen,
  kShorterThanHeader,
  kEmptyPayload,
  kPayloadTooLarge,  // a size of 2 GiB or more: negative as the header's signed number
  kShorterThanPayload,
  kOutOfMemory,
};

const char* FileProblemText(FileProblem problem);

// The payload of one package, in memory obtained without an exception.
struct Payload {
  std::unique_ptr<uint8_t[]> bytes;
  uint32_t size = 0;
};

// Room for the payload the header announces: kEmptyPayload or
// kPayloadTooLarge for a size the header does not allow, kOutOfMemory when the
// memory cannot be had.
FileProblem AllocatePayload(const PackageHeader& header, Payload* payload);

struct PackageFile {
  PackageHeader header;
  Payload payload;
};

// The payload is allocated only after the file is known to hold it.
FileProblem ReadPackageFile(const std::string& path, PackageFile* package);
FileProblem ReadEntryFile(const std::string& path, PackageHeader* entry);
// Writes header and payload; a file that could not be written whole is removed.
bool WritePackageFile(const std::string& path, const PackageFile& package);

}  // namespace cli

#endif  // CLI_PACKAGE_FILE_H
