// One installed printer as the spooler describes it: its names, its device
// mode with the driver-private area, and its standard capabilities.
#ifndef TOOL_PRINTERS_PRINTER_DEVICE_INFO_H
#define TOOL_PRINTERS_PRINTER_DEVICE_INFO_H

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tool/printers/devmode.h"
#include "tool/printers/locked_block.h"
#include "tool/printers/name_buffer.h"
#include "tool/printers/printer_seams.h"
#include "tool/printers/standard_capabilities.h"

namespace vexlow {

class PrinterDeviceInfo {
 public:
  explicit PrinterDeviceInfo(PrinterEnvironment& environment);
  // Frees the device mode if Release has not.
  virtual ~PrinterDeviceInfo();
  PrinterDeviceInfo(const PrinterDeviceInfo&) = delete;
  PrinterDeviceInfo& operator=(const PrinterDeviceInfo&) = delete;

  // Copies the display name into buffer, at most min(size, 260) - 1
  // characters (size taken as a 16-bit count), zero-terminated. False, with
  // nothing copied, when the printer is not opened or size is 0.
  bool GetDisplayName(char* buffer, std::size_t size) const;
  bool IsOpened() const { return (state_ & kOpened) != 0; }

  std::string_view DisplayName() const { return NameOf(displayName_); }
  std::string_view PrinterName() const { return NameOf(printerName_); }
  std::string_view DriverName() const { return NameOf(driverName_); }
  std::string_view PortName() const { return NameOf(portName_); }
  std::string_view ServerName() const { return NameOf(serverName_); }
  const StandardCapabilities& Capabilities() const { return capabilities_; }
  DevModeView DevMode() const { return DevModeView(devMode_, deviceModeSize_); }
  int16_t PlatformClass() const { return platformClass_; }

  // Drops the resolutions and the device mode; the printer is no longer opened.
  void Release();

 protected:
  static constexpr uint32_t kOpened = 0x1;

  // Opens the printer: its spooler record, its device mode, its standard
  // capabilities. False when any of them cannot be had.
  bool Open();
  // Reads the standard capabilities into capabilities_; false when DC_FIELDS
  // gives no answer.
  bool ReadStandardCapabilities();
  // The driver writes the printer's current settings into the device mode.
  bool RefreshDevMode();
  // The driver validates input and writes the result into the device mode.
  bool MergeDevMode(const void* input);
  // DeviceCapabilitiesA for this printer, its port and its device mode.
  int32_t DeviceCaps(uint16_t capability, void* output) const;
  // The count a capability gives without an output; 0 for no answer, a
  // negative count or one above kMaxDriverRecords.
  std::size_t CapabilityCount(uint16_t capability) const;
  // Fills output (room for count elements) with the capability; the
  // elements the spooler says it wrote, never more than count.
  std::size_t FillCapability(uint16_t capability, void* output, std::size_t count) const;

  PrinterEnvironment& environment_;
  uint32_t state_ = 0;
  NameBuffer displayName_{};
  NameBuffer printerName_{};  // the display name without the special-tape suffix
  NameBuffer driverName_{};
  NameBuffer portName_{};
  NameBuffer serverName_{};
  StandardCapabilities capabilities_;
  std::size_t deviceModeSize_ = 0;
  void* devMode_ = nullptr;  // locked global memory
  int16_t platformClass_ = 0;

 private:
  // DocumentPropertiesA into the device mode; true unless it fails or is cancelled.
  bool DocumentProperties(void* output, const void* input, uint32_t mode);
  void FreeDevMode();
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_PRINTER_DEVICE_INFO_H
