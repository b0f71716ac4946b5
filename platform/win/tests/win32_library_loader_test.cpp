// The Windows loader adapter against real system libraries, under Wine.
#include "platform/win/win32_library_loader.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/registered_library.h"

namespace {

using platform::Win32LibraryLoader;

TEST(Win32LibraryLoader, LoadsResolvesAndFreesALibraryLoadedOnlyByUs) {
  Win32LibraryLoader loader;
  ASSERT_EQ(GetModuleHandleA("version.dll"), nullptr) << "version.dll is loaded already";
  Win32LibraryLoader::Handle version = loader.Load("version.dll");
  ASSERT_NE(version, nullptr);
  EXPECT_NE(loader.Resolve(version, "GetFileVersionInfoSizeA"), nullptr);
  EXPECT_EQ(loader.Resolve(version, "NoSuchExportAnywhere"), nullptr);
  loader.Free(version);
  EXPECT_EQ(GetModuleHandleA("version.dll"), nullptr);

  // Null for a missing library or no name, and a null handle is harmless.
  EXPECT_EQ(loader.Load("no_such_library_of_ours.dll"), nullptr);
  EXPECT_EQ(loader.Load(""), nullptr);
  EXPECT_EQ(loader.Load(nullptr), nullptr);
  EXPECT_EQ(loader.Resolve(nullptr, "GetTickCount"), nullptr);
  loader.Free(nullptr);
}

}  // namespace

// The flags that a registered library is loaded with, and the rules the
// fake loader follows for them.
TEST(Win32LibraryLoader, LoadsARegisteredBareNameFromTheSystemFolder) {
  Win32LibraryLoader loader;
  const std::string systemPath = loader.SystemFolder() + "\\version.dll";
  Win32LibraryLoader::Handle library = platform::LoadRegisteredLibrary(loader, "version.dll");
  ASSERT_NE(library, nullptr);
  char loaded[MAX_PATH] = {};
  GetModuleFileNameA(static_cast<HMODULE>(library), loaded, MAX_PATH);
  EXPECT_EQ(lstrcmpiA(loaded, systemPath.c_str()), 0) << loaded;
  loader.Free(library);

  // What the loader does on a system without the search flags.
  uint32_t error = 0;
  library = loader.LoadWithFlags(systemPath.c_str(), platform::kLoadWithAlteredSearchPath, &error);
  EXPECT_NE(library, nullptr) << error;
  loader.Free(library);

  for (const uint32_t flags :
       {platform::kLoadLibrarySearchDllLoadDir,
        platform::kLoadLibrarySearchSystem32 | platform::kLoadWithAlteredSearchPath}) {
    error = 0;
    EXPECT_EQ(loader.LoadWithFlags("version.dll", flags, &error), nullptr) << flags;
    EXPECT_EQ(error, platform::kErrorInvalidParameter) << flags;
  }
}
