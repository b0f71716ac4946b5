#include "memory_file_store.h"

#include <algorithm>

namespace vp {

MemoryFileStore::File* MemoryFileStore::Find(const FileEntry& entry) {
  auto it =
      std::find_if(files_.begin(), files_.end(), [&](const File& f) { return f.entry == entry; });
  return it == files_.end() ? nullptr : &*it;
}

std::vector<FileEntry> MemoryFileStore::Entries() {
  std::vector<FileEntry> entries;
  entries.reserve(files_.size());
  for (const File& f : files_) {
    entries.push_back(f.entry);
  }
  return entries;
}

bool MemoryFileStore::Load(const FileEntry& entry, std::vector<uint8_t>* payload) {
  File* f = Find(entry);
  if (f == nullptr) {
    return false;
  }
  payload->assign(f->payload.begin(), f->payload.end());
  return true;
}

bool MemoryFileStore::Store(const FileEntry& entry, const std::vector<uint8_t>& payload) {
  if (File* f = Find(entry)) {
    f->payload = payload;
    return true;
  }
  files_.push_back(File{entry, payload});
  return true;
}

bool MemoryFileStore::Remove(const FileEntry& entry) {
  auto it =
      std::find_if(files_.begin(), files_.end(), [&](const File& f) { return f.entry == entry; });
  if (it == files_.end()) {
    return false;
  }
  files_.erase(it);
  return true;
}

uint64_t MemoryFileStore::BytesHeldExcept(const FileEntry& except) {
  uint64_t held = 0;
  for (const File& f : files_) {
    if (f.entry != except) {
      held += f.payload.size();
    }
  }
  return held;
}

}  // namespace vp
