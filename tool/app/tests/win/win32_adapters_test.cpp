// The Win32 adapters of the start-up seams against the real system, and the
// compiled resources of both languages.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "resource.h"
#include "resource_reader.h"
#include "test_folder.h"
#include "win/wide_text.h"
#include "win/win32_startup_services.h"

namespace vexlow::win::testing {
namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

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

TEST(CompiledResourcesTest, BothLanguagesCarryTheWarningTexts) {
  EXPECT_EQ(StringInLanguage(IDS_WARNING_INSTRUCTIONS, kEnglish)->substr(0, 50),
            L"%s Check that the printer is set to Transfer mode.");
  EXPECT_NE(StringInLanguage(IDS_WARNING_INSTRUCTIONS, kEnglish)->find(L"mode.\u3000To place"),
            std::wstring::npos);
  EXPECT_EQ(*StringInLanguage(IDS_APP_TITLE, kJapanese),
            L"Glinterra \u66F4\u65B0\u30C4\u30FC\u30EB");
  EXPECT_EQ(*StringInLanguage(IDS_WARNING_NOTICE, kJapanese),
            L"\u66F4\u65B0\u4F5C\u696D\u304C\u78BA\u5B9F\u306B\u7D42\u4E86\u3059\u308B\u307E\u3067"
            L"\u3001%s \u672C\u4F53\u3092\u64CD\u4F5C\u3057\u305F\u308A\u3001USB\u30B1\u30FC\u30D6"
            L"\u30EB\u3092\u629C\u3044\u305F\u308A\u3057\u306A\u3044\u3067\u304F\u3060\u3055\u3044"
            L"\u3002");
  for (unsigned id : {101u, 102u, 1010u, 1710u, 1910u, 1911u, 1916u, 1917u, 1919u, 2002u, 2011u,
                      2100u, 2101u, 3000u}) {
    EXPECT_TRUE(StringInLanguage(id, kEnglish).has_value()) << id;
    EXPECT_TRUE(StringInLanguage(id, kJapanese).has_value()) << id;
  }
}

TEST(CompiledResourcesTest, WarningDialogHasItsSizeFontAndLayoutInEachLanguage) {
  const auto english = DialogInLanguage(IDD_WARNING, kEnglish);
  ASSERT_TRUE(english.has_value());
  EXPECT_EQ(english->width, 210);
  EXPECT_EQ(english->height, 165);
  EXPECT_EQ(english->caption, L"Glinterra Update Tool");
  EXPECT_EQ(english->pointSize, 8);
  EXPECT_EQ(english->typeface, L"MS Sans Serif");
  ASSERT_EQ(english->controls.size(), 5u);
  EXPECT_EQ(english->controls[2].id, 1007u);
  EXPECT_EQ(english->controls[2].y, 65);
  EXPECT_EQ(english->controls[2].cy, 70);
  EXPECT_EQ(english->controls[3].text, L"&Start");

  const auto japanese = DialogInLanguage(IDD_WARNING, kJapanese);
  ASSERT_TRUE(japanese.has_value());
  EXPECT_EQ(japanese->width, 195);
  EXPECT_EQ(japanese->height, 165);
  EXPECT_EQ(japanese->caption, L"Glinterra \u66F4\u65B0\u30C4\u30FC\u30EB");
  EXPECT_EQ(japanese->pointSize, 9);
  EXPECT_EQ(japanese->typeface, L"MS UI Gothic");
  ASSERT_EQ(japanese->controls.size(), 5u);
  EXPECT_EQ(japanese->controls[2].y, 61);
  EXPECT_EQ(japanese->controls[2].cy, 74);
  EXPECT_EQ(japanese->controls[3].text, L"\u958B\u59CB(&S)");
  EXPECT_EQ(japanese->controls[4].x, 105);
}

}  // namespace
}  // namespace vexlow::win::testing
