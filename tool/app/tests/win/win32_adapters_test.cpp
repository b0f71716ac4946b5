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
  EXPECT_EQ(*StringInLanguage(IDS_WARNING_NOTICE, kJapanese),
            L"\u66F4\u65B0\u4F5C\u696D\u304C\u78BA\u5B9F\u306B\u7D42\u4E86\u3059\u308B\u307E\u3067"
            L"\u3001%s \u672C\u4F53\u3092\u64CD\u4F5C\u3057\u305F\u308A\u3001USB\u30B1\u30FC\u30D6"
            L"\u30EB\u3092\u629C\u3044\u305F\u308A\u3057\u306A\u3044\u3067\u304F\u3060\u3055\u3044"
            L"\u3002");
}

struct WarningDialogLayout {
  LANGID language;
  int width, height;
  const wchar_t* caption;
  int pointSize;
  const wchar_t* typeface;
  short instructionsY, instructionsHeight, cancelX;
  const wchar_t* startText;
};

// The Japanese dialog is taller than its original 195 x 140 so that the
// instructions (7, 61, 181, 74 instead of 49 high) are not cut off; the buttons
// moved down with it.
TEST(CompiledResourcesTest, WarningDialogHasItsSizeFontAndLayoutInEachLanguage) {
  const WarningDialogLayout layouts[] = {
      {kEnglish, 210, 165, L"Glinterra Update Tool", 8, L"MS Sans Serif", 65, 70, 112, L"&Start"},
      {kJapanese, 195, 165, L"Glinterra \u66F4\u65B0\u30C4\u30FC\u30EB", 9, L"MS UI Gothic", 61, 74,
       105, L"\u958B\u59CB(&S)"}};
  for (const WarningDialogLayout& expected : layouts) {
    SCOPED_TRACE(expected.language);
    const auto dialog = DialogInLanguage(IDD_WARNING, expected.language);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->width, expected.width);
    EXPECT_EQ(dialog->height, expected.height);
    EXPECT_EQ(dialog->caption, expected.caption);
    EXPECT_EQ(dialog->pointSize, expected.pointSize);
    EXPECT_EQ(dialog->typeface, expected.typeface);
    ASSERT_EQ(dialog->controls.size(), 5u);
    EXPECT_EQ(dialog->controls[2].id, 1007u);
    EXPECT_EQ(dialog->controls[2].y, expected.instructionsY);
    EXPECT_EQ(dialog->controls[2].cy, expected.instructionsHeight);
    EXPECT_EQ(dialog->controls[3].text, expected.startText);
    EXPECT_EQ(dialog->controls[4].x, expected.cancelX);
  }
}

}  // namespace
}  // namespace vexlow::win::testing
