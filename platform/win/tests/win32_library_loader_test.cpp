// The Windows loader adapter against the real loader, under Wine: where a
// library loaded by name is searched for before and after the programs'
// restriction, how a registered library is loaded, and the loader's rules
// that the fake loader of the other tests follows. The restriction is
// process-wide and cannot be undone, so it is one test, rows in order.
#include "platform/win/win32_library_loader.h"

#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/registered_library.h"
#include "platform/win/library_search.h"

namespace {

namespace fs = std::filesystem;
using platform::Win32LibraryLoader;

TEST(Win32LibraryLoader, SearchesOnlyWhereTheProgramsAllow) {
  // The probe, any library under a name the programs never load, as a copy
  // in the current folder (planted) and one beside this program.
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const fs::path program = fs::path(self).parent_path();
  const fs::path probe = program / "quorbel_info.dll";
  fs::copy_file(probe, "planted_probe.dll", fs::copy_options::overwrite_existing);
  fs::copy_file(probe, program / "beside_probe.dll", fs::copy_options::overwrite_existing);
  ASSERT_EQ(GetModuleHandleA("version.dll"), nullptr) << "version.dll is loaded already";

  // A registered bare name: the system folder's file, its exports resolved,
  // and gone again once freed.
  Win32LibraryLoader loader;
  Win32LibraryLoader::Handle version = platform::LoadRegisteredLibrary(loader, "version.dll");
  ASSERT_NE(version, nullptr);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(static_cast<HMODULE>(version), path, MAX_PATH);
  EXPECT_EQ(lstrcmpiA(path, (loader.SystemFolder() + "\\version.dll").c_str()), 0) << path;
  EXPECT_NE(loader.Resolve(version, "GetFileVersionInfoSizeA"), nullptr);
  EXPECT_EQ(loader.Resolve(version, "NoSuchExportAnywhere"), nullptr);
  loader.Free(version);
  EXPECT_EQ(GetModuleHandleA("version.dll"), nullptr);

  // Where the search flags are missing: the same file by its full path.
  uint32_t error = 0;
  version = loader.LoadWithFlags(path, platform::kLoadWithAlteredSearchPath, &error);
  EXPECT_NE(version, nullptr) << error;
  loader.Free(version);

  // Loads by name, before and after the programs' restriction.
  const struct {
    const char* name;
    bool restricted;  // after RestrictLibrarySearch
    bool registered;  // through LoadRegisteredLibrary
    bool loads;
  } kRows[] = {
      {"planted_probe.dll", false, false, true},  // by default the current folder is searched
      {"planted_probe.dll", false, true, false},  // a registered bare name: the system folder only
      {"beside_probe.dll", false, true, false},   // nor the program's folder
      {"planted_probe.dll", true, false, false},  // restricted: no current folder
  };
  bool restricted = false;
  for (const auto& row : kRows) {
    SCOPED_TRACE(testing::Message() << row.name << (row.restricted ? ", restricted" : "")
                                    << (row.registered ? ", registered" : ""));
    if (row.restricted && !restricted) {
      ASSERT_TRUE(platform::RestrictLibrarySearch());
      restricted = true;
    }
    Win32LibraryLoader::Handle library =
        row.registered ? platform::LoadRegisteredLibrary(loader, row.name) : loader.Load(row.name);
    EXPECT_EQ(row.loads, library != nullptr);
    if (library != nullptr) {
      loader.Free(library);
    }
  }

  for (const uint32_t flags :
       {platform::kLoadLibrarySearchDllLoadDir,
        platform::kLoadLibrarySearchSystem32 | platform::kLoadWithAlteredSearchPath}) {
    EXPECT_EQ(loader.LoadWithFlags("version.dll", flags, &error), nullptr) << flags;
    EXPECT_EQ(error, platform::kErrorInvalidParameter) << flags;
  }
  fs::remove("planted_probe.dll");
  fs::remove(program / "beside_probe.dll");
}

}  // namespace
