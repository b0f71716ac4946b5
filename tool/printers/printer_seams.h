// The platform services the printer model needs beyond the shared spooler,
// registry, loader and message seams, and the one bundle of all of them that
// the printer list and every printer object are given.
#ifndef TOOL_PRINTERS_PRINTER_SEAMS_H
#define TOOL_PRINTERS_PRINTER_SEAMS_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/library_loader.h"
#include "platform/machine_registry.h"
#include "platform/message_boxes.h"
#include "platform/printer_spooler.h"

namespace vexlow {

// GDI information contexts: CreateICA, Escape and DeleteDC.
class InformationContexts {
 public:
  using Context = void*;

  virtual ~InformationContexts() = default;
  // CreateICA(driver, device, port, devMode); null on failure.
  virtual Context Create(const char* driver, const char* device, const char* port,
                         const void* devMode) = 0;
  // Escape(QUERYESCSUPPORT) for the escape: true when the driver supports it.
  virtual bool SupportsEscape(Context context, int32_t escape) = 0;
  // Escape(escape) with no input and a POINT as output (GETPHYSPAGESIZE,
  // GETPRINTINGOFFSET); the Escape's answer, *x and *y set only when above 0.
  virtual int32_t QueryPoint(Context context, int32_t escape, int32_t* x, int32_t* y) = 0;
  virtual void Delete(Context context) = 0;
};

// Movable global memory kept locked while in use: GlobalAlloc(GMEM_MOVEABLE |
// GMEM_ZEROINIT) with GlobalLock, and GlobalHandle, GlobalUnlock, GlobalFree.
class GlobalMemory {
 public:
  virtual ~GlobalMemory() = default;
  // A zero-filled block of size bytes, locked; null when it cannot be had.
  virtual void* AllocateLocked(std::size_t size) = 0;
  // Unlocks and frees a block that AllocateLocked gave; null is ignored.
  virtual void FreeLocked(void* block) = 0;
};

// GetVersionExA with an OSVERSIONINFOA.
class SystemVersion {
 public:
  virtual ~SystemVersion() = default;
  // False when the version is not available.
  virtual bool Query(uint32_t* major, uint32_t* minor, uint32_t* platformId) = 0;
};

// The application's wait cursor; Begin and End calls nest.
class WaitCursor {
 public:
  virtual ~WaitCursor() = default;
  virtual void Begin() = 0;
  virtual void End() = 0;
};

// Shows the wait cursor for as long as it lives.
class WaitCursorScope {
 public:
  explicit WaitCursorScope(WaitCursor& cursor) : cursor_(cursor) { cursor_.Begin(); }
  ~WaitCursorScope() { cursor_.End(); }
  WaitCursorScope(const WaitCursorScope&) = delete;
  WaitCursorScope& operator=(const WaitCursorScope&) = delete;

 private:
  WaitCursor& cursor_;
};

// The transfer library's verdict on a printer (the transfer client's
// CheckPrinterSupport); nonzero means supported.
class PrinterSupportCheck {
 public:
  virtual ~PrinterSupportCheck() = default;
  virtual uint32_t CheckPrinterSupport(const std::string& printerName) = 0;
};

// Everything the printer model reaches outside itself.
struct PrinterEnvironment {
  platform::PrinterSpooler& spooler;
  platform::MachineRegistry& registry;
  platform::LibraryLoader& loader;
  InformationContexts& contexts;
  GlobalMemory& memory;
  SystemVersion& version;
  WaitCursor& waitCursor;
  platform::MessageBoxes& messages;
  PrinterSupportCheck& support;
  // The company under which printer drivers register (string 1010).
  std::string companyKey;
  // The text that marks a printer's special-tape listing, "(Special Tape)"
  // unless the resources hold string 10000.
  std::string specialTapeSuffix;
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_PRINTER_SEAMS_H
