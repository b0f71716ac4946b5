#include "platform/testing/fake_library_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/windows_path.h"

namespace platform::testing {
namespace {

// File names compare without regard to case, and the system takes '/' for
// '\\' when it makes a full path its own.
bool SamePath(const std::string& a, const std::string& b) {
  const auto canonical = [](char c) {
    return c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return canonical(x) == canonical(y); });
}

}  // namespace

void FakeLibraryLoader::Provide(const std::string& name, Exports exports) {
  const std::string path =
      IsAbsoluteWindowsPath(name.c_str()) ? name : std::string(kProgramFolder) + "\\" + name;
  libraries_.push_back(std::make_unique<Library>(Library{path, std::move(exports)}));
}

FakeLibraryLoader::Library* FakeLibraryLoader::Find(const std::string& path) const {
  for (const auto& library : libraries_) {
    if (SamePath(library->path, path)) {
      return library.get();
    }
  }
  return nullptr;
}

LibraryLoader::Handle FakeLibraryLoader::Load(const char* name) {
  uint32_t error = 0;
  return LoadWithFlags(name, 0, &error);
}

LibraryLoader::Handle FakeLibraryLoader::LoadWithFlags(const char* name, uint32_t flags,
                                                       uint32_t* error) {
  loads_.push_back(name == nullptr ? "" : name);
  const uint32_t search = flags & kLoadLibrarySearchFlags;
  const bool fullPath = IsAbsoluteWindowsPath(name);
  *error = kErrorInvalidParameter;
  if ((search != 0 && (!searchFlags_ || (flags & kLoadWithAlteredSearchPath) != 0)) ||
      ((flags & kLoadLibrarySearchDllLoadDir) != 0 && !fullPath)) {
    return nullptr;
  }
  *error = kErrorModNotFound;
  if (name == nullptr || *name == '\0') {
    return nullptr;
  }
  // The folders in the standard order, and whether these flags search each.
  const std::pair<const char*, bool> folders[] = {
      {kProgramFolder, search == 0 || (search & (kLoadLibrarySearchApplicationDir |
                                                 kLoadLibrarySearchDefaultDirs))},
      {kSystemFolder,
       search == 0 || (search & (kLoadLibrarySearchSystem32 | kLoadLibrarySearchDefaultDirs))},
      {kCurrentFolder, search == 0}};
  std::vector<std::string> paths;
  for (const auto& [folder, searched] : folders) {
    if (searched && !fullPath) {
      paths.push_back(std::string(folder) + "\\" + name);
    }
  }
  if (fullPath) {
    paths.push_back(name);
  }
  for (const std::string& path : paths) {
    if (Library* library = Find(path)) {
      ++loaded_;
      return library;
    }
  }
  return nullptr;
}

LibraryLoader::Symbol FakeLibraryLoader::Resolve(Handle library, const char* name) {
  EXPECT_NE(library, nullptr) << "lookup of " << name << " without a library";
  if (library == nullptr) {
    return nullptr;
  }
  const Exports& exports = static_cast<Library*>(library)->exports;
  const auto found = exports.find(name);
  return found == exports.end() ? nullptr : found->second;
}

void FakeLibraryLoader::Free(Handle library) {
  EXPECT_NE(library, nullptr) << "free without a library";
  --loaded_;
}

}  // namespace platform::testing
