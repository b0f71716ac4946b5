// In-memory spooler and registry for the supported-printer check's tests.
#ifndef TRANSFER_SUPPORT_TESTS_FAKE_SEAMS_H
#define TRANSFER_SUPPORT_TESTS_FAKE_SEAMS_H

#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "transfer/support/machine_registry.h"
#include "transfer/support/printer_spooler.h"

namespace ostrand::testing {

struct FakePrinter {
  const char* printerName;
  const char* driverName;
};

class FakeSpooler : public PrinterSpooler {
 public:
  std::vector<FakePrinter> printers;
  bool fails = false;
  int enumerations = 0;

  bool ForEachLocalPrinter(PrinterVisitor& visitor) override {
    ++enumerations;
    if (fails || printers.empty()) {
      return false;
    }
    for (const FakePrinter& printer : printers) {
      visitor.Visit(printer.printerName, printer.driverName);
    }
    return true;
  }
  bool SamePrinterName(const char* a, const char* b) override { return std::strcmp(a, b) == 0; }
};

// Behaves as the seam's contract says: a value longer than the capacity fails.
class FakeRegistry : public MachineRegistry {
 public:
  std::map<std::pair<std::string, std::string>, std::vector<unsigned char>> values;
  std::vector<std::string> keysRead;

  void SetNumber(const std::string& key, uint32_t number) {
    std::vector<unsigned char> bytes(sizeof(number));
    std::memcpy(bytes.data(), &number, sizeof(number));
    values[{key, "TransferUI"}] = bytes;
  }

  bool ReadValue(const char* keyPath, const char* valueName, void* buffer, uint32_t capacity,
                 uint32_t* size) override {
    keysRead.emplace_back(keyPath);
    auto found = values.find({keyPath, valueName});
    if (found == values.end() || found->second.size() > capacity) {
      return false;
    }
    if (!found->second.empty()) {
      std::memcpy(buffer, found->second.data(), found->second.size());
    }
    *size = static_cast<uint32_t>(found->second.size());
    return true;
  }
};

}  // namespace ostrand::testing

#endif  // TRANSFER_SUPPORT_TESTS_FAKE_SEAMS_H
