// The spooler seam over EnumPrintersA (local printers, level 2) and lstrcmpA.
#ifndef TRANSFER_WIN_WIN_PRINTER_SPOOLER_H
#define TRANSFER_WIN_WIN_PRINTER_SPOOLER_H

#include "transfer/support/printer_spooler.h"

namespace ostrand {

class WinPrinterSpooler : public PrinterSpooler {
 public:
  bool ForEachLocalPrinter(PrinterVisitor& visitor) override;
  bool SamePrinterName(const char* a, const char* b) override;
};

}  // namespace ostrand

#endif  // TRANSFER_WIN_WIN_PRINTER_SPOOLER_H
