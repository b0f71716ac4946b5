#include "tool/transfer/identify_printer.h"

namespace vexlow {

bool IdentifyPrinter(PrinterSelection& printers, TransferClient& client, const std::string& name) {
  if (!printers.SelectPrinter(name.c_str())) {
    return false;
  }
  // The list may have fallen back to its first supported printer: from here
  // on its current name is the one opened and recorded.
  std::string current;
  if (!printers.GetCurrentPrinterName(current) || current.empty()) {
    return false;
  }
  client.CheckPrinterSupport(current);
  const auto modelId = static_cast<uint16_t>(printers.GetCurrentModelId());
  if (!client.OpenTransferPrinter(current)) {
    return false;
  }
  client.SetCurrentTransferPrinter(current);
  client.SetCurrentModelId(modelId);
  return true;
}

}  // namespace vexlow
