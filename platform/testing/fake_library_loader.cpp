#include "platform/testing/fake_library_loader.h"

#include <gtest/gtest.h>

#include "platform/windows_path.h"

namespace platform::testing {

void FakeLibraryLoader::Provide(const std::string& name, Exports exports) {
  libraries_.push_back(std::make_unique<Library>(Library{name, std::move(exports)}));
}

LibraryLoader::Handle FakeLibraryLoader::Load(const char* name) {
  loads_.push_back(name);
  for (const auto& library : libraries_) {
    if (library->name == name) {
      ++loaded_;
      return library.get();
    }
  }
  return nullptr;
}

LibraryLoader::Handle FakeLibraryLoader::LoadFromFullPath(const char* path) {
  if (!IsAbsoluteWindowsPath(path)) {
    loads_.push_back(path);
    return nullptr;
  }
  return Load(path);
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
