// Stored files kept in a folder, so a later process (another run of a client,
// another test step) sees what an earlier one sent. Each file is one
// "file-NNNNNNNN.vpf" holding the 64-byte entry and then the payload; the
// number gives the list order. A file is written under a temporary name and
// renamed when complete, so a crash never leaves half a file listed.
#ifndef VIRTUAL_PRINTER_CORE_FOLDER_FILE_STORE_H
#define VIRTUAL_PRINTER_CORE_FOLDER_FILE_STORE_H

#include <string>

#include "file_store.h"

namespace vp {

class FolderFileStore final : public FileStore {
 public:
  explicit FolderFileStore(std::string folder) : folder_(std::move(folder)) {}

  // Creates the folder when missing; false when it cannot be made.
  bool Prepare();

  const std::vector<StoredFile>& Files() override;
  bool Load(const FileEntry& entry, std::vector<uint8_t>* payload) override;
  bool Store(const FileEntry& entry, const std::vector<uint8_t>& payload) override;
  bool Remove(const FileEntry& entry) override;

 private:
  // One stored file in the folder: its number (the list order) and path.
  struct Slot {
    uint32_t number;
    std::string path;
    StoredFile file;
  };
  // The complete stored files, in list order.
  std::vector<Slot> Scan();
  // The slot of that entry, if a stored file has it.
  bool Find(const FileEntry& entry, Slot* slot);

  std::string folder_;
  std::vector<StoredFile> listing_;
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_FOLDER_FILE_STORE_H
