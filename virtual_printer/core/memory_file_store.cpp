#include "memory_file_store.h"

#include <algorithm>

namespace vp {

std::vector<MemoryFileStore::File>::iterator MemoryFileStore::Find(const FileEntry& entry) {
  return std::find_if(files_.begin(), files_.end(),
                      [&](const File& f) { return f.entry == entry; });
}

const std::vector<StoredFile>& MemoryFileStore::Files() {
  listing_.clear();
  for (const File& f : files_) {
    listing_.push_back({f.entry, f.payload.size()});
  }
  return listing_;
}

bool MemoryFileStore::Load(const FileEntry& entry, std::vector<uint8_t>* payload) {
  auto it = Find(entry);
  if (it == files_.end()) {
    return false;
  }
  payload->assign(it->payload.begin(), it->payload.end());
  return true;
}

bool MemoryFileStore::Store(const FileEntry& entry, const std::vector<uint8_t>& payload) {
  auto it = Find(entry);
  if (it == files_.end()) {
    files_.push_back(File{entry, payload});
  } else {
    it->payload = payload;
  }
  return true;
}

bool MemoryFileStore::Remove(const FileEntry& entry) {
  auto it = Find(entry);
  if (it == files_.end()) {
    return false;
  }
  files_.erase(it);
  return true;
}

}  // namespace vp
