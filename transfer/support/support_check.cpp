#include "transfer/support/support_check.h"

#include <cstddef>
#include <cstring>

namespace ostrand {
namespace {

// Names of printers, drivers and registry keys travel in buffers of this size.
constexpr std::size_t kNameBufferSize = 260;
using NameBuffer = char[kNameBufferSize];

// The printer maker's own company branch.
constexpr char kMakerCompany[] = "Quorbel Industries, Ltd.";

// Takes the driver of every local printer record of the name: the walk does not
// stop at a match, so the last record of the name decides, usable or not.
class DriverOfPrinter : public platform::PrinterVisitor {
 public:
  DriverOfPrinter(platform::PrinterSpooler& spooler, const char* printerName,
                  NameBuffer& driverName)
      : spooler_(spooler), printerName_(printerName), driverName_(driverName) {}

  void Visit(const platform::PrinterRecord& record) override {
    if (record.printerName == nullptr ||
        !spooler_.SamePrinterName(record.printerName, printerName_)) {
      return;
    }
    const char* driverName = record.driverName;
    // A driver name that does not fit the buffer is not taken, never cut.
    usable_ = driverName != nullptr && std::strlen(driverName) < kNameBufferSize;
    if (usable_) {
      std::strcpy(driverName_, driverName);
    }
  }

  bool FoundUsableDriver() const { return usable_; }

 private:
  platform::PrinterSpooler& spooler_;
  const char* printerName_;
  NameBuffer& driverName_;
  bool usable_ = false;
};

// Appends text at *length when it fits with the terminating zero.
bool Append(NameBuffer& keyPath, std::size_t* length, const char* text) {
  const std::size_t textLength = std::strlen(text);
  if (textLength >= kNameBufferSize - *length) {
    return false;
  }
  std::memcpy(keyPath + *length, text, textLength + 1);
  *length += textLength;
  return true;
}

// "SOFTWARE\<company>\Skorvin\Driver\3.0\<driver name>", the company verbatim
// (it is no format). False when the path would pass 259 characters.
bool BuildDriverKeyPath(const char* company, const char* driverName, NameBuffer& keyPath) {
  std::size_t length = 0;
  return Append(keyPath, &length, "SOFTWARE\\") && Append(keyPath, &length, company) &&
         Append(keyPath, &length, "\\Skorvin\\Driver\\3.0\\") &&
         Append(keyPath, &length, driverName);
}

// A registry value that must be a 4-byte number; its registry type plays no part.
bool ReadRegistryNumber(platform::MachineRegistry& registry, const char* keyPath,
                        const char* valueName, uint32_t* number) {
  unsigned char bytes[sizeof(uint32_t)] = {};
  uint32_t size = 0;
  if (!platform::ReadMachineValue(registry, keyPath, valueName, bytes, sizeof(bytes), &size) ||
      size != sizeof(bytes)) {
    return false;
  }
  // The registry keeps numbers in the machine's own byte order.
  std::memcpy(number, bytes, sizeof(bytes));
  return true;
}

}  // namespace

uint32_t SupportCheck::CheckSupportPrinter(const char* printerName) {
  return CheckSupportPrinter2(printerName, kMakerCompany);
}

uint32_t SupportCheck::CheckSupportPrinter2(const char* printerName, const char* companyName) {
  if (printerName == nullptr || companyName == nullptr) {
    return 0;
  }
  NameBuffer driverName = {};
  DriverOfPrinter lookup(spooler_, printerName, driverName);
  if (!spooler_.ForEachPrinter(platform::kPrinterEnumLocal, lookup) ||
      !lookup.FoundUsableDriver()) {
    return 0;
  }
  NameBuffer keyPath = {};
  uint32_t transferUi = 0;
  if (!BuildDriverKeyPath(companyName, driverName, keyPath) ||
      !ReadRegistryNumber(registry_, keyPath, "TransferUI", &transferUi)) {
    return 0;
  }
  return transferUi;
}

}  // namespace ostrand
