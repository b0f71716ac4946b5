// ostrandcli.exe: loads ostrand.dll by name, resolves the exports the commands
// need, and runs one command. Ctrl+C during a transfer cancels it the way the
// protocol allows (the stop word is written) instead of killing the process.
#include <windows.h>

#include <iostream>
#include <string>

#include "cli/client_commands.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"

namespace {

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
    cli::RequestCancel();
    return TRUE;
  }
  return FALSE;
}

template <typename Fn>
bool Resolve(HMODULE library, const char* name, Fn* fn) {
  FARPROC proc = GetProcAddress(library, name);
  if (proc == nullptr) {
    std::cerr << "ostrandcli: ostrand.dll has no export " << name << "\n";
    return false;
  }
  // Through void(*)(): the one function pointer type that converts without a warning.
  *fn = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  cli::CommandLine line;
  std::string error;
  if (!cli::ParseCommandLine(argc, argv, &line, &error)) {
    std::cerr << "ostrandcli: " << error << "\n" << cli::UsageText();
    return cli::kExitUsage;
  }
  if (line.command == cli::Command::kHelp) {
    std::cout << cli::UsageText();
    return cli::kExitOk;
  }
  HMODULE library = LoadLibraryA("ostrand.dll");
  if (library == nullptr) {
    std::cerr << "ostrandcli: ostrand.dll cannot be loaded (error " << GetLastError() << ")\n";
    return cli::kExitNoLibrary;
  }
  cli::OstrandFunctions ostrand = {};
  if (!Resolve(library, "TRInitPrinter", &ostrand.initPrinter) ||
      !Resolve(library, "TRCmdInit", &ostrand.cmdInit) ||
      !Resolve(library, "TRGetStatus", &ostrand.getStatus) ||
      !Resolve(library, "TRGetFileList", &ostrand.getFileList) ||
      !Resolve(library, "TRSendFile", &ostrand.sendFile) ||
      !Resolve(library, "TRReceiveFile", &ostrand.receiveFile) ||
      !Resolve(library, "TRDeleteFile", &ostrand.deleteFile)) {
    FreeLibrary(library);
    return cli::kExitNoLibrary;
  }
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  // A console shows the bar redrawn in place; a file or pipe keeps it as a log.
  const bool console = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
  const int exit = cli::RunCommand(line, ostrand, std::cout, std::cerr,
                                   console ? cli::BarStyle::kRedrawn : cli::BarStyle::kLogged);
  std::cout.flush();
  FreeLibrary(library);
  return exit;
}
