// Package files and entry files on disk. A package is a 64-byte header
// (payload size at offset 16) and the payload; bytes after the payload are not
// part of it. An entry file is any file whose first 64 bytes are the entry.
#ifndef CLI_PACKAGE_FILE_H
#define CLI_PACKAGE_FILE_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace cli {

using Header = std::array<uint8_t, 64>;

enum class FileProblem {
  kNone,
  kCannotOpen,
  kShorterThanHeader,
  kEmptyPayload,
  kShorterThanPayload,
};

const char* FileProblemText(FileProblem problem);

// Numbers are little-endian in package files and on the wire.
uint16_t Le16At(const uint8_t* bytes);
uint32_t Le32At(const uint8_t* bytes);
uint32_t PayloadSizeOf(const Header& header);
uint16_t ModelOf(const Header& header);

struct PackageFile {
  Header header{};
  std::vector<uint8_t> payload;
};

// The payload is allocated only after the file is known to hold it.
FileProblem ReadPackageFile(const std::string& path, PackageFile* package);
FileProblem ReadEntryFile(const std::string& path, Header* entry);
// Writes header and payload; a file that could not be written whole is removed.
bool WritePackageFile(const std::string& path, const Header& header,
                      const std::vector<uint8_t>& payload);

}  // namespace cli

#endif  // CLI_PACKAGE_FILE_H
