// The port I/O library's operations, answered by a virtual printer: the name
// check of open, the link faults (a broken link, a slow link, a refused begin
// transfer) and a trace line for every call with its arguments and result. What
// the bytes mean is the printer model's business.
#ifndef VIRTUAL_PRINTER_CORE_VIRTUAL_PORT_H
#define VIRTUAL_PRINTER_CORE_VIRTUAL_PORT_H

#include <cstdint>

#include "link_clock.h"
#include "portio/port_io.h"
#include "printer_config.h"
#include "printer_model.h"
#include "trace.h"

namespace vp {

class VirtualPort final : public portio::PortIo {
 public:
  VirtualPort(const PrinterConfig& config, PrinterModel& model, Trace& trace, LinkClock& clock);

  bool Open(const char* printerName, void* openBlock) override;
  bool Write(const void* buffer, uint32_t count, uint32_t* written, uint32_t timeoutMs) override;
  bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) override;
  void Purge() override;
  bool BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) override;
  void EndTransfer() override;

  // SKWriteFile and SKReadFile: by printer name, without an open port.
  bool WriteByName(const char* printerName, uint32_t reserved, const void* buffer, uint32_t count,
                   uint32_t* written, uint32_t timeoutMs);
  bool ReadByName(const char* printerName, uint32_t reserved, void* buffer, uint32_t count,
                  uint32_t* read, uint32_t timeoutMs);

  bool LinkIsBroken() const { return broken_; }

 private:
  // Lets count bytes cross the link; once the break_link_after budget is spent
  // the link breaks and *crossed says how many made it.
  bool Cross(uint32_t count, uint32_t* crossed);
  void SlowLink(uint32_t bytes);
  bool Usable(const char* call);
  void TraceName(const char* call, const char* printerName);

  const PrinterConfig& config_;
  PrinterModel& model_;
  Trace& trace_;
  LinkClock& clock_;
  bool open_ = false;
  bool broken_ = false;
  uint64_t bytesCrossed_ = 0;
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_VIRTUAL_PORT_H
