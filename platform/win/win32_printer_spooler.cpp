#include "platform/win/win32_printer_spooler.h"

#include <windows.h>
#include <winspool.h>

// <winspool.h> maps these names to their A or W functions; here they name the
// seam's methods, and the A functions are called by their own names.
#undef OpenPrinter
#undef GetPrinter
#undef DocumentProperties
#undef DeviceCapabilities

namespace platform {

static_assert(kPrinterEnumLocal == PRINTER_ENUM_LOCAL && kPrinterEnumName == PRINTER_ENUM_NAME &&
              kPrinterAttributeHidden == PRINTER_ATTRIBUTE_HIDDEN);
static_assert(kDmOutBuffer == DM_OUT_BUFFER && kDmInBuffer == DM_IN_BUFFER &&
              kIdCancel == IDCANCEL);

namespace {

PrinterRecord RecordOf(const PRINTER_INFO_2A& info) {
  PrinterRecord record;
  record.serverName = info.pServerName;
  record.printerName = info.pPrinterName;
  record.driverName = info.pDriverName;
  record.portName = info.pPortName;
  record.attributes = info.Attributes;
  return record;
}

// The spooler's functions take names as writable strings but never change them.
char* Writable(const char* text) {
  return const_cast<char*>(text);
}

}  // namespace

bool Win32PrinterSpooler::ForEachPrinter(uint32_t flags, PrinterVisitor& visitor) {
  // The first call only learns the size of the list.
  DWORD needed = 0;
  DWORD returned = 0;
  EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &returned);
  if (needed == 0) {
    return false;
  }
  auto* list = static_cast<BYTE*>(LocalAlloc(LMEM_ZEROINIT, needed));
  if (list == nullptr) {
    return false;
  }
  returned = 0;
  // A printer added since the first call makes this one fail: no list then.
  if (!EnumPrintersA(flags, nullptr, 2, list, needed, &needed, &returned) || returned == 0) {
    LocalFree(list);
    return false;
  }
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(list);
  for (DWORD i = 0; i < returned; ++i) {
    visitor.Visit(RecordOf(printers[i]));
  }
  LocalFree(list);
  return true;
}

bool Win32PrinterSpooler::SamePrinterName(const char* a, const char* b) {
  return lstrcmpA(a, b) == 0;
}

PrinterSpooler::Printer Win32PrinterSpooler::OpenPrinter(const char* printerName) {
  if (printerName == nullptr) {
    return nullptr;
  }
  HANDLE printer = nullptr;
  if (!OpenPrinterA(Writable(printerName), &printer, nullptr)) {
    return nullptr;
  }
  return printer;
}

void Win32PrinterSpooler::ClosePrinter(Printer printer) {
  if (printer != nullptr) {
    ::ClosePrinter(printer);
  }
}

bool Win32PrinterSpooler::GetPrinter(Printer printer, PrinterVisitor& visitor) {
  if (printer == nullptr) {
    return false;
  }
  DWORD needed = 0;
  GetPrinterA(printer, 2, nullptr, 0, &needed);
  if (needed == 0) {
    return false;
  }
  auto* buffer = static_cast<BYTE*>(LocalAlloc(LMEM_ZEROINIT, needed));
  if (buffer == nullptr) {
    return false;
  }
  const bool read = GetPrinterA(printer, 2, buffer, needed, &needed) != 0;
  if (read) {
    visitor.Visit(RecordOf(*reinterpret_cast<const PRINTER_INFO_2A*>(buffer)));
  }
  LocalFree(buffer);
  return read;
}

int32_t Win32PrinterSpooler::DocumentProperties(Printer printer, const char* printerName,
                                                void* output, const void* input, uint32_t mode) {
  return DocumentPropertiesA(nullptr, printer, Writable(printerName),
                             static_cast<DEVMODEA*>(output),
                             static_cast<DEVMODEA*>(const_cast<void*>(input)), mode);
}

int32_t Win32PrinterSpooler::DeviceCapabilities(const char* device, const char* port,
                                                uint16_t capability, void* output,
                                                const void* devMode) {
  return DeviceCapabilitiesA(device, port, capability, static_cast<char*>(output),
                             static_cast<const DEVMODEA*>(devMode));
}

}  // namespace platform
