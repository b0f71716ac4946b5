// The Win32 adapters of the start-up seams against the real system.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "resource.h"
#include "test_folder.h"
#include "win/wide_text.h"
#include "win/win32_startup_services.h"

namespace vexlow::win::testing {
namespace {

TEST(Win32ProfileReaderTest, ReadsIntoTheGivenBufferSizeWithDefaults) {
  TestFolder folder;
  const std::string ini = folder.File("vexlow.ini");
  std::ofstream(ini) << "[UPDATE]\nMachineName=" << std::string(300, 'M')
                     << "\nDriverName=Skorvin VX-9\n";
  Win32ProfileReader reader;
  EXPECT_EQ(reader.ReadString(ini, "UPDATE", "MachineName", "", 260), std::string(259, 'M'));
  EXPECT_EQ(reader.ReadString(ini, "UPDATE", "DriverName", "", 260), "Skorvin VX-9");
  EXPECT_EQ(reader.ReadString(ini, "UPDATE", "Country", "", 260), "");
  EXPECT_EQ(reader.ReadString(ini, "OTHER", "DriverName", "none", 260), "none");
  EXPECT_EQ(reader.ReadString(ini, "UPDATE", "DriverName", "", 0), "");
}

TEST(Win32FilePresenceTest, FindsEntriesOfExactlyThatName) {
  TestFolder folder;
  std::ofstream(folder.File("update.kx7")) << "x";
  Win32FilePresence files;
  EXPECT_TRUE(files.Exists(folder.File("update.kx7")));
  EXPECT_TRUE(files.Exists(folder.Path()));  // any entry counts
  EXPECT_FALSE(files.Exists(folder.File("other.kx7")));
  EXPECT_FALSE(files.Exists(folder.File("*.kx7")));
  EXPECT_FALSE(files.Exists(folder.File("update.kx?")));
  EXPECT_FALSE(files.Exists(folder.Path() + "\\"));  // an empty package name
  EXPECT_FALSE(files.Exists(""));
}

TEST(Win32ProgramLocationTest, GivesThisProgramsPathAndStepsCharacters) {
  Win32ProgramLocation location;
  std::string path;
  ASSERT_TRUE(location.ModulePath(path));
  EXPECT_EQ(path.substr(path.size() - 17), "\\app_win_test.exe");
  EXPECT_EQ(location.NextChar("ab", 0), 1u);
  EXPECT_EQ(location.NextChar("ab", 1), 2u);
  EXPECT_EQ(location.NextChar("ab", 2), 2u);
}

TEST(WideTextTest, ConvertsBetweenUtf8AndWideCharacters) {
  const std::string japanese = "Glinterra \xE6\x9B\xB4\xE6\x96\xB0";  // "更新"
  EXPECT_EQ(Utf8ToWide(japanese), L"Glinterra \u66F4\u65B0");
  EXPECT_EQ(WideToUtf8(Utf8ToWide(japanese)), japanese);
  EXPECT_EQ(AnsiToUtf8("Skorvin VX-9"), "Skorvin VX-9");
  EXPECT_EQ(Utf8ToWide(""), L"");
}

TEST(Win32StringTableTest, LoadsTheUsersSetAndNothingForUnknownIds) {
  Win32StringTable strings(GetModuleHandleW(nullptr));
  const std::string title = strings.Load(IDS_APP_TITLE);
  EXPECT_TRUE(title == "Glinterra Update Tool" ||
              title == "Glinterra \xE6\x9B\xB4\xE6\x96\xB0\xE3\x83\x84\xE3\x83\xBC\xE3\x83\xAB")
      << title;
  EXPECT_EQ(strings.Load(IDS_REGISTRY_KEY), "Quorbel Industries, Ltd.");
  EXPECT_EQ(strings.Load(4321), "");
}

}  // namespace
}  // namespace vexlow::win::testing
