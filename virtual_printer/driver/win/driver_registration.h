// The driver's registration under HKEY_LOCAL_MACHINE, where the tool finds
// its information library and Ostrand its transfer support.
#ifndef VIRTUAL_PRINTER_DRIVER_WIN_DRIVER_REGISTRATION_H
#define VIRTUAL_PRINTER_DRIVER_WIN_DRIVER_REGISTRATION_H

#include <string>

namespace vp {

// "Info Dll" (REG_SZ) and "TransferUI" (REG_DWORD 1) in the driver's key.
bool WriteRegistration(const std::string& driverName, const std::string& infoDll,
                       std::string* error);
// The driver's key, and each key above it up to the company that is left
// empty then.
bool DeleteRegistration(const std::string& driverName, std::string* error);

}  // namespace vp

#endif  // VIRTUAL_PRINTER_DRIVER_WIN_DRIVER_REGISTRATION_H
