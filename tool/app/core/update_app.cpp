#include "update_app.h"

#include "program_path.h"
#include "resource.h"

namespace vexlow {

namespace {

constexpr char kSection[] = "UPDATE";
constexpr char kTransferLibrary[] = "ostrand.dll";
constexpr char kPortLibrary[] = "hobrel.dll";

constexpr char kDataFileMissing[] = "Error : Data file not found.";
constexpr char kFilesMissing[] = "File not found.\n\n";
constexpr char kTransferBindFailed[] = "Error : Transfer DLL : Open";

}  // namespace

UpdateApp::UpdateApp(const StartupServices& services)
    : Application(services.messages, services.title), services_(services) {
  SetTitle(services.codec.AnsiToUtf8(ExecutableTitle(services.location)));
}

bool UpdateApp::StartUp() {
  SetRegistryKey(services_.strings.Load(IDS_REGISTRY_KEY));

  // Without the program's own directory the ini could only be looked for
  // elsewhere, which must never happen; that counts as a missing ini.
  const bool haveDirectory = GetProgramDirectory(services_.location, programDirectory_);
  iniPath_ = programDirectory_ + "\\" + kIniFileName;
  if (!haveDirectory || !services_.files.Exists(iniPath_)) {
    ShowMessage(kDataFileMissing, platform::MessageIcon::Stop);
    return false;
  }

  ReadSettings();

  std::string title = services_.strings.Load(IDS_APP_TITLE);
  if (!title.empty()) {
    SetTitle(std::move(title));
  }

  if (!CheckCompanionFiles()) {
    return false;
  }

  if (!services_.transfer.BindTransferLibrary()) {
    ShowMessage(kTransferBindFailed, platform::MessageIcon::Stop);
    return false;
  }

  if (services_.ui.RunWarningDialog(machineName_) == DialogResult::Cancel) {
    return false;
  }

  // Its result does not matter: the program ends when it closes.
  services_.ui.RunPrinterSelectDialog(SelectDialogSettings());
  return false;
}

int UpdateApp::ShutDown() {
  services_.port.UnbindPortLibrary();
  services_.transfer.UnbindTransferLibrary();
  return Application::ShutDown();
}

PrinterSelectSettings UpdateApp::SelectDialogSettings() const {
  return {newVersion_, driverName_, kx7FileName_, PackagePath()};
}

bool UpdateApp::CheckCompanionFiles() {
  const std::string base = programDirectory_ + "\\";
  const bool haveTransfer = services_.files.Exists(base + kTransferLibrary);
  const bool havePort = services_.files.Exists(base + kPortLibrary);
  const bool havePackage = services_.files.Exists(PackagePath());
  if (haveTransfer && havePort && havePackage) {
    return true;
  }

  std::string message = kFilesMissing;
  if (!haveTransfer) {
    message += kTransferLibrary;
  }
  if (!havePort) {
    message += "\n";
    message += kPortLibrary;
  }
  if (!havePackage) {
    message += "\n";
    message += services_.codec.AnsiToUtf8(kx7FileName_);
  }
  ShowMessage(message, platform::MessageIcon::Stop);
  return false;
}

UpdateSettings ReadUpdateSettings(ProfileReader& profile, const std::string& iniPath) {
  const auto read = [&](const char* key) {
    return profile.ReadString(iniPath, kSection, key, "", UpdateApp::kValueCapacity);
  };
  UpdateSettings settings;
  settings.newVersion = read("NewVersion");
  settings.country = read("Country");
  settings.driverName = read("DriverName");
  settings.machineName = read("MachineName");
  settings.kx7FileName = read("KX7FileName");
  return settings;
}

void UpdateApp::ReadSettings() {
  UpdateSettings settings = ReadUpdateSettings(services_.profile, iniPath_);
  newVersion_ = std::move(settings.newVersion);
  country_ = std::move(settings.country);
  driverName_ = std::move(settings.driverName);
  machineName_ = std::move(settings.machineName);
  kx7FileName_ = std::move(settings.kx7FileName);
}

}  // namespace vexlow
