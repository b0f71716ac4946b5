// Start-up as the tool runs it, over any vexlow.ini (read by ProfileText with
// the private-profile rules), any executable path (double-byte characters,
// separators anywhere, longer than any buffer), any title string and any
// answer of the files, the transfer library and the warning dialog. What
// start-up keeps must be what the ini says, within its 259 characters, in the
// program's own directory; it shows at most one message and always lets go of
// the libraries it bound.
#include <algorithm>
#include <string>

#include "core/program_path.h"
#include "core/update_app.h"
#include "core/warning_texts.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/test_reports.h"
#include "profile_text.h"
#include "resource.h"
#include "tests/startup_fakes.h"
#include "tool/transfer/tests/fake_message_boxes.h"

namespace vexlow::fuzzing {
namespace {

constexpr const char* kKeys[] = {"NewVersion", "Country", "DriverName", "MachineName",
                                 "KX7FileName"};

// The executable's path as GetModuleFileNameA hands it out: cut to the
// buffer, then the buffer's size answered.
class ModuleLocation : public testing::FakeLocation {
 public:
  bool ModulePath(std::string& out) override {
    if (!available) {
      return false;
    }
    return ReadWholePath(
        [this](char* buffer, std::size_t size) -> std::size_t {
          const std::size_t length = std::min(path.size(), size - 1);
          std::copy(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(length), buffer);
          buffer[length] = '\0';
          return path.size() < size ? path.size() : size;
        },
        out);
  }
};

// The files present, by the order they are looked for: the ini, then the
// two libraries and the package.
class AnsweredFiles : public FilePresence {
 public:
  explicit AnsweredFiles(uint8_t answers) : answers_(answers) {}
  bool Exists(const std::string&) override { return (answers_ >> asked_++ & 1) != 0; }

 private:
  uint8_t answers_;
  int asked_ = 0;
};

bool IsSeparator(char c) {
  return c == '\\' || c == '/' || c == ':';
}

// Every export start-up binds; none is called before a printer is chosen.
void ProvideOstrand(platform::testing::FakeLibraryLoader& loader, bool whole) {
  const auto none = reinterpret_cast<platform::LibraryLoader::Symbol>(+[] {});
  platform::testing::FakeLibraryLoader::Exports exports;
  for (const char* name : {"TRInitPrinter", "TRCheckSupportPrinter", "TRCmdInit", "TRGetStatus",
                           "TRGetFileList", "TRSendFile", "TRReceiveFile", "TRDeleteFile"}) {
    exports[name] = none;
  }
  if (!whole) {
    exports.erase("TRDeleteFile");
  }
  loader.Provide("Ostrand.dll", exports);
}

void RunOne(fuzz::FuzzInput& input) {
  testing::Journal journal;
  ApplicationTitle title;
  testing::FakeMessageBoxes messages(journal, title.Text());
  testing::FakeUserInterface ui(journal);
  testing::FakeStrings strings(journal);
  testing::FakeCodec codec;
  testing::JournalLoader loader(journal);
  TransferClient transfer(loader);
  PortBinding port(loader);
  ModuleLocation location;
  location.available = (input.U8() & 1) != 0;
  const std::string piece = input.Text(300);
  location.path.clear();
  for (uint32_t repeat = input.InRange(1, 300); repeat > 0; --repeat) {
    location.path += piece;
  }
  const uint8_t present = input.U8();
  AnsweredFiles files(present);
  strings.texts[IDS_APP_TITLE] = input.Text(40);
  strings.texts[IDS_REGISTRY_KEY] = input.Text(40);
  strings.texts[IDS_WARNING_NOTICE] = input.Text(80);
  ui.warningResult = static_cast<DialogResult>(input.InRange(0, 2));
  ProvideOstrand(loader, (input.U8() & 1) != 0);

  std::string directory;
  const bool haveDirectory = GetProgramDirectory(location, directory);
  const std::string iniPath = directory + "\\vexlow.ini";
  ProfileText profile(iniPath, input.Text(4000));

  UpdateApp app(StartupServices{ui, messages, title, files, profile, strings, location, codec,
                                transfer, port});
  FUZZ_CHECK(!app.StartUp(), "start-up never asks for a message loop");
  app.ShutDown();

  FUZZ_CHECK(loader.LoadedCount() == 0, "every library is let go at the end");
  // The machine name goes into the warning texts only as a substitute.
  const WarningTexts texts = ComposeWarningTexts(strings, app.MachineName());
  FUZZ_CHECK(
      texts.notice.size() <= strings.texts[IDS_WARNING_NOTICE].size() + app.MachineName().size(),
      "a warning text is its format with the machine name put in once");
  FUZZ_CHECK(messages.shown.size() <= 1, "start-up shows at most one message");
  FUZZ_CHECK(app.ProgramDirectory() == directory && app.IniPath() == iniPath,
             "the ini is looked for in the program's own directory");
  FUZZ_CHECK(directory.size() <= location.path.size() &&
                 location.path.compare(0, directory.size(), directory) == 0 &&
                 (directory.empty() || IsSeparator(location.path[directory.size()])),
             "the program's directory is its path up to a separator");
  const std::string* settings[] = {&app.NewVersion(), &app.Country(), &app.DriverName(),
                                   &app.MachineName(), &app.KX7FileName()};
  const bool iniRead = haveDirectory && (present & 1) != 0;
  FUZZ_CHECK(iniRead || (messages.shown.size() == 1 &&
                         messages.shown[0].text == "Error : Data file not found."),
             "without the ini start-up says only that the data file is missing");
  for (std::size_t i = 0; i < std::size(kKeys); ++i) {
    FUZZ_CHECK(settings[i]->size() <= UpdateApp::kValueCapacity - 1,
               "a setting holds at most 259 characters");
    const std::string expected =
        iniRead ? profile.ReadString(iniPath, "UPDATE", kKeys[i], "", UpdateApp::kValueCapacity)
                : std::string();
    FUZZ_CHECK(*settings[i] == expected, "each setting is its key's value in section UPDATE");
  }
}

}  // namespace
}  // namespace vexlow::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WithoutTestReports([&] {
    fuzz::FuzzInput input(data, size);
    vexlow::fuzzing::RunOne(input);
  });
  return 0;
}
