#include "transfer/win/win_printer_spooler.h"

#include <windows.h>
#include <winspool.h>

namespace ostrand {

bool WinPrinterSpooler::ForEachLocalPrinter(PrinterVisitor& visitor) {
  // The first call only learns the size of the list.
  DWORD needed = 0;
  DWORD returned = 0;
  EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
  if (needed == 0) {
    return false;
  }
  auto* list = static_cast<BYTE*>(LocalAlloc(LPTR, needed));
  if (list == nullptr) {
    return false;
  }
  returned = 0;
  if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, list, needed, &needed, &returned) ||
      returned == 0) {
    LocalFree(list);
    return false;
  }
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(list);
  for (DWORD i = 0; i < returned; ++i) {
    visitor.Visit(printers[i].pPrinterName, printers[i].pDriverName);
  }
  LocalFree(list);
  return true;
}

bool WinPrinterSpooler::SamePrinterName(const char* a, const char* b) {
  return lstrcmpA(a, b) == 0;
}

}  // namespace ostrand
