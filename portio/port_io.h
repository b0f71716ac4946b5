// The port I/O seam of the portable core. Each member mirrors one ordinal of the
// port I/O library (hobrel_api.h); the Windows build forwards them to hobrel.dll,
// tests put a scripted port or the virtual printer behind them.
#ifndef PORTIO_PORT_IO_H
#define PORTIO_PORT_IO_H

#include <cstdint>

namespace portio {

class PortIo {
 public:
  virtual ~PortIo() = default;

  // Ordinal 3. True: the printer is open for the following calls.
  virtual bool Open(const char* printerName, void* openBlock) = 0;
  // Ordinal 4. True when the library answered nonzero; *written says how many went.
  virtual bool Write(const void* buffer, uint32_t count, uint32_t* written, uint32_t timeoutMs) = 0;
  // Ordinal 5. True when the library answered nonzero; *read says how many came.
  virtual bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) = 0;
  // Ordinal 6.
  virtual void Purge() = 0;
  // Ordinal 7. False refuses the transfer.
  virtual bool BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) = 0;
  // Ordinal 8.
  virtual void EndTransfer() = 0;
};

}  // namespace portio

#endif  // PORTIO_PORT_IO_H
