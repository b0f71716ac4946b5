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
  EXPECT_EQ(App().Title(), kTitle);
  EXPECT_EQ(App().RegistryKey(), "Quorbel Industries, Ltd.");
  const PrinterSelectSettings& given = ui.selectSettings;
  EXPECT_EQ(
      given.newVersion + "|" + given.driverName + "|" + given.kx7FileName + "|" + given.packagePath,
      "2.10|Skorvin VX-9|update.kx7|C:\\Tools\\update.kx7");
}

// Without the ini nothing else is looked for, and the caption is still the
// executable's name, converted for display; without the program's own path
// the ini is not looked for anywhere else.
TEST(StartUpIniTest, MissingIniIsTheOnlyMessage) {
  struct Case {
    std::string modulePath;
    bool available;
    std::string caption;
  };
  const Case cases[] = {{"C:\\Tools\\Vexlow.exe", true, "Vexlow"},
                        {"C:\\Tools\\\x83\x5C.exe", true, "\u30BD"},
                        {"", false, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.modulePath);
    StartUp t;
    t.files.present.clear();
    t.location.path = c.modulePath;
    t.location.available = c.available;
    t.codec.conversions["\x83\x5C"] = "\u30BD";
    t.RunProgram();
    t.ExpectOneMessage(c.caption, "Error : Data file not found.");
    Journal expected = {"string 1010", std::string("look for ") + kIni,
                        "message: Error : Data file not found. [stop, OK]"};
    if (!c.available) {
      expected.erase(expected.begin() + 1);
    }
    EXPECT_EQ(t.journal, expected);
  }
}

// Every companion is looked for; the message names the missing ones by their
// bare names, each piece after a line break of its own.
TEST(StartUpCompanionTest, NamesTheMissingFilesInOneMessage) {
  const std::string ostrand = "C:\\Tools\\ostrand.dll", hobrel = "C:\\Tools\\hobrel.dll";
  struct Case {
    std::set<std::string> absent;
    std::string package;  // the ini's KX7FileName
    std::string title;    // string 3000
    std::string text;
  };
  const Case cases[] = {
      {{ostrand, hobrel}, "update.kx7", kTitle, "ostrand.dll\nhobrel.dll"},
      {{hobrel}, "update.kx7", kTitle, "\nhobrel.dll"},
      {{ostrand, hobrel, "C:\\Tools\\update.kx7"},
       "update.kx7",
       kTitle,
       "ostrand.dll\nhobrel.dll\nupdate-utf8.kx7"},
      // No key at all: the package path is the directory plus "\", no file.
      {{}, "", kTitle, "\n"},
      // An empty title string leaves the executable's name as the caption.
      {{ostrand}, "update.kx7", "", "ostrand.dll"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    StartUp t;
    for (const auto& path : c.absent) {
      t.files.present.erase(path);
    }
    t.profile.values["KX7FileName"] = c.package;
    t.strings.texts[IDS_APP_TITLE] = c.title;
    t.codec.conversions["update.kx7"] = "update-utf8.kx7";
    t.RunProgram();
    t.ExpectOneMessage(c.title.empty() ? "Vexlow" : c.title, "File not found.\n\n" + c.text);
    EXPECT_TRUE(t.loader.Loads().empty());
  }
}

// A transfer library that cannot be bound ends start-up with its message
// before any dialog; of the warning dialog's results only Cancel ends it there (Ok: above).
// Either way shutdown frees the library.
TEST(StartUpEndTest, AtABindFailureOrACancelledWarning) {
  struct Case {
    std::string missingExport;
    DialogResult warning;
    bool warned, selecting;
  };
  const Case cases[] = {
      {"TRDeleteFile", DialogResult::Ok, false, false},  // the last one looked up
      {"", DialogResult::Cancel, true, false},
      {"", DialogResult::Failed, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missingExport + std::to_string(static_cast<int>(c.warning)));
    StartUp t;
    t.missingOstrandExport = c.missingExport;
    t.ui.warningResult = c.warning;
    t.RunProgram();
    if (c.missingExport.empty()) {
      EXPECT_TRUE(t.messages.shown.empty());
    } else {
      t.ExpectOneMessage(kTitle, "Error : Transfer DLL : Open");
    }
    EXPECT_EQ(std::count(t.journal.begin(), t.journal.end(), "warning dialog: VX-9"), c.warned);
    EXPECT_EQ(std::count(t.journal.begin(), t.journal.end(), "printer-selection dialog"),
              c.selecting);
    EXPECT_EQ(t.journal.back(), "free library");
    EXPECT_EQ(t.loader.LoadedCount(), 0);
  }
}

}  // namespace
}  // namespace vexlow::testing
