#include "tool/printers/printer_info.h"
#include "tool_core.h"

namespace cli {

std::vector<ListedPrinter> PrinterListCatalog::PrintersOfDriver(const std::string& driverName) {
  list_.AddPrintersWithDriver(driverName);
  std::vector<ListedPrinter> printers;
  for (vexlow::PrinterList::Position at = list_.GetHeadPosition();
       at != vexlow::PrinterList::kEnd;) {
    if (const vexlow::PrinterInfo* info = list_.GetNext(at)) {
      const uint32_t* model = info->GetModelId();
      printers.push_back({list_.GetPrinterDisplayName(*info),
                          model == nullptr ? std::nullopt : std::optional<uint32_t>(*model)});
    }
  }
  return printers;
}

}  // namespace cli
