// Which installed printers the tool supports, and where each printer driver
// registers its information library:
// HKEY_LOCAL_MACHINE\SOFTWARE\<company>\Skorvin\Driver\3.0\<driver>, value
// "Info Dll". Nothing is kept between calls: every key and printer opened is
// closed, every library loaded is freed, before a call answers.
#ifndef TOOL_PRINTERS_CLASSIFICATION_H
#define TOOL_PRINTERS_CLASSIFICATION_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "tool/printers/printer_seams.h"

namespace vexlow {

// The one driver whose printers the fallback enumeration offers.
inline constexpr char kSupportedDriverName[] = "Quorbel ZN-418";

// How a printer or driver classifies.
enum DriverClass : int {
  kDriverNotSupported = 0,  // excluded, not registered, or no "Info Dll" value
  kDriverRegistered = 1,    // registered, with an information library
  kDriverSpecialTape = 2,   // and that library reports the special-tape feature
};

// The platform class of the running system (GetVersionExA).
enum PlatformClass : int16_t {
  kPlatformOther = 1,      // any other, or the version is not available
  kPlatformWindows9x = 2,  // major 4 or above, platform id 1
  kPlatformWindowsNt = 3,  // major 4 or above, platform id 2
  kPlatformNt351 = 4,      // major 3, minor 51
};

// A supported printer as the enumeration lists it.
struct PrinterCandidate {
  std::string printerName;
  std::string portName;
  std::string libraryPath;
};

// Whether a printer or driver name begins with one of the other
// manufacturers' prefixes (the first three characters, case-sensitive).
bool IsExcludedName(const char* name);

// Finds the driver's registration and reads its "Info Dll" path into
// path[size], zero-terminated. The subkeys of "SOFTWARE" (at most 3000) and
// of the driver root (at most 300) are searched by exact name. A value that
// does not end inside the buffer counts as absent.
DriverClass LookUpDriver(PrinterEnvironment& environment, const char* driverName, char* path,
                         std::size_t size);
// Loads the information library and asks its feature flags: true when it
// reports special tape.
bool ProbeSpecialTape(PrinterEnvironment& environment, const char* driverName, const char* path);
// The class of the printer's driver, from the spooler's record of the printer.
DriverClass ClassifyPrinter(PrinterEnvironment& environment, const char* printerName, char* path,
                            std::size_t size);
// The supported printers: visible, not excluded, registered, of the supported
// driver; a printer of special tape counts twice, its second record under the
// name with the suffix. Stores at most capacity records (none when records is
// null) and answers how many there are.
std::size_t EnumerateSupportedPrinters(PrinterEnvironment& environment, PrinterCandidate* records,
                                       std::size_t capacity);

PlatformClass CheckPlatform(SystemVersion& version);

}  // namespace vexlow

#endif  // TOOL_PRINTERS_CLASSIFICATION_H
