// The spooler seam of the supported-printer check: the local printers with the
// driver each one uses. The Windows adapter is EnumPrintersA at level 2.
#ifndef TRANSFER_SUPPORT_PRINTER_SPOOLER_H
#define TRANSFER_SUPPORT_PRINTER_SPOOLER_H

namespace ostrand {

// Receives the records of the local printer list, one call per record. Either
// name may be null when the spooler leaves it out; both live only for the call.
class PrinterVisitor {
 public:
  virtual ~PrinterVisitor() = default;
  virtual void Visit(const char* printerName, const char* driverName) = 0;
};

class PrinterSpooler {
 public:
  virtual ~PrinterSpooler() = default;
  // Visits every local printer in the spooler's order. False when the list
  // cannot be had or holds no printer; nothing is visited then.
  virtual bool ForEachLocalPrinter(PrinterVisitor& visitor) = 0;
  // Whether two printer names are the same name to the system. On Windows this
  // is lstrcmpA answering 0: case-sensitive, under the user's locale.
  virtual bool SamePrinterName(const char* a, const char* b) = 0;
};

}  // namespace ostrand

#endif  // TRANSFER_SUPPORT_PRINTER_SPOOLER_H
