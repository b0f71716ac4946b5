#include "virtual_printer.h"

#include "folder_file_store.h"
#include "memory_file_store.h"

namespace vp {

VirtualPrinter::VirtualPrinter(const PrinterConfig& config, std::unique_ptr<FileStore> store,
                               LinkClock& clock)
    : config_(config),
      store_(std::move(store)),
      model_(config_, *store_, trace_, clock),
      port_(config_, model_, trace_, clock) {}

std::unique_ptr<VirtualPrinter> VirtualPrinter::Create(const PrinterConfig& config,
                                                       LinkClock& clock, std::string* error) {
  std::unique_ptr<FileStore> store;
  if (config.stateDir.empty()) {
    store = std::make_unique<MemoryFileStore>();
  } else {
    auto folder = std::make_unique<FolderFileStore>(config.stateDir);
    if (!folder->Prepare()) {
      *error = "state folder " + config.stateDir + " cannot be created";
      return nullptr;
    }
    store = std::move(folder);
  }
  std::unique_ptr<VirtualPrinter> printer(new VirtualPrinter(config, std::move(store), clock));
  if (config.traceTimes) {
    printer->trace_.StampTimes(clock);
  }
  if (!config.tracePath.empty()) {
    if (!printer->trace_.OpenFile(config.tracePath)) {
      *error = "trace file " + config.tracePath + " cannot be opened";
      return nullptr;
    }
    printer->trace_.Line("=== virtual printer: model 0x%04X, answers to \"%s\"%s, accept count %u",
                         config.modelId, config.names.empty() ? "" : config.names[0].c_str(),
                         config.names.size() > 1 ? " and more" : "", config.acceptCount);
    printer->trace_.Line("    faults: %s", DescribeFaults(config.faults).c_str());
  }
  return printer;
}

}  // namespace vp
