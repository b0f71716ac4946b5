// The port I/O seam over hobrel.dll's ordinals 3 to 8, imported by ordinal.
#ifndef TRANSFER_WIN_HOBREL_PORT_IO_H
#define TRANSFER_WIN_HOBREL_PORT_IO_H

#include "portio/port_io.h"

namespace ostrand {

class HobrelPortIo : public portio::PortIo {
 public:
  bool Open(const char* printerName, void* openBlock) override;
  bool Write(const void* buffer, uint32_t count, uint32_t* written, uint32_t timeoutMs) override;
  bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) override;
  void Purge() override;
  bool BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) override;
  void EndTransfer() override;
};

}  // namespace ostrand

#endif  // TRANSFER_WIN_HOBREL_PORT_IO_H
