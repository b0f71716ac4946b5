// The virtual printer's driver in the local spooler: a PostScript driver of
// the system's own with a small PPD of ours, and printers of it printing to
// "FILE:". Every step succeeds when what it makes is there already, or what it
// removes is gone.
#ifndef VIRTUAL_PRINTER_DRIVER_WIN_SPOOLER_SETUP_H
#define VIRTUAL_PRINTER_DRIVER_WIN_SPOOLER_SETUP_H

#include <string>
#include <vector>

namespace vp {

// Writes the PPD into the spooler's driver folder and adds the driver.
bool AddSpoolerDriver(const std::string& driverName, std::string* error);
bool AddSpoolerPrinter(const std::string& printerName, const std::string& driverName,
                       std::string* error);
bool DeleteSpoolerPrinter(const std::string& printerName, std::string* error);
// The local printers of that driver; empty when there are none.
std::vector<std::string> PrintersOfDriver(const std::string& driverName);
// Removes the driver (its printers must be gone).
bool DeleteSpoolerDriver(const std::string& driverName, std::string* error);
bool DeletePpd(std::string* error);

}  // namespace vp

#endif  // VIRTUAL_PRINTER_DRIVER_WIN_SPOOLER_SETUP_H
