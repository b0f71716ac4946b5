// ostrandcli.exe: loads ostrand.dll by name as the update tool does (the
// same loader, the same restricted library search, the same binding of the
// exports), and runs one command. Ctrl+C during a transfer cancels it the way
// the protocol allows (the stop word is written) instead of killing the process.
#include <windows.h>

#include <iostream>
#include <string>

#include "cli/client_commands.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "platform/win/library_search.h"
#include "platform/win/win32_library_loader.h"
#include "support/bundle/bundle_command.h"
#include "tool/transfer/ostrand_binding.h"

namespace {

BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
    cli::RequestCancel();
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "bundle") {
    return support::RunBundleCommand(argc - 2, argv + 2);
  }
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
  // Before ostrand.dll is loaded: neither it nor hobrel.dll may come from the
  // current folder or PATH, only from the client's own folder or the system's.
  platform::RestrictLibrarySearch();
  platform::Win32LibraryLoader loader;
  platform::LibraryLoader::Handle library = loader.Load("ostrand.dll");
  if (library == nullptr) {
    std::cerr << "ostrandcli: ostrand.dll cannot be loaded (error " << GetLastError() << ")\n";
    return cli::kExitNoLibrary;
  }
  TRFunctions ostrand = {};
  if (const char* missing = vexlow::BindOstrandExports(loader, library, &ostrand)) {
    std::cerr << "ostrandcli: ostrand.dll has no export " << missing << "\n";
    loader.Free(library);
    return cli::kExitNoLibrary;
  }
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
  // A console shows the bar redrawn in place; a file or pipe keeps it as a log.
  const bool console = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
  const int exit = cli::RunCommand(line, ostrand, std::cout, std::cerr,
                                   console ? cli::BarStyle::kRedrawn : cli::BarStyle::kLogged);
  std::cout.flush();
  loader.Free(library);
  return exit;
}
