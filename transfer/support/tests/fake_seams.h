// In-memory spooler and registry for the supported-printer check's tests. The
// check only lists printers and reads values, so the fakes answer nothing else.
#ifndef TRANSFER_SUPPORT_TESTS_FAKE_SEAMS_H
#define TRANSFER_SUPPORT_TESTS_FAKE_SEAMS_H

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/machine_registry.h"
#include "platform/printer_spooler.h"

namespace ostrand::testing {

struct FakePrinter {
  const char* printerName;
  const char* driverName;
};

class FakeSpooler : public platform::PrinterSpooler {
 public:
  std::vector<FakePrinter> printers;
  bool fails = false;
  std::vector<uint32_t> enumerationFlags;

  bool ForEachPrinter(uint32_t flags, platform::PrinterVisitor& visitor) override {
    enumerationFlags.push_back(flags);
    if (fails || printers.empty()) {
      return false;
    }
    for (const FakePrinter& printer : printers) {
      platform::PrinterRecord record;
      record.printerName = printer.printerName;
      record.driverName = printer.driverName;
      visitor.Visit(record);
    }
    return true;
  }
  bool SamePrinterName(const char* a, const char* b) override { return std::strcmp(a, b) == 0; }
  Printer OpenPrinter(const char*) override { return nullptr; }
  void ClosePrinter(Printer) override {}
  bool GetPrinter(Printer, platform::PrinterVisitor&) override { return false; }
  int32_t DocumentProperties(Printer, const char*, void*, const void*, uint32_t) override {
    return -1;
  }
  int32_t DeviceCapabilities(const char*, const char*, uint16_t, void*, const void*) override {
    return -1;
  }
};

// Keys by full path, each with its values; behaves as the seam's contract
// says (a value longer than the capacity fails) and counts keys left open.
class FakeRegistry : public platform::MachineRegistry {
 public:
  using Values = std::map<std::string, std::vector<unsigned char>>;
  std::map<std::string, Values> keys;
  std::vector<std::string> keysOpened;
  int openKeys = 0;

  Key OpenKey(const char* path) override {
    keysOpened.emplace_back(path);
    auto found = keys.find(path);
    if (found == keys.end()) {
      return nullptr;
    }
    ++openKeys;
    return &found->second;
  }
  void CloseKey(Key) override { --openKeys; }
  bool EnumerateSubkey(Key, uint32_t, char*, uint32_t) override { return false; }
  bool QueryValue(Key key, const char* valueName, void* buffer, uint32_t capacity,
                  uint32_t* size) override {
    const Values& values = *static_cast<Values*>(key);
    auto found = values.find(valueName);
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
