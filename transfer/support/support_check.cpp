#include "transfer/support/support_check.h"

#include <cstring>

#include "transfer/support/driver_key_path.h"
#include "transfer/support/driver_lookup.h"

namespace ostrand {

bool ReadRegistryNumber(MachineRegistry& registry, const char* keyPath, const char* valueName,
                        uint32_t* number) {
  unsigned char bytes[sizeof(uint32_t)] = {};
  uint32_t size = 0;
  if (!registry.ReadValue(keyPath, valueName, bytes, sizeof(bytes), &size) ||
      size != sizeof(bytes)) {
    return false;
  }
  // The registry keeps numbers in the machine's own byte order.
  std::memcpy(number, bytes, sizeof(bytes));
  return true;
}

uint32_t SupportCheck::CheckSupportPrinter(const char* printerName) {
  return CheckSupportPrinter2(printerName, kMakerCompany);
}

uint32_t SupportCheck::CheckSupportPrinter2(const char* printerName, const char* companyName) {
  if (printerName == nullptr || companyName == nullptr) {
    return 0;
  }
  char driverName[kNameBufferSize] = {};
  if (!FindPrinterDriver(spooler_, printerName, driverName)) {
    return 0;
  }
  char keyPath[kNameBufferSize] = {};
  if (!BuildDriverKeyPath(companyName, driverName, keyPath)) {
    return 0;
  }
  uint32_t transferUi = 0;
  if (!ReadRegistryNumber(registry_, keyPath, "TransferUI", &transferUi)) {
    return 0;
  }
  return transferUi;
}

}  // namespace ostrand
