// A printer list that selects what the test says and records the name asked for.
#ifndef TOOL_TRANSFER_TESTS_FAKE_PRINTER_SELECTION_H
#define TOOL_TRANSFER_TESTS_FAKE_PRINTER_SELECTION_H

#include <cstdint>
#include <string>

#include "tool/transfer/identify_printer.h"

namespace vexlow::testing {

struct FakePrinterSelection : PrinterSelection {
  bool SelectPrinter(const char* name) override {
    asked = name;
    return selects;
  }
  bool GetCurrentPrinterName(std::string& out) const override {
    out = current;
    return !current.empty();
  }
  uint32_t GetCurrentModelId() const override { return modelId; }

  bool selects = true;
  std::string current;
  uint32_t modelId = 0;
  std::string asked;
};

}  // namespace vexlow::testing

#endif  // TOOL_TRANSFER_TESTS_FAKE_PRINTER_SELECTION_H
