// A loader of made-up libraries: each has a name and a table of exports, and
// every load, lookup and free is recorded.
#ifndef PLATFORM_TESTING_FAKE_LIBRARY_LOADER_H
#define PLATFORM_TESTING_FAKE_LIBRARY_LOADER_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/library_loader.h"

namespace platform::testing {

class FakeLibraryLoader : public LibraryLoader {
 public:
  using Exports = std::map<std::string, Symbol>;

  // Makes a library of that exact name loadable.
  void Provide(const std::string& name, Exports exports);

  Handle Load(const char* name) override;
  // Loads a provided library by its exact name, as Load does, and records it
  // among the loads; a name that is not absolute is refused as on Windows.
  Handle LoadFromFullPath(const char* path) override;
  Symbol Resolve(Handle library, const char* name) override;
  void Free(Handle library) override;

  const std::vector<std::string>& Loads() const { return loads_; }
  const std::vector<std::string>& Lookups() const { return lookups_; }
  int FreeCount() const { return frees_; }
  // Loads not yet matched by a free.
  int LoadedCount() const { return loaded_; }

 private:
  struct Library {
    std::string name;
    Exports exports;
  };
  std::vector<std::unique_ptr<Library>> libraries_;
  std::vector<std::string> loads_;
  std::vector<std::string> lookups_;
  int frees_ = 0;
  int loaded_ = 0;
};

}  // namespace platform::testing

#endif  // PLATFORM_TESTING_FAKE_LIBRARY_LOADER_H
