// One virtual printer put together from its configuration: the file store
// (in memory, or in the state folder), the trace, the protocol model and the
// port that answers the port I/O library's calls.
#ifndef VIRTUAL_PRINTER_CORE_VIRTUAL_PRINTER_H
#define VIRTUAL_PRINTER_CORE_VIRTUAL_PRINTER_H

#include <memory>
#include <string>

#include "file_store.h"
#include "link_clock.h"
#include "printer_config.h"
#include "printer_model.h"
#include "trace.h"
#include "virtual_port.h"

namespace vp {

class VirtualPrinter {
 public:
  // Null with *error when the state folder or the trace file cannot be used.
  static std::unique_ptr<VirtualPrinter> Create(const PrinterConfig& config, LinkClock& clock,
                                                std::string* error);

  VirtualPort& Port() { return port_; }
  PrinterModel& Model() { return model_; }
  FileStore& Store() { return *store_; }
  Trace& GetTrace() { return trace_; }

 private:
  VirtualPrinter(const PrinterConfig& config, std::unique_ptr<FileStore> store, LinkClock& clock);

  PrinterConfig config_;
  Trace trace_;
  std::unique_ptr<FileStore> store_;
  PrinterModel model_;
  VirtualPort port_;
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_VIRTUAL_PRINTER_H
