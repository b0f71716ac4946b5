// The Windows loader adapter against real system libraries, under Wine.
#include "platform/win/win32_library_loader.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using platform::Win32LibraryLoader;

TEST(Win32LibraryLoader, ResolvesAnExportThatWorksAndNullForAMissingOne) {
  Win32LibraryLoader loader;
  Win32LibraryLoader::Handle kernel = loader.Load("kernel32.dll");
  ASSERT_NE(kernel, nullptr);
  Win32LibraryLoader::Symbol symbol = loader.Resolve(kernel, "GetCurrentProcessId");
  ASSERT_NE(symbol, nullptr);
  auto getCurrentProcessId = reinterpret_cast<DWORD(WINAPI*)()>(symbol);
  EXPECT_EQ(getCurrentProcessId(), GetCurrentProcessId());
  EXPECT_EQ(loader.Resolve(kernel, "NoSuchExportAnywhere"), nullptr);
  EXPECT_EQ(loader.Resolve(kernel, ""), nullptr);
  loader.Free(kernel);
}

TEST(Win32LibraryLoader, AnswersNullForAMissingLibraryOrNoName) {
  Win32LibraryLoader loader;
  EXPECT_EQ(loader.Load("no_such_library_of_ours.dll"), nullptr);
  EXPECT_EQ(loader.Load(""), nullptr);
  EXPECT_EQ(loader.Load(nullptr), nullptr);
  EXPECT_EQ(loader.Resolve(nullptr, "GetTickCount"), nullptr);
  loader.Free(nullptr);  // must be harmless
}

TEST(Win32LibraryLoader, FreeUnloadsALibraryLoadedOnlyByUs) {
  Win32LibraryLoader loader;
  ASSERT_EQ(GetModuleHandleA("version.dll"), nullptr) << "version.dll is loaded already";
  Win32LibraryLoader::Handle version = loader.Load("version.dll");
  ASSERT_NE(version, nullptr);
  EXPECT_NE(loader.Resolve(version, "GetFileVersionInfoSizeA"), nullptr);
  loader.Free(version);
  EXPECT_EQ(GetModuleHandleA("version.dll"), nullptr);
}

}  // namespace
