// A spooler of made-up printers, as EnumPrinters, OpenPrinter, GetPrinter,
// DocumentProperties and DeviceCapabilities answer; it counts the printers
// left open.
#ifndef PLATFORM_TESTING_FAKE_SPOOLER_H
#define PLATFORM_TESTING_FAKE_SPOOLER_H

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/printer_spooler.h"

namespace platform::testing {

// A capability's count without an output; with one, the bytes it writes and
// the count it then answers (the count again unless set).
struct CapabilityAnswer {
  int32_t count = -1;
  std::vector<uint8_t> output;
  std::optional<int32_t> written;

  int32_t Answer(void* out) const {
    if (out != nullptr && !output.empty()) {
      std::memcpy(out, output.data(), output.size());
    }
    return out == nullptr ? count : written.value_or(count);
  }
};
// Answers by capability index; an index without one answers -1.
using Answers = std::map<uint16_t, CapabilityAnswer>;
inline int32_t AnswerOf(const Answers& answers, uint16_t index, void* output) {
  const auto found = answers.find(index);
  return found == answers.end() ? -1 : found->second.Answer(output);
}

struct FakePrinter {
  std::string name, driver, port = "USB001";
  uint32_t attributes = 0;
  bool opens = true;
  bool describes = true;         // false: GetPrinter fails
  std::vector<uint8_t> devMode;  // empty: DocumentProperties fails
  Answers capabilities;
};

struct FakeSpooler : PrinterSpooler {
  std::deque<FakePrinter> printers;
  std::vector<uint32_t> listFlags;
  std::vector<std::string> opened;         // every OpenPrinter, by name
  int merges = 0;                          // DocumentProperties given settings to take
  std::function<void(int)> beforeListing;  // given the listing's number, from 0
  int openPrinters = 0;

  FakePrinter* Named(const std::string& name) {
    const auto found = std::find_if(printers.begin(), printers.end(),
                                    [&](const FakePrinter& p) { return p.name == name; });
    return found == printers.end() ? nullptr : &*found;
  }
  bool ForEachPrinter(uint32_t flags, PrinterVisitor& visitor) override {
    if (beforeListing) {
      beforeListing(static_cast<int>(listFlags.size()));
    }
    listFlags.push_back(flags);
    for (const FakePrinter& p : printers) {
      visitor.Visit({nullptr, p.name.c_str(), p.driver.c_str(), p.port.c_str(), p.attributes});
    }
    return !printers.empty();  // as EnumPrinters fails on none
  }
  bool SamePrinterName(const char* a, const char* b) override { return std::strcmp(a, b) == 0; }
  Printer OpenPrinter(const char* printerName) override {
    opened.push_back(printerName);
    FakePrinter* printer = Named(printerName);
    const bool opens = printer != nullptr && printer->opens;
    openPrinters += opens;
    return opens ? printer : nullptr;
  }
  void ClosePrinter(Printer) override { --openPrinters; }
  bool GetPrinter(Printer printer, PrinterVisitor& visitor) override {
    const auto* p = static_cast<const FakePrinter*>(printer);
    if (p->describes) {
      visitor.Visit({"\\\\server", p->name.c_str(), p->driver.c_str(), p->port.c_str(), 0});
    }
    return p->describes;
  }
  // A driver that takes the settings it is given as they are.
  int32_t DocumentProperties(Printer printer, const char*, void* output, const void* input,
                             uint32_t mode) override {
    std::vector<uint8_t>& devMode = static_cast<FakePrinter*>(printer)->devMode;
    if (devMode.empty() || mode == 0) {
      return devMode.empty() ? -1 : static_cast<int32_t>(devMode.size());
    }
    if ((mode & kDmInBuffer) != 0) {
      ++merges;
      std::memcpy(devMode.data(), input, devMode.size());
    }
    std::memcpy(output, devMode.data(), devMode.size());
    return 1;
  }
  // The same answers for any device mode given, or none (the printer's defaults).
  int32_t DeviceCapabilities(const char* device, const char*, uint16_t capability, void* output,
                             const void*) override {
    const FakePrinter* printer = Named(device);
    return printer == nullptr ? -1 : AnswerOf(printer->capabilities, capability, output);
  }
};

}  // namespace platform::testing

#endif  // PLATFORM_TESTING_FAKE_SPOOLER_H
