// The files kept in the printer's memory. A file is known by its 64-byte entry,
// which is the header it was sent with; storing a file whose entry equals a
// stored one replaces that file. Only complete files are ever handed in here.
#ifndef VIRTUAL_PRINTER_CORE_FILE_STORE_H
#define VIRTUAL_PRINTER_CORE_FILE_STORE_H

#include <array>
#include <cstdint>
#include <vector>

namespace vp {

inline constexpr uint32_t kEntrySize = 64;
using FileEntry = std::array<uint8_t, kEntrySize>;

struct StoredFile {
  FileEntry entry;
  uint64_t payloadSize;
};

class FileStore {
 public:
  virtual ~FileStore() = default;
  // The stored files in the order they were first stored; valid until the next
  // call. Kept by the store, so that listing allocates nothing once it has room.
  virtual const std::vector<StoredFile>& Files() = 0;
  // False when no stored file has that entry (or it cannot be read).
  virtual bool Load(const FileEntry& entry, std::vector<uint8_t>* payload) = 0;
  // False when the file could not be kept; nothing of it is then stored.
  virtual bool Store(const FileEntry& entry, const std::vector<uint8_t>& payload) = 0;
  // False when no stored file has that entry.
  virtual bool Remove(const FileEntry& entry) = 0;

  // Payload bytes held by every stored file except the one with entry `except`,
  // which a new file of that entry would replace.
  uint64_t BytesHeldExcept(const FileEntry& except) {
    uint64_t held = 0;
    for (const StoredFile& file : Files()) {
      held += file.entry == except ? 0 : file.payloadSize;
    }
    return held;
  }
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_FILE_STORE_H
