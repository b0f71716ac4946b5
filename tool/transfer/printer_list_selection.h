// The process's printer list as the PrinterSelection that identification
// uses. Apart from identify_printer.h so that only a program that links the
// printer model includes it.
#ifndef TOOL_TRANSFER_PRINTER_LIST_SELECTION_H
#define TOOL_TRANSFER_PRINTER_LIST_SELECTION_H

#include <cstdint>
#include <string>

#include "tool/printers/printer_list.h"
#include "tool/transfer/identify_printer.h"

namespace vexlow {

class PrinterListSelection : public PrinterSelection {
 public:
  explicit PrinterListSelection(PrinterList& list) : list_(list) {}
  bool SelectPrinter(const char* name) override { return list_.SelectPrinter(name); }
  bool GetCurrentPrinterName(std::string& out) const override {
    return list_.GetCurrentPrinterName(out);
  }
  uint32_t GetCurrentModelId() const override { return list_.GetCurrentModelId(); }

 private:
  PrinterList& list_;
};

}  // namespace vexlow

#endif  // TOOL_TRANSFER_PRINTER_LIST_SELECTION_H
