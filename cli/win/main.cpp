// ostrandcli.exe: loads ostrand.dll by name as the update tool does (the
// same loader, the same restricted library search, the same binding of the
// exports), builds the tool's core over the Win32 services for update and
// printers, and runs one command. Ctrl+C and Ctrl+Break end it at once while
// nothing changes the printer; a transfer under way is stopped the way the
// protocol allows (the stop word is written) instead of killing the process.
#include <windows.h>

#include <iostream>
#include <mutex>
#include <sstream>
#include <string>

#include "cli/client_context.h"
#include "cli/command_line.h"
#include "cli/console_messages.h"
#include "cli/exit_codes.h"
#include "cli/tool_core.h"
#include "core/program_path.h"
#include "platform/win/library_search.h"
#include "platform/win/win32_library_loader.h"
#include "resource.h"
#include "support/bundle/bundle_command.h"
#include "tool/app/win/win32_printer_list.h"
#include "tool/app/win/win32_startup_services.h"
#include "tool/printers/special_tape.h"
#include "tool/transfer/ostrand_binding.h"

namespace {

// The resources may name the special-tape listing in string 10000.
constexpr unsigned kSpecialTapeString = 10000;

class Win32Clock : public platform::TickClock {
 public:
  uint32_t NowMs() override { return GetTickCount(); }
};

// What an interrupt that ends the process leaves behind: set before the
// command runs, read by the control handler.
struct InterruptEnd {
  cli::Interruption interruption;
  cli::Report report;  // what is known before the command runs
  bool json = false;
  std::mutex output;  // one writer of the last words
  bool written = false;
  UINT consolePage = 0;  // to give back to the console
};

InterruptEnd* interruptEnd = nullptr;

void WriteReport(const cli::Report& report, bool json) {
  if (json) {
    std::cout << cli::ReportJson(report) << std::flush;
  }
}

BOOL WINAPI OnConsoleControl(DWORD event) {
  if ((event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) || interruptEnd == nullptr) {
    return FALSE;
  }
  if (interruptEnd->interruption.Request() == cli::Interruption::Answer::kEndNow) {
    const std::lock_guard lock(interruptEnd->output);
    if (interruptEnd->written) {
      return TRUE;  // the command has ended and said so
    }
    cli::Report report = interruptEnd->report;
    report.exitCode = cli::kExitCancelled;
    report.words = "interrupted while nothing was changing the printer";
    std::cerr << "\nostrandcli: " << report.words << "\n" << std::flush;
    WriteReport(report, interruptEnd->json);
    if (interruptEnd->consolePage != 0) {
      SetConsoleOutputCP(interruptEnd->consolePage);
    }
    ExitProcess(cli::kExitCancelled);
  }
  return TRUE;
}

// Names and ini values from the system's code page, for the JSON object's
// UTF-8 (the words are the tool's strings, UTF-8 already).
void ToUtf8(cli::Report& report, vexlow::TextCodec& codec) {
  for (std::string* text : {&report.printer, &report.package, &report.version}) {
    *text = codec.AnsiToUtf8(*text);
  }
  for (cli::ListedPrinterReport& printer : report.printers) {
    printer.name = codec.AnsiToUtf8(printer.name);
  }
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
  static InterruptEnd end;
  end.json = line.json;
  end.report.command = cli::CommandName(line.command);
  end.report.printer = line.printer;
  end.report.package = line.package;
  interruptEnd = &end;
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);

  // Under --json standard output holds the object alone.
  std::ostream& out = line.json ? std::cerr : std::cout;
  cli::Report report = end.report;
  // Before ostrand.dll is loaded: neither it nor hobrel.dll may come from the
  // current folder or PATH, only from the client's own folder or the system's.
  platform::RestrictLibrarySearch();
  platform::Win32LibraryLoader loader;
  platform::LibraryLoader::Handle library = loader.Load("ostrand.dll");
  TRFunctions ostrand = {};
  const char* missing =
      library == nullptr ? nullptr : vexlow::BindOstrandExports(loader, library, &ostrand);
  if (library == nullptr || missing != nullptr) {
    std::ostringstream words;
    if (library == nullptr) {
      words << "ostrand.dll cannot be loaded (error " << GetLastError() << ")";
    } else {
      words << "ostrand.dll has no export " << missing;
    }
    std::cerr << "ostrandcli: " << words.str() << "\n";
    report.exitCode = cli::kExitNoLibrary;
    report.words = words.str();
    WriteReport(report, line.json);
    if (library != nullptr) {
      loader.Free(library);
    }
    return cli::kExitNoLibrary;
  }

  // The update tool's core, as Vexlow.exe builds it.
  HINSTANCE instance = GetModuleHandleW(nullptr);
  vexlow::win::Win32StringTable strings(instance);
  vexlow::win::Win32TextCodec codec;
  vexlow::win::Win32ProfileReader profile;
  vexlow::win::Win32FilePresence files;
  vexlow::win::Win32ProgramLocation location;
  Win32Clock clock;
  vexlow::TransferClient transferClient(loader);
  vexlow::PortBinding portBinding(loader);
  // The driver's own complaints (a damaged information library) go to the console.
  cli::ConsoleMessages driverMessages(out, std::cerr, [] { return false; });
  vexlow::win::Win32PrinterList printerList(
      loader, driverMessages, transferClient, strings.Load(IDS_REGISTRY_KEY),
      vexlow::SpecialTapeSuffixFromResource(strings.Load(kSpecialTapeString)));
  cli::PrinterListCatalog printers(printerList.List());
  std::string programDirectory;
  vexlow::GetProgramDirectory(location, programDirectory);
  cli::ToolCore tool{transferClient, portBinding, printers, strings,         codec,
                     profile,        files,       clock,    programDirectory};

  // The tool's words come in UTF-8; a console shows them so while the client runs.
  {
    const std::lock_guard lock(end.output);
    end.consolePage = GetConsoleOutputCP();
  }
  SetConsoleOutputCP(CP_UTF8);
  // A console shows the bar redrawn in place; a file or pipe keeps it as a log.
  const DWORD barHandle = line.json ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
  const bool console = GetFileType(GetStdHandle(barHandle)) == FILE_TYPE_CHAR;
  cli::ClientContext context{ostrand,
                             out,
                             std::cerr,
                             console ? cli::BarStyle::kRedrawn : cli::BarStyle::kLogged,
                             end.interruption,
                             report,
                             tool};
  const int exit = cli::RunCommand(line, context);
  {
    const std::lock_guard lock(end.output);
    end.written = true;
    out.flush();
    ToUtf8(report, codec);
    WriteReport(report, line.json);
  }
  if (end.consolePage != 0) {
    SetConsoleOutputCP(end.consolePage);
  }
  loader.Free(library);
  return exit;
}
