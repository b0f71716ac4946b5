// system.txt of a support bundle: what support needs to know of the PC and of
// the program's folder, as text a person reads. It holds only what is listed
// here: the Windows version, the versions and bitness of the update tool, the
// transfer library and the port library, the recorder's settings, and the
// printers with their driver and model.
#ifndef SUPPORT_BUNDLE_PC_REPORT_H
#define SUPPORT_BUNDLE_PC_REPORT_H

#include <string>
#include <string_view>
#include <vector>

namespace support {

struct ModuleReport {
  std::string role;  // "Vexlow.exe", "the maker's port library", ...
  std::string path;
  bool found = false;
  std::string version;  // "1.0.0.0", or why there is none
  std::string machine;  // DescribeProgramMachine of its first bytes
};

struct PrinterReport {
  std::string name, driver, port;
  std::string model;  // "0x0415", or why there is none
};

struct PcReport {
  std::string windows;
  std::string recorder;  // the recorder's settings, or that it is not in place
  std::vector<ModuleReport> modules;
  std::vector<PrinterReport> printers;
  std::string printerProblem;  // when the list could not be read
};

std::string FormatPcReport(const PcReport& report);

// The machine a Windows program or library was built for, from its first
// bytes (the DOS and PE headers): "x86-64 (64-bit)", "x86 (32-bit)", or what
// is wrong with the bytes.
std::string DescribeProgramMachine(std::string_view head);

}  // namespace support

#endif  // SUPPORT_BUNDLE_PC_REPORT_H
