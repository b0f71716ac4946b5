#include "tool/printers/classification.h"

#include <cstring>
#include <string>

#include "tool/printers/name_buffer.h"
#include "tool/printers/special_tape.h"

namespace vexlow {
namespace {

using platform::PrinterRecord;
using platform::PrinterSpooler;

// Name beginnings of other manufacturers' printers; only the first three
// characters of each take part.
constexpr const char* kExclusionPrefixes[] = {"EPS",       "Mic",  "Can", "DECP",
                                              "HP Sports", "IBML", "NECS"};
constexpr std::size_t kPrefixLength = 3;

class DriverOfPrinter : public platform::PrinterVisitor {
 public:
  void Visit(const PrinterRecord& record) override {
    found = record.driverName != nullptr;
    driverName = found ? record.driverName : "";
  }
  bool found = false;
  std::string driverName;
};

class SupportedPrinters : public platform::PrinterVisitor {
 public:
  SupportedPrinters(PrinterEnvironment& environment, PrinterCandidate* records,
                    std::size_t capacity)
      : environment_(environment),
        records_(records),
        capacity_(records == nullptr ? 0 : capacity),
        suffix_(GetSpecialTapeSuffix(environment)) {}

  void Visit(const PrinterRecord& record) override {
    char path[kNameBufferSize] = {};
    if ((record.attributes & platform::kPrinterAttributeHidden) != 0 ||
        record.printerName == nullptr) {
      return;
    }
    const DriverClass found = ClassifyPrinter(environment_, record.printerName, path, sizeof(path));
    if (found == kDriverNotSupported || record.driverName == nullptr ||
        std::strcmp(record.driverName, kSupportedDriverName) != 0) {
      return;
    }
    const char* port = record.portName == nullptr ? "" : record.portName;
    Store({record.printerName, port, path});
    if (found == kDriverSpecialTape) {
      std::string name = record.printerName;
      AppendSpecialTapeSuffix(name, suffix_);
      Store({name, port, path});
    }
  }

  std::size_t Count() const { return count_; }

 private:
  // Counts every candidate; stores only as many as the array holds.
  void Store(PrinterCandidate candidate) {
    if (count_ < capacity_) {
      records_[count_] = std::move(candidate);
    }
    ++count_;
  }

  PrinterEnvironment& environment_;
  PrinterCandidate* records_;
  std::size_t capacity_;
  std::string suffix_;
  std::size_t count_ = 0;
};

}  // namespace

bool IsExcludedName(const char* name) {
  if (name == nullptr) {
    return false;
  }
  for (const char* prefix : kExclusionPrefixes) {
    if (std::strncmp(name, prefix, kPrefixLength) == 0) {
      return true;
    }
  }
  return false;
}

DriverClass ClassifyPrinter(PrinterEnvironment& environment, const char* printerName, char* path,
                            std::size_t size) {
  if (printerName == nullptr || IsExcludedName(printerName)) {
    return kDriverNotSupported;
  }
  PrinterSpooler& spooler = environment.spooler;
  const PrinterSpooler::Printer printer = spooler.OpenPrinter(printerName);
  if (printer == nullptr) {
    return kDriverNotSupported;
  }
  DriverOfPrinter record;
  const bool read = spooler.GetPrinter(printer, record) && record.found;
  const DriverClass found =
      read ? LookUpDriver(environment, record.driverName.c_str(), path, size) : kDriverNotSupported;
  spooler.ClosePrinter(printer);
  return found;
}

std::size_t EnumerateSupportedPrinters(PrinterEnvironment& environment, PrinterCandidate* records,
                                       std::size_t capacity) {
  SupportedPrinters visitor(environment, records, capacity);
  if (!environment.spooler.ForEachPrinter(platform::kPrinterEnumLocal | platform::kPrinterEnumName,
                                          visitor)) {
    return 0;
  }
  return visitor.Count();
}

PlatformClass CheckPlatform(SystemVersion& version) {
  uint32_t major = 0;
  uint32_t minor = 0;
  uint32_t platformId = 0;
  if (!version.Query(&major, &minor, &platformId)) {
    return kPlatformOther;
  }
  if (major == 3) {
    return minor == 51 ? kPlatformNt351 : kPlatformOther;
  }
  if (major < 3) {
    return kPlatformOther;
  }
  switch (platformId) {
    case 1:
      return kPlatformWindows9x;
    case 2:
      return kPlatformWindowsNt;
    default:
      return kPlatformOther;
  }
}

}  // namespace vexlow
