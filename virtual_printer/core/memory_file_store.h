// Stored files that live as long as the printer object (one process).
#ifndef VIRTUAL_PRINTER_CORE_MEMORY_FILE_STORE_H
#define VIRTUAL_PRINTER_CORE_MEMORY_FILE_STORE_H

#include "file_store.h"

namespace vp {

class MemoryFileStore final : public FileStore {
 public:
  const std::vector<StoredFile>& Files() override;
  bool Load(const FileEntry& entry, std::vector<uint8_t>* payload) override;
  bool Store(const FileEntry& entry, const std::vector<uint8_t>& payload) override;
  bool Remove(const FileEntry& entry) override;

 private:
  struct File {
    FileEntry entry;
    std::vector<uint8_t> payload;
  };
  std::vector<File>::iterator Find(const FileEntry& entry);

  std::vector<File> files_;
  std::vector<StoredFile> listing_;
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_MEMORY_FILE_STORE_H
