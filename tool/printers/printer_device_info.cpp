#include "tool/printers/printer_device_info.h"

#include <algorithm>
#include <cstring>

#include "tool/printers/classification.h"

namespace vexlow {
namespace {

using platform::PrinterSpooler;

// Takes the names of the spooler's record of the printer.
class SpoolerNames : public platform::PrinterVisitor {
 public:
  SpoolerNames(NameBuffer& driver, NameBuffer& port, NameBuffer& server)
      : driver_(driver), port_(port), server_(server) {}

  void Visit(const platform::PrinterRecord& record) override {
    SetName(driver_, record.driverName);
    SetName(port_, record.portName);
    // A record without a server name leaves the one held.
    if (record.serverName != nullptr) {
      SetName(server_, record.serverName);
    }
  }

 private:
  NameBuffer& driver_;
  NameBuffer& port_;
  NameBuffer& server_;
};

}  // namespace

PrinterDeviceInfo::PrinterDeviceInfo(PrinterEnvironment& environment)
    : environment_(environment), platformClass_(CheckPlatform(environment.version)) {}

PrinterDeviceInfo::~PrinterDeviceInfo() {
  FreeDevMode();
}

bool PrinterDeviceInfo::GetDisplayName(char* buffer, std::size_t size) const {
  const std::size_t count = static_cast<uint16_t>(size);
  if (!IsOpened() || buffer == nullptr || count == 0) {
    return false;
  }
  const std::string_view name = DisplayName();
  const std::size_t length = std::min(name.size(), std::min(count, kNameBufferSize) - 1);
  std::memcpy(buffer, name.data(), length);
  buffer[length] = '\0';
  return true;
}

void PrinterDeviceInfo::Release() {
  capabilities_.resolutions.SetSize(0);
  FreeDevMode();
  state_ &= ~kOpened;
}

bool PrinterDeviceInfo::Open() {
  PrinterSpooler& spooler = environment_.spooler;
  const PrinterSpooler::Printer printer = spooler.OpenPrinter(printerName_.data());
  if (printer == nullptr) {
    return false;
  }
  SpoolerNames names(driverName_, portName_, serverName_);
  if (!spooler.GetPrinter(printer, names)) {
    spooler.ClosePrinter(printer);
    return false;
  }
  const int32_t size =
      spooler.DocumentProperties(printer, printerName_.data(), nullptr, nullptr, 0);
  spooler.ClosePrinter(printer);
  FreeDevMode();
  if (size <= 0) {
    return false;
  }
  devMode_ = environment_.memory.AllocateLocked(static_cast<std::size_t>(size));
  if (devMode_ == nullptr) {
    return false;
  }
  deviceModeSize_ = static_cast<std::size_t>(size);
  RefreshDevMode();
  state_ |= kOpened;
  return ReadStandardCapabilities();
}

bool PrinterDeviceInfo::RefreshDevMode() {
  return DocumentProperties(devMode_, nullptr, platform::kDmOutBuffer);
}

bool PrinterDeviceInfo::MergeDevMode(const void* input) {
  return DocumentProperties(devMode_, input, platform::kDmInBuffer | platform::kDmOutBuffer);
}

bool PrinterDeviceInfo::DocumentProperties(void* output, const void* input, uint32_t mode) {
  PrinterSpooler& spooler = environment_.spooler;
  if (output == nullptr) {
    return false;
  }
  const PrinterSpooler::Printer printer = spooler.OpenPrinter(printerName_.data());
  if (printer == nullptr) {
    return false;
  }
  const int32_t answer =
      spooler.DocumentProperties(printer, printerName_.data(), output, input, mode);
  spooler.ClosePrinter(printer);
  return answer > 0 && answer != platform::kIdCancel;
}

int32_t PrinterDeviceInfo::DeviceCaps(uint16_t capability, void* output) const {
  return environment_.spooler.DeviceCapabilities(printerName_.data(), portName_.data(), capability,
                                                 output, devMode_);
}

std::size_t PrinterDeviceInfo::CapabilityCount(uint16_t capability) const {
  const int32_t count = DeviceCaps(capability, nullptr);
  return count <= 0 || static_cast<std::size_t>(count) > kMaxDriverRecords
             ? 0
             : static_cast<std::size_t>(count);
}

std::size_t PrinterDeviceInfo::FillCapability(uint16_t capability, void* output,
                                              std::size_t count) const {
  const int32_t written = DeviceCaps(capability, output);
  return written <= 0 ? 0 : std::min(static_cast<std::size_t>(written), count);
}

void PrinterDeviceInfo::FreeDevMode() {
  environment_.memory.FreeLocked(devMode_);
  devMode_ = nullptr;
  deviceModeSize_ = 0;
}

}  // namespace vexlow
