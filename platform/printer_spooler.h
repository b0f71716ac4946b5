// The spooler seam: the printer list, one printer's record, its device mode and
// its device capabilities. The Windows adapter is EnumPrintersA and GetPrinterA
// at level 2, OpenPrinterA, ClosePrinter, DocumentPropertiesA and
// DeviceCapabilitiesA; every name is an 8-bit string of the ANSI code page.
#ifndef PLATFORM_PRINTER_SPOOLER_H
#define PLATFORM_PRINTER_SPOOLER_H

#include <cstdint>

namespace platform {

// EnumPrintersA flags and the one printer attribute the product tests.
inline constexpr uint32_t kPrinterEnumLocal = 0x02;
inline constexpr uint32_t kPrinterEnumName = 0x08;
inline constexpr uint32_t kPrinterAttributeHidden = 0x20;

// DocumentPropertiesA modes and its cancel answer.
inline constexpr uint32_t kDmOutBuffer = 2;
inline constexpr uint32_t kDmInBuffer = 8;
inline constexpr int32_t kIdCancel = 2;

// One PRINTER_INFO_2A record as the spooler gives it. Any name may be null when
// the spooler leaves it out; the strings live only for the visit.
struct PrinterRecord {
  const char* serverName = nullptr;
  const char* printerName = nullptr;
  const char* driverName = nullptr;
  const char* portName = nullptr;
  uint32_t attributes = 0;
};

class PrinterVisitor {
 public:
  virtual ~PrinterVisitor() = default;
  virtual void Visit(const PrinterRecord& record) = 0;
};

class PrinterSpooler {
 public:
  using Printer = void*;

  virtual ~PrinterSpooler() = default;

  // Visits, in the spooler's order, every printer that EnumPrintersA with these
  // flags lists at level 2 (no server name). False when the list cannot be had
  // (the size query, the buffer or the second call fails) or holds no printer;
  // nothing is visited then.
  virtual bool ForEachPrinter(uint32_t flags, PrinterVisitor& visitor) = 0;
  // Whether two printer names are the same name to the system. On Windows this
  // is lstrcmpA answering 0: case-sensitive, under the user's locale.
  virtual bool SamePrinterName(const char* a, const char* b) = 0;

  // OpenPrinterA with no defaults; null when the printer cannot be opened.
  virtual Printer OpenPrinter(const char* printerName) = 0;
  virtual void ClosePrinter(Printer printer) = 0;
  // GetPrinterA level 2 of an open printer, size first, then the record, which
  // is visited once. False when either call or the buffer fails.
  virtual bool GetPrinter(Printer printer, PrinterVisitor& visitor) = 0;
  // DocumentPropertiesA(no window, printer, printerName, output, input, mode),
  // answered as is: the device mode's full size when mode is 0, else IDOK (1),
  // IDCANCEL (2) or a negative failure.
  virtual int32_t DocumentProperties(Printer printer, const char* printerName, void* output,
                                     const void* input, uint32_t mode) = 0;
  // DeviceCapabilitiesA(device, port, capability, output, devMode), answered as
  // is (-1 for no answer). With an output, the caller has sized it for the count
  // the same call gave without one.
  virtual int32_t DeviceCapabilities(const char* device, const char* port, uint16_t capability,
                                     void* output, const void* devMode) = 0;
};

}  // namespace platform

#endif  // PLATFORM_PRINTER_SPOOLER_H
