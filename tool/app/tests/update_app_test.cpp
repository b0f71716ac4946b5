#include "core/update_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "resource.h"
#include "startup_fakes.h"
#include "tool/transfer/tests/fake_libraries.h"

namespace vexlow::testing {
namespace {

constexpr char kIni[] = "C:\\Tools\\vexlow.ini";
constexpr char kTitle[] = "Glinterra Update Tool";

// The program's world at start-up, all of it present unless a test removes it.
struct StartUp {
  StartUp() {
    ResetFakes();
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
      loader.Provide("Ostrand.dll", OstrandExports(missingOstrandExport));
      app = std::make_unique<UpdateApp>(StartupServices{ui, messages, title, files, profile,
                                                        strings, location, codec, client, port});
    }
    return *app;
  }

  // Runs start-up the way the program does and gives back the exit code.
  int RunProgram() {
    EXPECT_FALSE(App().StartUp());
    return App().ShutDown();
  }

  void ExpectOneMessage(const std::string& caption, const std::string& text) {
    const std::vector<ShownMessage> expected = {
        {caption, text, MessageIcon::Stop, MessageButtons::Ok}};
    EXPECT_EQ(messages.shown, expected);
  }

  Journal journal;
  ApplicationTitle title;
  FakeMessageBoxes messages{journal, title.Text()};
  FakeUserInterface ui{journal};
  FakeFiles files{journal};
  FakeProfile profile{journal};
  FakeStrings strings{journal};
  FakeLocation location;
  FakeCodec codec;
  JournalLoader loader{journal};
  TransferClient client{loader};
  PortBinding port{loader};
  std::string missingOstrandExport;
  std::unique_ptr<UpdateApp> app;
};

class StartUpTest : public ::testing::Test, public StartUp {};

std::string Read(const char* key) {
  return std::string("read ") + kIni + " [UPDATE] " + key + " default \"\" into 260";
}

TEST_F(StartUpTest, RunsEveryStepInOrderThroughBothDialogs) {
  EXPECT_EQ(RunProgram(), 0);
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
                            "load Ostrand.dll",
                            "warning dialog: VX-9",
                            "printer-selection dialog",
                            "free library"};
  EXPECT_EQ(journal, expected);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartUpTest, KeepsSettingsAndGivesCopiesToThePrinterSelectionDialog) {
  App().StartUp();
  EXPECT_EQ(App().Title(), kTitle);
  EXPECT_EQ(App().RegistryKey(), "Quorbel Industries, Ltd.");
  EXPECT_EQ(ui.selectSettings.newVersion, "2.10");
  EXPECT_EQ(ui.selectSettings.driverName, "Skorvin VX-9");
  EXPECT_EQ(ui.selectSettings.kx7FileName, "update.kx7");
  EXPECT_EQ(ui.selectSettings.packagePath, "C:\\Tools\\update.kx7");
}

// Without the ini nothing else is looked for, and the caption is still the
// executable's name, converted for display; without the program's own path
// the ini is not looked for anywhere else.
TEST(StartUpIniTest, MissingIniIsTheOnlyMessage) {
  struct Case {
    std::string modulePath;
    bool available;
    std::string caption;
    Journal journal;
  };
  const Case cases[] = {
      {"C:\\Tools\\Vexlow.exe",
       true,
       "Vexlow",
       {"string 1010", std::string("look for ") + kIni,
        "message: Error : Data file not found. [stop, OK]"}},
      {"C:\\Tools\\\x83\x5C.exe",
       true,
       "\u30BD",
       {"string 1010", std::string("look for ") + kIni,
        "message: Error : Data file not found. [stop, OK]"}},
      {"", false, "", {"string 1010", "message: Error : Data file not found. [stop, OK]"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.modulePath);
    StartUp t;
    t.files.present.clear();
    t.location.path = c.modulePath;
    t.location.available = c.available;
    t.codec.conversions["\x83\x5C"] = "\u30BD";
    t.RunProgram();
    t.ExpectOneMessage(c.caption, "Error : Data file not found.");
    EXPECT_EQ(t.journal, c.journal);
  }
}

// Every companion is looked for; the message names the missing ones by their
// bare names, each piece after a line break of its own.
TEST(StartUpCompanionTest, NamesTheMissingFilesInOneMessage) {
  struct Case {
    std::set<std::string> absent;
    std::map<std::string, std::string> values;  // ini values replacing the usual ones
    std::string title;                          // string 3000
    std::string caption;
    std::string text;
  };
  const Case cases[] = {
      {{"C:\\Tools\\ostrand.dll", "C:\\Tools\\hobrel.dll"},
       {},
       kTitle,
       kTitle,
       "File not found.\n\nostrand.dll\nhobrel.dll"},
      {{"C:\\Tools\\hobrel.dll"}, {}, kTitle, kTitle, "File not found.\n\n\nhobrel.dll"},
      {{"C:\\Tools\\ostrand.dll", "C:\\Tools\\hobrel.dll", "C:\\Tools\\update.kx7"},
       {},
       kTitle,
       kTitle,
       "File not found.\n\nostrand.dll\nhobrel.dll\nupdate-utf8.kx7"},
      // No keys at all: the package path is the directory plus "\", no file.
      {{}, {{"KX7FileName", ""}}, kTitle, kTitle, "File not found.\n\n\n"},
      // An empty title string leaves the executable's name as the caption.
      {{"C:\\Tools\\ostrand.dll"}, {}, "", "Vexlow", "File not found.\n\nostrand.dll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StartUp t;
    for (const auto& path : c.absent) {
      t.files.present.erase(path);
    }
    for (const auto& [key, value] : c.values) {
      t.profile.values[key] = value;
    }
    t.strings.texts[IDS_APP_TITLE] = c.title;
    t.codec.conversions["update.kx7"] = "update-utf8.kx7";
    t.RunProgram();
    t.ExpectOneMessage(c.caption, c.text);
    EXPECT_TRUE(t.loader.Loads().empty());
  }
}

TEST_F(StartUpTest, BindFailureShowsTheTransferMessageAndNoDialog) {
  missingOstrandExport = "TRDeleteFile";  // the last one looked up
  RunProgram();
  ExpectOneMessage(kTitle, "Error : Transfer DLL : Open");
  EXPECT_EQ(journal.back(), "free library");
  EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                          [](const std::string& e) { return e.find("dialog") != e.npos; }),
            0);
}

TEST(StartUpWarningTest, OnlyCancelEndsStartUpThere) {
  const std::pair<DialogResult, bool> cases[] = {
      {DialogResult::Cancel, false}, {DialogResult::Ok, true}, {DialogResult::Failed, true}};
  for (const auto& [warningResult, reachesSelection] : cases) {
    StartUp t;
    t.ui.warningResult = warningResult;
    t.RunProgram();
    EXPECT_TRUE(t.messages.shown.empty());
    EXPECT_EQ(std::count(t.journal.begin(), t.journal.end(), "printer-selection dialog"),
              reachesSelection ? 1 : 0);
    EXPECT_EQ(t.loader.LoadedCount(), 0);
  }
}

}  // namespace
}  // namespace vexlow::testing
