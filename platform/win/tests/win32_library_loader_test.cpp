// The Windows loader adapter against the real loader, under Wine: the flags
// that a registered library is loaded with, and the loader's rules that the
// fake loader of the other tests follows.
#include "platform/win/win32_library_loader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/registered_library.h"

namespace {

using platform::Win32LibraryLoader;

TEST(Win32LibraryLoader, LoadsARegisteredBareNameFromTheSystemFolderAndLetsItGo) {
  Win32LibraryLoader loader;
  ASSERT_EQ(GetModuleHandleA("version.dll"), nullptr) << "version.dll is loaded already";
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
  for (const uint32_t flags :
       {platform::kLoadLibrarySearchDllLoadDir,
        platform::kLoadLibrarySearchSystem32 | platform::kLoadWithAlteredSearchPath}) {
    EXPECT_EQ(loader.LoadWithFlags("version.dll", flags, &error), nullptr) << flags;
    EXPECT_EQ(error, platform::kErrorInvalidParameter) << flags;
  }
}

}  // namespace
