// Start-up as the tool runs it, over any values of vexlow.ini (any bytes, any
// length, cut as the system cuts them), any executable path (double-byte
// characters, separators anywhere, longer than any buffer), any title string
// and any answer of the files, the transfer library and the warning dialog.
#include "core/program_path.h"
#include "core/update_app.h"
#include "core/warning_texts.h"
#include "fuzz/fuzz.h"
#include "resource.h"
#include "tests/startup_fakes.h"

namespace vexlow::fuzzing {

// The executable's path as GetModuleFileNameA hands it out: cut to the
// buffer, then the buffer's size answered.
struct ModuleLocation : testing::FakeLocation {
  bool ModulePath(std::string& out) override {
    return available && ReadWholePath(
                            [this](char* buffer, std::size_t size) {
                              buffer[path.copy(buffer, std::min(path.size(), size - 1))] = '\0';
                              return std::min(path.size(), size);
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
  platform::testing::FakeLibraryLoader::Exports exports;  // none: the binding fails
  for (const char* name : {"TRInitPrinter", "TRCheckSupportPrinter", "TRCmdInit", "TRGetStatus",
                           "TRGetFileList", "TRSendFile", "TRReceiveFile", "TRDeleteFile"}) {
    exports[name] = reinterpret_cast<platform::LibraryLoader::Symbol>(+[] {});
  }
  loader.Provide("Ostrand.dll", input.Bool() ? exports : decltype(exports)());

  UpdateApp app(StartupServices{ui, messages, title, files, profile, strings, location, codec,
                                transfer, port});
  FUZZ_CHECK(!app.StartUp());  // start-up never asks for a message loop
  app.ShutDown();
  FUZZ_CHECK(loader.LoadedCount() == 0 && messages.shown.size() <= 1);
  // The ini is looked for in the program's own directory: its path up to a separator.
  FUZZ_CHECK(app.IniPath() == directory + "\\vexlow.ini" && location.path.starts_with(directory));
  FUZZ_CHECK(directory.empty() || std::string_view("\\/:").find(location.path[directory.size()]) !=
                                      std::string_view::npos);
  for (const std::string* setting : {&app.NewVersion(), &app.Country(), &app.DriverName(),
                                     &app.MachineName(), &app.KX7FileName()}) {
    FUZZ_CHECK(setting->size() < UpdateApp::kValueCapacity);
  }
  // The machine name is put into the warning's format once, as a substitute.
  const WarningTexts texts = ComposeWarningTexts(strings, app.MachineName());
  FUZZ_CHECK(texts.notice.size() <=
             strings.texts[IDS_WARNING_NOTICE].size() + app.MachineName().size());
}

}  // namespace vexlow::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  vexlow::fuzzing::RunOne(input);
  return 0;
}
