// Start-up as the tool runs it, over any values of vexlow.ini (any bytes, any
// length, cut as the system cuts them), any executable path (double-byte
// characters, separators anywhere, longer than any buffer), any title string
// and any answer of the files, the transfer library and the warning dialog.
// Start-up must look for the ini in the program's own directory, show at most
// one message, keep no setting past 259 characters, put the machine name into
// the warning texts only as a substitute, and let go of every library it bound.
#include <algorithm>
#include <string>

#include "core/program_path.h"
#include "core/update_app.h"
#include "core/warning_texts.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/test_reports.h"
#include "resource.h"
#include "tests/startup_fakes.h"

namespace vexlow::fuzzing {
namespace {

// The executable's path as GetModuleFileNameA hands it out: cut to the
// buffer, then the buffer's size answered.
class ModuleLocation : public testing::FakeLocation {
 public:
  bool ModulePath(std::string& out) override {
    return available && ReadWholePath(
                            [this](char* buffer, std::size_t size) -> std::size_t {
                              const std::size_t length = std::min(path.size(), size - 1);
                              path.copy(buffer, length);
                              buffer[length] = '\0';
                              return path.size() < size ? path.size() : size;
                            },
                            out);
  }
};

void RunOne(fuzz::FuzzInput& input) {
  testing::Journal journal;
  ApplicationTitle title;
  platform::testing::FakeMessageBoxes messages(journal, title.Text());
  testing::FakeUserInterface ui(journal);
  testing::FakeStrings strings(journal);
  testing::FakeFiles files(journal);
  testing::FakeProfile profile(journal);
  testing::FakeCodec codec;
  testing::JournalLoader loader(journal);
  TransferClient transfer(loader);
  PortBinding port(loader);
  ModuleLocation location;
  location.available = (input.U8() & 1) != 0;
  const std::string piece = input.Text(300);
  for (uint32_t repeat = input.InRange(1, 300); repeat > 0; --repeat) {
    location.path += piece;
  }
  std::string directory;
  GetProgramDirectory(location, directory);
  for (const char* key : {"NewVersion", "Country", "DriverName", "MachineName", "KX7FileName"}) {
    profile.values[key] = input.Text(400);
  }
  for (const std::string& name : {std::string("vexlow.ini"), std::string("ostrand.dll"),
                                  std::string("hobrel.dll"), profile.values["KX7FileName"]}) {
    if (input.Bool()) {
      files.present.insert(directory + "\\" + name);
    }
  }
  strings.texts[IDS_APP_TITLE] = input.Text(40);
  strings.texts[IDS_WARNING_NOTICE] = input.Text(80);
  ui.warningResult = static_cast<DialogResult>(input.InRange(0, 2));
  loader.Provide("Ostrand.dll", {});  // the binding fails, or below it binds
  if ((input.U8() & 1) != 0) {
    platform::testing::FakeLibraryLoader::Exports exports;
    for (const char* name : {"TRInitPrinter", "TRCheckSupportPrinter", "TRCmdInit", "TRGetStatus",
                             "TRGetFileList", "TRSendFile", "TRReceiveFile", "TRDeleteFile"}) {
      exports[name] = reinterpret_cast<platform::LibraryLoader::Symbol>(+[] {});
    }
    loader.Provide("Ostrand.dll", exports);
  }

  UpdateApp app(StartupServices{ui, messages, title, files, profile, strings, location, codec,
                                transfer, port});
  FUZZ_CHECK(!app.StartUp(), "start-up never asks for a message loop");
  app.ShutDown();

  FUZZ_CHECK(loader.LoadedCount() == 0, "every library is let go at the end");
  FUZZ_CHECK(messages.shown.size() <= 1, "start-up shows at most one message");
  FUZZ_CHECK(app.ProgramDirectory() == directory && app.IniPath() == directory + "\\vexlow.ini",
             "the ini is looked for in the program's own directory");
  FUZZ_CHECK(
      location.path.starts_with(directory) &&
          (directory.empty() || std::string_view("\\/:").find(location.path[directory.size()]) !=
                                    std::string_view::npos),
      "the program's directory is its path up to a separator");
  for (const std::string* setting : {&app.NewVersion(), &app.Country(), &app.DriverName(),
                                     &app.MachineName(), &app.KX7FileName()}) {
    FUZZ_CHECK(setting->size() <= UpdateApp::kValueCapacity - 1,
               "a setting holds at most 259 characters");
  }
  const WarningTexts texts = ComposeWarningTexts(strings, app.MachineName());
  FUZZ_CHECK(
      texts.notice.size() <= strings.texts[IDS_WARNING_NOTICE].size() + app.MachineName().size(),
      "a warning text is its format with the machine name put in once");
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
