// The Windows loader adapter against real system libraries, under Wine.
#include "platform/win/win32_library_loader.h"

#include <windows.h>

#include <gtest/gtest.h>

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
