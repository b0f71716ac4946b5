#include "transfer/support/driver_lookup.h"

#include <cstring>

namespace ostrand {
namespace {

class DriverOfPrinter : public PrinterVisitor {
 public:
  DriverOfPrinter(PrinterSpooler& spooler, const char* printerName,
                  char (&driverName)[kNameBufferSize])
      : spooler_(spooler), printerName_(printerName), driverName_(driverName) {}

  void Visit(const char* printerName, const char* driverName) override {
    if (printerName == nullptr || !spooler_.SamePrinterName(printerName, printerName_)) {
      return;
    }
    // A later match replaces an earlier one, usable or not.
    found_ = true;
    usable_ = false;
    driverName_[0] = '\0';
    if (driverName == nullptr) {
      return;
    }
    const std::size_t length = std::strlen(driverName);
    if (length >= kNameBufferSize) {
      return;
    }
    std::memcpy(driverName_, driverName, length + 1);
    usable_ = true;
  }

  bool FoundUsableDriver() const { return found_ && usable_; }

 private:
  PrinterSpooler& spooler_;
  const char* printerName_;
  char (&driverName_)[kNameBufferSize];
  bool found_ = false;
  bool usable_ = false;
};

}  // namespace

bool FindPrinterDriver(PrinterSpooler& spooler, const char* printerName,
                       char (&driverName)[kNameBufferSize]) {
  driverName[0] = '\0';
  if (printerName == nullptr) {
    return false;
  }
  DriverOfPrinter visitor(spooler, printerName, driverName);
  if (!spooler.ForEachLocalPrinter(visitor) || !visitor.FoundUsableDriver()) {
    driverName[0] = '\0';
    return false;
  }
  return true;
}

}  // namespace ostrand
