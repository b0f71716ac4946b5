#include "transfer/win/hobrel_port_io.h"

#include "portio/hobrel_api.h"

namespace ostrand {

bool HobrelPortIo::Open(const char* printerName, void* openBlock) {
  return HobrelOpen(printerName, openBlock) != 0;
}

bool HobrelPortIo::Write(const void* buffer, uint32_t count, uint32_t* written,
                         uint32_t timeoutMs) {
  return HobrelWrite(buffer, count, written, timeoutMs) != 0;
}

bool HobrelPortIo::Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  return HobrelRead(buffer, count, read, timeoutMs) != 0;
}

void HobrelPortIo::Purge() {
  HobrelPurge();
}

bool HobrelPortIo::BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) {
  return HobrelBeginTransfer(printerName, reserved, timeoutMs) != 0;
}

void HobrelPortIo::EndTransfer() {
  HobrelEndTransfer();
}

}  // namespace ostrand
