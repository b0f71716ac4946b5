// The printer's file-transfer command protocol over a port I/O seam: the state
// and command functions behind Ostrand's TR... exports. Portable; no Windows.
#ifndef TRANSFER_PROTOCOL_TRANSFER_LIBRARY_H
#define TRANSFER_PROTOCOL_TRANSFER_LIBRARY_H

#include <cstdint>

#include "ostrand.h"
#include "platform/tick_clock.h"
#include "portio/port_io.h"

namespace ostrand {

class TransferLibrary {
 public:
  TransferLibrary(portio::PortIo& port, platform::TickClock& clock) : port_(port), clock_(clock) {}

  int32_t InitPrinter(const char* printerName, void* openBlock);
  int32_t CmdInit(uint32_t timeoutMs);
  int32_t GetStatus(void* status, uint32_t timeoutMs);
  int32_t GetFileList(void* list, uint32_t* count, uint32_t timeoutMs);
  int32_t SendFile(const void* header, const void* data, const uint32_t* size, void* status,
                   uint32_t timeoutMs, TRProgressCallback progress);
  int32_t ReceiveFile(const void* header, void* data, const uint32_t* size, void* status,
                      uint32_t timeoutMs, TRProgressCallback progress);
  int32_t DeleteFile(const void* entry, uint32_t timeoutMs);

 private:
  static constexpr uint32_t kNameCapacity = 260;

  // Keeps at most kNameCapacity - 1 characters of the name; null counts as "".
  void StoreName(const char* printerName);
  // The first call of GetFileList: the count of the entries that follow it.
  int32_t RequestFileCount(uint32_t* count, uint32_t timeoutMs);

  portio::PortIo& port_;
  platform::TickClock& clock_;
  char printerName_[kNameCapacity] = {};
  bool open_ = false;
};

}  // namespace ostrand

#endif  // TRANSFER_PROTOCOL_TRANSFER_LIBRARY_H
