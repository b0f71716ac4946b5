// The update tool's application object: reads vexlow.ini beside the program,
// checks that the transfer library, the port library and the package are
// there, binds the transfer library and runs the dialogs.
#ifndef TOOL_APP_CORE_UPDATE_APP_H
#define TOOL_APP_CORE_UPDATE_APP_H

#include <cstddef>
#include <string>

#include "application.h"
#include "startup_seams.h"

namespace vexlow {

struct StartupServices {
  UserInterface& ui;
  FilePresence& files;
  ProfileReader& profile;
  StringTable& strings;
  ProgramLocation& location;
  TextCodec& codec;
  TransferBinding& transfer;
};

class UpdateApp : public Application {
 public:
  // Every ini value is read into a buffer of this many bytes.
  static constexpr std::size_t kValueCapacity = 260;

  explicit UpdateApp(const StartupServices& services);

  // Runs start-up to its end; always false (no message loop follows).
  bool StartUp() override;
  // Unbinds the transfer library; returns the exit code.
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

 private:
  void ReadSettings();
  std::string ReadSetting(const char* key);

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
