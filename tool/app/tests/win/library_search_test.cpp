// The search restriction is process-wide and cannot be undone, so this program
// holds nothing else: a control load first, then the restriction, then the
// same loads again.
#include "platform/win/library_search.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "test_folder.h"

namespace vexlow::win::testing {
namespace {

constexpr char kPlanted[] = "vexlow_planted_probe.dll";
constexpr char kBeside[] = "vexlow_beside_probe.dll";

bool LoadsByName(const char* name) {
  HMODULE library = LoadLibraryA(name);
  if (library == nullptr) {
    return false;
  }
  FreeLibrary(library);
  return true;
}

TEST(RestrictLibrarySearchTest, CurrentFolderIsNoLongerSearchedButTheProgramFolderIs) {
  const std::string probe = ProgramFolder() + "\\probe\\app_search_probe.dll";
  TestFolder current;
  const std::string beside = ProgramFolder() + "\\" + kBeside;
  ASSERT_TRUE(CopyFileA(probe.c_str(), current.File(kPlanted).c_str(), FALSE)) << probe;
  ASSERT_TRUE(CopyFileA(probe.c_str(), beside.c_str(), FALSE));
  ASSERT_TRUE(SetCurrentDirectoryA(current.Path().c_str()));

  EXPECT_TRUE(LoadsByName(kPlanted)) << "control: the current folder is searched by default";
  EXPECT_TRUE(LoadsByName(kBeside));

  EXPECT_TRUE(platform::RestrictLibrarySearch());
  EXPECT_FALSE(LoadsByName(kPlanted));
  EXPECT_TRUE(LoadsByName(kBeside));
  EXPECT_TRUE(LoadsByName("user32.dll"));

  SetCurrentDirectoryA(ProgramFolder().c_str());
  DeleteFileA(beside.c_str());
}

}  // namespace
}  // namespace vexlow::win::testing
