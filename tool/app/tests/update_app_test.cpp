#include "core/update_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "resource.h"
#include "startup_fakes.h"

namespace vexlow::testing {
namespace {

constexpr char kDir[] = "C:\\Tools";
constexpr char kIni[] = "C:\\Tools\\vexlow.ini";
constexpr char kTitle[] = "Glinterra Update Tool";

class StartUpTest : public ::testing::Test {
 protected:
  StartUpTest() {
    strings.texts[IDS_APP_TITLE] = kTitle;
    strings.texts[IDS_REGISTRY_KEY] = "Quorbel Industries, Ltd.";
    profile.values = {{"NewVersion", "2.10"},
                      {"Country", "EU"},
                      {"DriverName", "Skorvin VX-9"},
                      {"MachineName", "VX-9"},
                      {"KX7FileName", "update.kx7"}};
    files.present = {kIni, "C:\\Tools\\ostrand.dll", "C:\\Tools\\hobrel.dll",
                     "C:\\Tools\\update.kx7"};
  }

  UpdateApp& App() {
    if (app == nullptr) {
      app = std::make_unique<UpdateApp>(
          StartupServices{ui, files, profile, strings, location, codec, transfer});
    }
    return *app;
  }

  // Runs start-up the way the program does and gives back the exit code.
  int Run() {
    EXPECT_FALSE(App().StartUp());
    return App().ShutDown();
  }

  void ExpectOneMessage(const std::string& caption, const std::string& text) {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, caption);
    EXPECT_EQ(ui.messages[0].text, text);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
  }

  Journal journal;
  FakeUserInterface ui{journal};
  FakeFiles files{journal};
  FakeProfile profile{journal};
  FakeStrings strings{journal};
  FakeLocation location;
  FakeCodec codec;
  FakeTransfer transfer{journal};
  std::unique_ptr<UpdateApp> app;
};

std::string Read(const char* key) {
  return std::string("read ") + kIni + " [UPDATE] " + key + " default \"\" into 260";
}

TEST_F(StartUpTest, RunsEveryStepInOrderAndReachesTheWarningDialog) {
  EXPECT_EQ(Run(), 0);
  const Journal expected = {"string 1010",
                            std::string("look for ") + kIni,
                            Read("NewVersion"),
                            Read("Country"),
                            Read("DriverName"),
                            Read("MachineName"),
                            Read("KX7FileName"),
                            "string 3000",
                            "look for C:\\Tools\\ostrand.dll",
                            "look for C:\\Tools\\hobrel.dll",
                            "look for C:\\Tools\\update.kx7",
                            "bind transfer library",
                            "warning dialog: VX-9",
                            "unbind transfer library"};
  EXPECT_EQ(journal, expected);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartUpTest, KeepsSettingsAndPaths) {
  App().StartUp();
  EXPECT_EQ(App().ProgramDirectory(), kDir);
  EXPECT_EQ(App().IniPath(), kIni);
  EXPECT_EQ(App().NewVersion(), "2.10");
  EXPECT_EQ(App().Country(), "EU");
  EXPECT_EQ(App().DriverName(), "Skorvin VX-9");
  EXPECT_EQ(App().MachineName(), "VX-9");
  EXPECT_EQ(App().KX7FileName(), "update.kx7");
  EXPECT_EQ(App().PackagePath(), "C:\\Tools\\update.kx7");
  EXPECT_EQ(App().Title(), kTitle);
  EXPECT_EQ(App().RegistryKey(), "Quorbel Industries, Ltd.");
}

TEST_F(StartUpTest, MissingIniIsTheOnlyMessageAndKeepsTheExecutableNameAsCaption) {
  files.present.erase(kIni);
  Run();
  ExpectOneMessage("Vexlow", "Error : Data file not found.");
  const Journal expected = {"string 1010", std::string("look for ") + kIni, "message",
                            "unbind transfer library"};
  EXPECT_EQ(journal, expected);
}

TEST_F(StartUpTest, UnknownProgramPathCountsAsMissingIniInsteadOfSearchingElsewhere) {
  location.available = false;
  Run();
  ExpectOneMessage("", "Error : Data file not found.");
  EXPECT_EQ(App().ProgramDirectory(), "");
}

TEST_F(StartUpTest, IniWithoutKeysLeavesEmptySettingsAndListsThePackageAsAnEmptyLine) {
  profile.values.clear();
  Run();
  // The package path is the directory plus "\": no such file.
  ExpectOneMessage(kTitle, "File not found.\n\n\n");
  EXPECT_EQ(App().PackagePath(), "C:\\Tools\\");
  EXPECT_EQ(App().NewVersion(), "");
  EXPECT_EQ(App().MachineName(), "");
}

TEST_F(StartUpTest, ListsBothMissingLibraries) {
  files.present.erase("C:\\Tools\\ostrand.dll");
  files.present.erase("C:\\Tools\\hobrel.dll");
  Run();
  ExpectOneMessage(kTitle, "File not found.\n\nostrand.dll\nhobrel.dll");
}

TEST_F(StartUpTest, MissingPortLibraryAloneStandsAfterThreeLineBreaks) {
  files.present.erase("C:\\Tools\\hobrel.dll");
  Run();
  ExpectOneMessage(kTitle, "File not found.\n\n\nhobrel.dll");
}

TEST_F(StartUpTest, MissingFilesAreAllLookedForAndNamedByTheirBareNames) {
  files.present = {kIni};
  codec.conversions["update.kx7"] = "update-utf8.kx7";
  Run();
  ExpectOneMessage(kTitle, "File not found.\n\nostrand.dll\nhobrel.dll\nupdate-utf8.kx7");
  EXPECT_EQ(std::count(journal.begin(), journal.end(), "bind transfer library"), 0);
}

TEST_F(StartUpTest, LongValueArrivesCutTo259Characters) {
  const std::string longName(300, 'M');
  profile.values["MachineName"] = longName;
  Run();
  EXPECT_EQ(App().MachineName(), longName.substr(0, 259));
  EXPECT_EQ(journal.at(journal.size() - 2), "warning dialog: " + longName.substr(0, 259));
}

TEST_F(StartUpTest, EmptyTitleStringKeepsTheExecutableName) {
  strings.texts[IDS_APP_TITLE] = "";
  files.present.erase("C:\\Tools\\ostrand.dll");
  Run();
  ExpectOneMessage("Vexlow", "File not found.\n\nostrand.dll");
}

TEST_F(StartUpTest, ExecutableNameIsConvertedForDisplay) {
  location.path = "C:\\Tools\\\x83\x5C.exe";
  codec.conversions["\x83\x5C"] = "\u30BD";
  files.present.clear();
  Run();
  ExpectOneMessage("\u30BD", "Error : Data file not found.");
}

TEST_F(StartUpTest, BindFailureShowsTheTransferMessageAndNoDialog) {
  transfer.bindSucceeds = false;
  Run();
  ExpectOneMessage(kTitle, "Error : Transfer DLL : Open");
  EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                          [](const std::string& e) { return e.starts_with("warning"); }),
            0);
}

TEST_F(StartUpTest, CancelInTheWarningDialogEndsWithoutAMessage) {
  ui.warningResult = DialogResult::Cancel;
  Run();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(transfer.bound);
}

TEST_F(StartUpTest, WarningDialogThatFailsToOpenDoesNotEndStartUpWithAMessage) {
  ui.warningResult = DialogResult::Failed;
  Run();
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(journal.back(), "unbind transfer library");
}

}  // namespace
}  // namespace vexlow::testing
