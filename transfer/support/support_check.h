// Whether a printer's driver declares file-transfer support: the "TransferUI"
// number of the driver's registration under HKEY_LOCAL_MACHINE. Touches neither
// the port nor the transfer library's state.
#ifndef TRANSFER_SUPPORT_SUPPORT_CHECK_H
#define TRANSFER_SUPPORT_SUPPORT_CHECK_H

#include <cstdint>

#include "platform/machine_registry.h"
#include "platform/printer_spooler.h"

namespace ostrand {

class SupportCheck {
 public:
  SupportCheck(platform::PrinterSpooler& spooler, platform::MachineRegistry& registry)
      : spooler_(spooler), registry_(registry) {}

  // The "TransferUI" number of the printer's driver in the maker's branch, or 0
  // for every failure: unknown printer, missing key or value, a value that is
  // not 4 bytes, a key path over 259 characters, a null name.
  uint32_t CheckSupportPrinter(const char* printerName);
  // The same with the company branch named by the caller.
  uint32_t CheckSupportPrinter2(const char* printerName, const char* companyName);

 private:
  platform::PrinterSpooler& spooler_;
  platform::MachineRegistry& registry_;
};

}  // namespace ostrand

#endif  // TRANSFER_SUPPORT_SUPPORT_CHECK_H
