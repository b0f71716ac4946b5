#include "folder_file_store.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace vp {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPrefix = "file-";
constexpr const char* kSuffix = ".vpf";
constexpr size_t kDigits = 8;

// The number of a "file-NNNNNNNN.vpf" name; false for any other name.
bool SlotNumber(const std::string& name, uint32_t* number) {
  const size_t prefix = std::char_traits<char>::length(kPrefix);
  const size_t suffix = std::char_traits<char>::length(kSuffix);
  if (name.size() != prefix + kDigits + suffix || name.compare(0, prefix, kPrefix) != 0 ||
      name.compare(prefix + kDigits, suffix, kSuffix) != 0) {
    return false;
  }
  uint32_t n = 0;
  for (size_t i = prefix; i < prefix + kDigits; ++i) {
    if (name[i] < '0' || name[i] > '9') {
      return false;
    }
    n = n * 10 + static_cast<uint32_t>(name[i] - '0');
  }
  *number = n;
  return true;
}

std::string SlotName(uint32_t number) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%08u%s", kPrefix, number, kSuffix);
  return name;
}

bool WriteWhole(const std::string& path, const FileEntry& entry,
                const std::vector<uint8_t>& payload) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  bool ok =
      std::fwrite(entry.data(), 1, entry.size(), file) == entry.size() &&
      (payload.empty() || std::fwrite(payload.data(), 1, payload.size(), file) == payload.size());
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

}  // namespace

bool FolderFileStore::Prepare() {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  return fs::is_directory(folder_, ec);
}

std::vector<FolderFileStore::Slot> FolderFileStore::Scan() {
  std::vector<Slot> slots;
  std::error_code ec;
  fs::directory_iterator it(folder_, ec);
  if (ec) {
    return slots;
  }
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) {
      break;
    }
    uint32_t number = 0;
    std::string name = it->path().filename().string();
    if (!SlotNumber(name, &number)) {
      continue;
    }
    Slot slot{number, folder_ + "/" + name, {}};
    std::FILE* file = std::fopen(slot.path.c_str(), "rb");
    if (file == nullptr) {
      continue;
    }
    FileEntry& entry = slot.file.entry;
    bool whole = std::fread(entry.data(), 1, entry.size(), file) == entry.size();
    std::fclose(file);
    uint64_t size = fs::file_size(slot.path, ec);
    if (!whole || ec) {
      continue;
    }
    slot.file.payloadSize = size - kEntrySize;
    slots.push_back(slot);
  }
  std::sort(slots.begin(), slots.end(),
            [](const Slot& a, const Slot& b) { return a.number < b.number; });
  return slots;
}

bool FolderFileStore::Find(const FileEntry& entry, Slot* slot) {
  for (Slot& s : Scan()) {
    if (s.file.entry == entry) {
      *slot = std::move(s);
      return true;
    }
  }
  return false;
}

const std::vector<StoredFile>& FolderFileStore::Files() {
  listing_.clear();
  for (const Slot& slot : Scan()) {
    listing_.push_back(slot.file);
  }
  return listing_;
}

bool FolderFileStore::Load(const FileEntry& entry, std::vector<uint8_t>* payload) {
  Slot slot{};
  if (!Find(entry, &slot)) {
    return false;
  }
  std::FILE* file = std::fopen(slot.path.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  payload->resize(slot.file.payloadSize);
  bool ok = std::fseek(file, kEntrySize, SEEK_SET) == 0 &&
            (payload->empty() ||
             std::fread(payload->data(), 1, payload->size(), file) == payload->size());
  std::fclose(file);
  return ok;
}

bool FolderFileStore::Store(const FileEntry& entry, const std::vector<uint8_t>& payload) {
  // A replaced file keeps its number, so it keeps its place in the list.
  uint32_t number = 1;
  for (const Slot& slot : Scan()) {
    if (slot.file.entry == entry) {
      number = slot.number;
      break;
    }
    number = std::max(number, slot.number + 1);
  }
  std::string finalPath = folder_ + "/" + SlotName(number);
  std::string partPath = finalPath + ".part";
  if (!WriteWhole(partPath, entry, payload)) {
    std::error_code ignored;
    fs::remove(partPath, ignored);
    return false;
  }
  std::error_code ec;
  fs::rename(partPath, finalPath, ec);
  if (ec) {
    // Some platforms refuse to rename onto an existing file.
    fs::remove(finalPath, ec);
    fs::rename(partPath, finalPath, ec);
  }
  if (ec) {
    fs::remove(partPath, ec);
    return false;
  }
  return true;
}

bool FolderFileStore::Remove(const FileEntry& entry) {
  Slot slot{};
  std::error_code ec;
  return Find(entry, &slot) && fs::remove(slot.path, ec);
}

}  // namespace vp
