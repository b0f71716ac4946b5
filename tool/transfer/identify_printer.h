// Choosing the printer of an update: makes it current in the printer list,
// opens it through the transfer library and records its name and model
// identifier in the transfer client.
#ifndef TOOL_TRANSFER_IDENTIFY_PRINTER_H
#define TOOL_TRANSFER_IDENTIFY_PRINTER_H

#include <cstdint>
#include <string>

#include "tool/transfer/transfer_client.h"

namespace vexlow {

// What identification asks of the printer list (PrinterListSelection over the
// process's list).
class PrinterSelection {
 public:
  virtual ~PrinterSelection() = default;
  // Makes the printer of that name current, or the list's first supported
  // printer when there is no such one; false when neither works.
  virtual bool SelectPrinter(const char* name) = 0;
  // The current printer's display name; false while it is empty.
  virtual bool GetCurrentPrinterName(std::string& out) const = 0;
  virtual uint32_t GetCurrentModelId() const = 0;
};

// Selects `name` in the list, asks the transfer library about the printer
// the list then holds as current (the answer is not used), and opens it.
// On success the client's CurrentTransferPrinter is that printer's display
// name and CurrentModelId the low 16 bits of its model identifier. False
// when nothing could be selected, the current name is empty or the open
// failed; CurrentModelId then keeps its earlier value.
bool IdentifyPrinter(PrinterSelection& printers, TransferClient& client, const std::string& name);

}  // namespace vexlow

#endif  // TOOL_TRANSFER_IDENTIFY_PRINTER_H
