#include "core/update_app.h"

#include <gtest/gtest.h>

#include <functional>
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

Journal operator+(Journal a, const Journal& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

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

// Start-up ends at the first piece missing with its one message, or at a
// cancelled warning, and shutdown frees the library. Without the ini nothing
// else is looked for, and the caption is the executable's name, converted for
// display; without the program's own path the ini is looked for nowhere. The
// missing companions are named by their bare names in one message, each after
// a line break of its own.
TEST(StartUpEndTest, AtTheFirstPieceMissingWithItsOneMessage) {
  const Journal lookForAll = {std::string("look for ") + kIni, "look for C:\\Tools\\ostrand.dll",
                              "look for C:\\Tools\\hobrel.dll", "look for C:\\Tools\\update.kx7"};
  const std::string noIni = "message: Error : Data file not found. [stop, OK]";
  const auto absent = [](std::set<std::string> paths) {
    return [paths](StartUp& t) {
      for (const auto& path : paths) {
        t.files.present.erase("C:\\Tools\\" + path);
      }
    };
  };
  struct Case {
    std::string what;
    std::function<void(StartUp&)> arrange;
    std::string caption;  // of the one message, if any
    Journal steps;        // the journal without the strings and values read
  };
  const Case cases[] = {
      {"no ini", absent({"vexlow.ini"}), "Vexlow", Journal{lookForAll[0], noIni}},
      {"no ini, double-byte name",
       [](StartUp& t) {
         t.files.present.clear();
         t.location.path = "C:\\Tools\\\x83\x5C.exe";
       },
       "\u30BD", Journal{lookForAll[0], noIni}},
      {"no program path", [](StartUp& t) { t.location.available = false; }, "", Journal{noIni}},
      {"no companion", absent({"ostrand.dll", "hobrel.dll", "update.kx7"}), kTitle,
       lookForAll + Journal{"message: File not found.\n\nostrand.dll\nhobrel.dll\nupdate-utf8.kx7 "
                            "[stop, OK]"}},
      {"no port library", absent({"hobrel.dll"}), kTitle,
       lookForAll + Journal{"message: File not found.\n\n\nhobrel.dll [stop, OK]"}},
      // No key at all: the package path is the directory plus "\", no file.
      {"no package key", [](StartUp& t) { t.profile.values.erase("KX7FileName"); }, kTitle,
       Journal{lookForAll[0], lookForAll[1], lookForAll[2], "look for C:\\Tools\\",
               "message: File not found.\n\n\n [stop, OK]"}},
      // An empty title string leaves the executable's name as the caption.
      {"no title",
       [](StartUp& t) {
         t.strings.texts[IDS_APP_TITLE] = "";
         t.files.present.erase("C:\\Tools\\ostrand.dll");
       },
       "Vexlow", lookForAll + Journal{"message: File not found.\n\nostrand.dll [stop, OK]"}},
      {"export missing", [](StartUp& t) { t.missingOstrandExport = "TRDeleteFile"; }, kTitle,
       lookForAll + Journal{"load Ostrand.dll", "message: Error : Transfer DLL : Open [stop, OK]",
                            "free library"}},
      {"warning cancelled", [](StartUp& t) { t.ui.warningResult = DialogResult::Cancel; }, "",
       lookForAll + Journal{"load Ostrand.dll", "warning dialog: VX-9", "free library"}},
      // Of the warning dialog's results only Cancel ends start-up there.
      {"warning failed", [](StartUp& t) { t.ui.warningResult = DialogResult::Failed; }, "",
       lookForAll + Journal{"load Ostrand.dll", "warning dialog: VX-9", "printer-selection dialog",
                            "free library"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StartUp t;
    t.codec.conversions = {{"\x83\x5C", "\u30BD"}, {"update.kx7", "update-utf8.kx7"}};
    c.arrange(t);
    t.RunProgram();
    std::erase_if(t.journal, [](const std::string& step) {
      return step.starts_with("string ") || step.starts_with("read ");
    });
    EXPECT_EQ(t.journal, c.steps);
    EXPECT_EQ(t.messages.shown.empty() ? "" : t.messages.shown.front().caption, c.caption);
    EXPECT_EQ(t.loader.LoadedCount(), 0);
  }
}

}  // namespace
}  // namespace vexlow::testing
