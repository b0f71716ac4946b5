// The update tool's core as the console client runs it: the same transfer
// client, port binding, printer list, strings and vexlow.ini as Vexlow.exe.
#ifndef CLI_TOOL_CORE_H
#define CLI_TOOL_CORE_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/startup_seams.h"
#include "platform/tick_clock.h"
#include "tool/printers/printer_list.h"
#include "tool/transfer/identify_printer.h"
#include "tool/transfer/port_binding.h"
#include "tool/transfer/transfer_client.h"

namespace cli {

struct ListedPrinter {
  std::string name;
  std::optional<uint32_t> model;  // absent when the driver's information library gave none
};

// The tool's printer list: the printers of one driver, and the selection that
// identification makes in it.
class PrinterCatalog : public vexlow::PrinterSelection {
 public:
  // Adds the installed printers of the driver to the list; every entry of the
  // list afterwards, in its order.
  virtual std::vector<ListedPrinter> PrintersOfDriver(const std::string& driverName) = 0;
};

class PrinterListCatalog : public PrinterCatalog {
 public:
  explicit PrinterListCatalog(vexlow::PrinterList& list) : list_(list) {}
  std::vector<ListedPrinter> PrintersOfDriver(const std::string& driverName) override;
  bool SelectPrinter(const char* name) override { return list_.SelectPrinter(name); }
  bool GetCurrentPrinterName(std::string& out) const override {
    return list_.GetCurrentPrinterName(out);
  }
  uint32_t GetCurrentModelId() const override { return list_.GetCurrentModelId(); }

 private:
  vexlow::PrinterList& list_;
};

struct ToolCore {
  vexlow::TransferClient& client;
  vexlow::PortBinding& port;
  PrinterCatalog& printers;
  vexlow::StringTable& strings;
  vexlow::TextCodec& codec;
  vexlow::ProfileReader& profile;
  vexlow::FilePresence& files;
  // Times the printer's pause after a transfer.
  platform::TickClock& clock;
  // Where vexlow.ini and its package are looked for.
  std::string programDirectory;
};

}  // namespace cli

#endif  // CLI_TOOL_CORE_H
