// vp_install_driver.exe: puts the virtual printer's driver "Quorbel ZN-418"
// into the spooler and registry of the system it runs on (a Wine prefix, for
// tests and demonstrations), with printers of it, and takes it all away again.
//
//   vp_install_driver install [--info-dll PATH] [--printer NAME]... [--other-printer NAME]...
//   vp_install_driver remove [--printer NAME]... [--other-printer NAME]...
//
// install adds the driver and writes its registration ("Info Dll": PATH, by
// default quorbel_info.dll beside this program; a missing file may be named;
// "TransferUI": 1), then a printer of the driver under each --printer name and
// a printer of the driver "Plain Label Driver", which has no registration,
// under each --other-printer name. remove deletes the printers named; with no
// name it deletes every printer of both drivers, the drivers, the PPD and the
// registration. Both may be run again: what is there already is kept, what is
// gone already is not missed. Exit code 0 on success, 1 on failure, 2 on a
// command line that is not understood.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "virtual_printer/driver/win/driver_registration.h"
#include "virtual_printer/driver/win/spooler_setup.h"

namespace {

constexpr char kDriver[] = "Quorbel ZN-418";
constexpr char kOtherDriver[] = "Plain Label Driver";

struct CommandLine {
  std::string command;
  std::string infoDll;
  std::vector<std::string> printers;
  std::vector<std::string> otherPrinters;
};

bool Parse(int argc, char** argv, CommandLine* line) {
  if (argc < 2) {
    return false;
  }
  line->command = argv[1];
  for (int i = 2; i < argc; i += 2) {
    if (i + 1 >= argc || argv[i + 1][0] == '\0') {
      return false;
    }
    const std::string option = argv[i];
    if (option == "--printer") {
      line->printers.emplace_back(argv[i + 1]);
    } else if (option == "--other-printer") {
      line->otherPrinters.emplace_back(argv[i + 1]);
    } else if (option == "--info-dll" && line->command == "install") {
      line->infoDll = argv[i + 1];
    } else {
      return false;
    }
  }
  return line->command == "install" || line->command == "remove";
}

// quorbel_info.dll in this program's folder, as an absolute path.
std::string LibraryBesideProgram() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) {
    return {};
  }
  std::string library(path);
  library.erase(library.find_last_of("\\/") + 1);
  return library + "quorbel_info.dll";
}

bool Install(const CommandLine& line, std::string* error) {
  const std::string infoDll = line.infoDll.empty() ? LibraryBesideProgram() : line.infoDll;
  if (!vp::AddSpoolerDriver(kDriver, error) || !vp::WriteRegistration(kDriver, infoDll, error)) {
    return false;
  }
  for (const std::string& name : line.printers) {
    if (!vp::AddSpoolerPrinter(name, kDriver, error)) {
      return false;
    }
  }
  if (!line.otherPrinters.empty() && !vp::AddSpoolerDriver(kOtherDriver, error)) {
    return false;
  }
  for (const std::string& name : line.otherPrinters) {
    if (!vp::AddSpoolerPrinter(name, kOtherDriver, error)) {
      return false;
    }
  }
  return true;
}

bool Remove(const CommandLine& line, std::string* error) {
  std::vector<std::string> printers = line.printers;
  printers.insert(printers.end(), line.otherPrinters.begin(), line.otherPrinters.end());
  const bool everything = printers.empty();
  if (everything) {
    for (const char* driver : {kDriver, kOtherDriver}) {
      const std::vector<std::string> ofDriver = vp::PrintersOfDriver(driver);
      printers.insert(printers.end(), ofDriver.begin(), ofDriver.end());
    }
  }
  for (const std::string& name : printers) {
    if (!vp::DeleteSpoolerPrinter(name, error)) {
      return false;
    }
  }
  return !everything ||
         (vp::DeleteSpoolerDriver(kDriver, error) && vp::DeleteSpoolerDriver(kOtherDriver, error) &&
          vp::DeletePpd(error) && vp::DeleteRegistration(kDriver, error));
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine line;
  if (!Parse(argc, argv, &line)) {
    std::fprintf(stderr,
                 "usage: vp_install_driver install [--info-dll PATH] [--printer NAME]... "
                 "[--other-printer NAME]...\n"
                 "       vp_install_driver remove [--printer NAME]... [--other-printer NAME]...\n");
    return 2;
  }
  std::string error;
  const bool done = line.command == "install" ? Install(line, &error) : Remove(line, &error);
  if (!done) {
    std::fprintf(stderr, "vp_install_driver: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
