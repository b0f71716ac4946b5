// A loader of made-up libraries that finds them as the Windows loader does:
// each lies in a folder and has a table of exports, and every load, lookup
// and free is recorded.
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

  static constexpr char kProgramFolder[] = "C:\\Program Files\\Vexlow";
  static constexpr char kSystemFolder[] = "C:\\Windows\\system32";
  static constexpr char kCurrentFolder[] = "C:\\Users\\user\\Downloads";

  // Puts a library at that full path; a bare name puts it in the program's
  // folder.
  void Provide(const std::string& name, Exports exports);
  // A system that lacks the LOAD_LIBRARY_SEARCH_* flags (Windows 7 without
  // update KB2533623): every load that names one fails with
  // ERROR_INVALID_PARAMETER.
  void LackSearchFlags() { searchFlags_ = false; }

  // As LoadWithFlags with no flags.
  Handle Load(const char* name) override;
  // A full path names one file. Another name is looked for in the folders
  // that the search flags name, or without them in the standard order of a
  // process that has not narrowed it: the program's folder, the system
  // folder, the current folder. A search flag together with
  // LOAD_WITH_ALTERED_SEARCH_PATH, or LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR with a
  // name that is no full path, is ERROR_INVALID_PARAMETER.
  Handle LoadWithFlags(const char* name, uint32_t flags, uint32_t* error) override;
  std::string SystemFolder() override { return kSystemFolder; }
  Symbol Resolve(Handle library, const char* name) override;
  void Free(Handle library) override;

  // Every name that a load was asked for.
  const std::vector<std::string>& Loads() const { return loads_; }
  // Loads not yet matched by a free.
  int LoadedCount() const { return loaded_; }

 private:
  struct Library {
    std::string path;
    Exports exports;
  };
  Library* Find(const std::string& path) const;

  std::vector<std::unique_ptr<Library>> libraries_;
  bool searchFlags_ = true;
  std::vector<std::string> loads_;
  int loaded_ = 0;
};

}  // namespace platform::testing

#endif  // PLATFORM_TESTING_FAKE_LIBRARY_LOADER_H
