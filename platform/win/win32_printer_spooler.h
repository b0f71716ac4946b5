// The spooler seam over the Windows spooler: EnumPrintersA and GetPrinterA at
// level 2, OpenPrinterA, ClosePrinter, DocumentPropertiesA,
// DeviceCapabilitiesA and lstrcmpA.
#ifndef PLATFORM_WIN_WIN32_PRINTER_SPOOLER_H
#define PLATFORM_WIN_WIN32_PRINTER_SPOOLER_H

#include "platform/printer_spooler.h"

namespace platform {

class Win32PrinterSpooler : public PrinterSpooler {
 public:
  bool ForEachPrinter(uint32_t flags, PrinterVisitor& visitor) override;
  bool SamePrinterName(const char* a, const char* b) override;
  Printer OpenPrinter(const char* printerName) override;
  void ClosePrinter(Printer printer) override;
  bool GetPrinter(Printer printer, PrinterVisitor& visitor) override;
  int32_t DocumentProperties(Printer printer, const char* printerName, void* output,
                             const void* input, uint32_t mode) override;
  int32_t DeviceCapabilities(const char* device, const char* port, uint16_t capability,
                             void* output, const void* devMode) override;
};

}  // namespace platform

#endif  // PLATFORM_WIN_WIN32_PRINTER_SPOOLER_H
