// The update tool's application object: reads vexlow.ini beside the program,
// checks that the transfer library, the port library and the package are
// there, binds the transfer library and runs the warning dialog, then the
// printer-selection dialog.
#ifndef TOOL_APP_CORE_UPDATE_APP_H
#define TOOL_APP_CORE_UPDATE_APP_H

#include <cstddef>
#include <string>

#include "application.h"
#include "platform/message_boxes.h"
#include "startup_seams.h"
#include "tool/transfer/port_binding.h"
#include "tool/transfer/transfer_client.h"

namespace vexlow {

// The configuration file beside the program, and its values.
inline constexpr char kIniFileName[] = "vexlow.ini";

struct UpdateSettings {
  std::string newVersion;
  std::string country;
  std::string driverName;
  std::string machineName;
  std::string kx7FileName;
};

// The five values of section UPDATE, in the tool's order, each read into a
// buffer of 260 bytes (so cut to 259 characters); "" where one is absent.
UpdateSettings ReadUpdateSettings(ProfileReader& profile, const std::string& iniPath);

struct StartupServices {
  UserInterface& ui;
  platform::MessageBoxes& messages;
  // Set by the application: first the executable's name, then string 3000.
  ApplicationTitle& title;
  FilePresence& files;
  ProfileReader& profile;
  StringTable& strings;
  ProgramLocation& location;
  TextCodec& codec;
  // Both live for the whole process. Start-up binds the transfer library and
  // shutdown releases it; the printer-selection dialog binds the port library
  // for its own life, and shutdown releases whatever is still bound.
  TransferClient& transfer;
  PortBinding& port;
};

class UpdateApp : public Application {
 public:
  // Every ini value is read into a buffer of this many bytes.
  static constexpr std::size_t kValueCapacity = 260;

  explicit UpdateApp(const StartupServices& services);

  // Runs start-up to its end; always false (no message loop follows).
  bool StartUp() override;
  // Unbinds both libraries; returns the exit code.
  int ShutDown() override;
  // True when ostrand.dll, hobrel.dll and the package lie beside the program;
  // otherwise shows one message naming the missing ones.
  bool CheckCompanionFiles();

  const std::string& NewVersion() const { return newVersion_; }
  const std::string& Country() const { return country_; }
  const std::string& DriverName() const { return driverName_; }
  const std::string& MachineName() const { return machineName_; }
  const std::string& KX7FileName() const { return kx7FileName_; }
  const std::string& IniPath() const { return iniPath_; }
  const std::string& ProgramDirectory() const { return programDirectory_; }
  // Where the package is looked for and read from.
  std::string PackagePath() const { return programDirectory_ + "\\" + kx7FileName_; }
  // What the printer-selection dialog is given.
  PrinterSelectSettings SelectDialogSettings() const;

 private:
  void ReadSettings();

  StartupServices services_;
  std::string newVersion_;
  std::string country_;
  std::string driverName_;
  std::string machineName_;
  std::string kx7FileName_;
  std::string iniPath_;
  std::string programDirectory_;
};

}  // namespace vexlow

#endif  // TOOL_APP_CORE_UPDATE_APP_H
