#include "platform/testing/fake_library_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

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
  loadFlags_.push_back(flags);
  const uint32_t search = flags & kLoadLibrarySearchFlags;
  const bool fullPath = IsAbsoluteWindowsPath(name);
  if ((search != 0 && (!searchFlags_ || (flags & kLoadWithAlteredSearchPath) != 0)) ||
      ((flags & kLoadLibrarySearchDllLoadDir) != 0 && !fullPath)) {
    *error = kErrorInvalidParameter;
    return nullptr;
  }
  std::vector<std::string> candidates;
  if (fullPath) {
    candidates.push_back(name);
  } else if (name != nullptr && *name != '\0') {
    std::vector<const char*> folders;
    if (search == 0) {
      folders = {kProgramFolder, kSystemFolder, kCurrentFolder};
    }
    if ((search & (kLoadLibrarySearchApplicationDir | kLoadLibrarySearchDefaultDirs)) != 0) {
      folders.push_back(kProgramFolder);
    }
    if ((search & (kLoadLibrarySearchSystem32 | kLoadLibrarySearchDefaultDirs)) != 0) {
      folders.push_back(kSystemFolder);
    }
    for (const char* folder : folders) {
      candidates.push_back(std::string(folder) + "\\" + name);
    }
  }
  for (const std::string& candidate : candidates) {
    if (Library* library = Find(candidate)) {
      ++loaded_;
      return library;
    }
  }
  *error = kErrorModNotFound;
  return nullptr;
}

LibraryLoader::Symbol FakeLibraryLoader::Resolve(Handle library, const char* name) {
  lookups_.push_back(name);
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
  ++frees_;
  --loaded_;
}

}  // namespace platform::testing
