#include "virtual_printer/driver/win/spooler_setup.h"

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>

namespace vp {
namespace {

constexpr char kPpdName[] = "quorbel-zn418.ppd";

// Two papers and two resolutions: enough for the system's PostScript driver to
// answer the device mode, the paper and resolution capabilities and the
// information contexts' page measures.
constexpr char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"QZN418.PPD\"\n"
    "*Manufacturer: \"Quorbel\"\n"
    "*Product: \"(Quorbel ZN-418)\"\n"
    "*ModelName: \"Quorbel ZN-418\"\n"
    "*NickName: \"Quorbel ZN-418\"\n"
    "*ColorDevice: False\n"
    "*DefaultResolution: 300dpi\n"
    "*Resolution 300dpi: \"<</HWResolution[300 300]>>setpagedevice\"\n"
    "*Resolution 600dpi: \"<</HWResolution[600 600]>>setpagedevice\"\n"
    "*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*PageSize Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
    "*DefaultPageRegion: A4\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*PageRegion Letter/US Letter: \"<</PageSize[612 792]>>setpagedevice\"\n"
    "*DefaultImageableArea: A4\n"
    "*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*ImageableArea Letter/US Letter: \"18 18 594 774\"\n"
    "*DefaultPaperDimension: A4\n"
    "*PaperDimension A4/A4: \"595 842\"\n"
    "*PaperDimension Letter/US Letter: \"612 792\"\n";

char* Writable(const std::string& text) {
  return const_cast<char*>(text.c_str());
}

std::string Failure(const std::string& what) {
  return what + " failed with error " + std::to_string(GetLastError());
}

std::string PpdPath() {
  char folder[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                  sizeof folder, &needed)) {
    return {};
  }
  return std::string(folder) + "\\3\\" + kPpdName;
}

bool WritePpd(std::string* error) {
  const std::string path = PpdPath();
  if (path.empty()) {
    *error = Failure("GetPrinterDriverDirectoryA");
    return false;
  }
  CreateDirectoryA(path.substr(0, path.rfind('\\')).c_str(), nullptr);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr || std::fputs(kPpd, file) < 0 || std::fclose(file) != 0) {
    *error = path + ": cannot be written";
    return false;
  }
  return true;
}

// One of the spooler's lists, size first, then the records: the buffer, and in
// *count the records at its start (none when either call fails).
template <typename Enumerate>
std::vector<BYTE> SpoolerList(Enumerate enumerate, DWORD* count) {
  DWORD needed = 0;
  *count = 0;
  enumerate(nullptr, 0, &needed, count);
  std::vector<BYTE> list(needed);
  if (needed == 0 || !enumerate(list.data(), needed, &needed, count)) {
    *count = 0;
  }
  return list;
}

bool IsDriverInstalled(const std::string& driverName) {
  DWORD count = 0;
  const std::vector<BYTE> list = SpoolerList(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrinterDriversA(nullptr, nullptr, 1, buffer, size, needed, returned);
      },
      &count);
  const auto* drivers = reinterpret_cast<const DRIVER_INFO_1A*>(list.data());
  return std::any_of(drivers, drivers + count, [&](const DRIVER_INFO_1A& driver) {
    return driver.pName != nullptr && driverName == driver.pName;
  });
}

}  // namespace

bool AddSpoolerDriver(const std::string& driverName, std::string* error) {
  if (!WritePpd(error)) {
    return false;
  }
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = Writable(driverName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(kPpdName);
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) &&
      GetLastError() != ERROR_PRINTER_DRIVER_ALREADY_INSTALLED) {
    *error = Failure("AddPrinterDriverA(" + driverName + ")");
    return false;
  }
  return true;
}

bool AddSpoolerPrinter(const std::string& printerName, const std::string& driverName,
                       std::string* error) {
  PRINTER_INFO_2A info = {};
  info.pPrinterName = Writable(printerName);
  info.pDriverName = Writable(driverName);
  info.pPortName = const_cast<char*>("FILE:");
  info.pPrintProcessor = const_cast<char*>("WinPrint");
  info.pDatatype = const_cast<char*>("RAW");
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) {
    if (GetLastError() == ERROR_PRINTER_ALREADY_EXISTS) {
      return true;
    }
    *error = Failure("AddPrinterA(" + printerName + ")");
    return false;
  }
  ClosePrinter(printer);
  return true;
}

bool DeleteSpoolerPrinter(const std::string& printerName, std::string* error) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterA(Writable(printerName), &printer, &access)) {
    return true;  // no such printer
  }
  const bool deleted = ::DeletePrinter(printer) != 0;
  if (!deleted) {
    *error = Failure("DeletePrinter(" + printerName + ")");
  }
  ClosePrinter(printer);
  return deleted;
}

std::vector<std::string> PrintersOfDriver(const std::string& driverName) {
  DWORD count = 0;
  const std::vector<BYTE> list = SpoolerList(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer, size, needed, returned);
      },
      &count);
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(list.data());
  std::vector<std::string> names;
  for (DWORD i = 0; i < count; ++i) {
    if (printers[i].pDriverName != nullptr && driverName == printers[i].pDriverName) {
      names.emplace_back(printers[i].pPrinterName);
    }
  }
  return names;
}

bool DeleteSpoolerDriver(const std::string& driverName, std::string* error) {
  // Asked first: for a driver that is not installed, Wine's DeletePrinterDriverA
  // fails without saying why.
  if (!IsDriverInstalled(driverName)) {
    return true;
  }
  if (!DeletePrinterDriverA(nullptr, nullptr, Writable(driverName))) {
    *error = Failure("DeletePrinterDriverA(" + driverName + ")");
    return false;
  }
  return true;
}

bool DeletePpd(std::string* error) {
  const std::string path = PpdPath();
  if (path.empty() || (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)) {
    *error = Failure("deleting the PPD " + path);
    return false;
  }
  return true;
}

}  // namespace vp
