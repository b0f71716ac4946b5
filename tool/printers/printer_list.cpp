#include "tool/printers/printer_list.h"

#include <algorithm>
#include <cstring>

#include "tool/printers/classification.h"
#include "tool/printers/name_buffer.h"
#include "tool/printers/printer_info.h"

namespace vexlow {
namespace {

using platform::PrinterRecord;

// The names of the local printers of one driver, in the spooler's order.
class PrintersOfDriver : public platform::PrinterVisitor {
 public:
  PrintersOfDriver(platform::PrinterSpooler& spooler, const std::string& driverName)
      : spooler_(spooler), driverName_(driverName) {}

  void Visit(const PrinterRecord& record) override {
    if (record.printerName != nullptr && record.driverName != nullptr &&
        spooler_.SamePrinterName(record.driverName, driverName_.c_str())) {
      names.emplace_back(record.printerName);
    }
  }

  std::vector<std::string> names;

 private:
  platform::PrinterSpooler& spooler_;
  const std::string& driverName_;
};

}  // namespace

PrinterList::PrinterList(PrinterEnvironment& environment) : environment_(environment) {}

PrinterList::~PrinterList() {
  for (std::unique_ptr<PrinterInfo>& info : printers_) {
    info->Release();
    info.reset();
  }
}

bool PrinterList::AddPrintersWithDriver(const std::string& driverName) {
  PrintersOfDriver visitor(environment_.spooler, driverName);
  if (!environment_.spooler.ForEachPrinter(platform::kPrinterEnumLocal, visitor)) {
    return false;
  }
  // Attached after the walk: attaching asks the spooler again.
  bool added = false;
  for (const std::string& name : visitor.names) {
    added = FindOrCreate(name) != nullptr || added;
  }
  return added;
}

bool PrinterList::SelectPrinter(const char* name) {
  const std::string wanted = name == nullptr ? std::string() : std::string(name);
  if (!wanted.empty() && environment_.support.CheckPrinterSupport(wanted) != 0) {
    if (const PrinterInfo* info = FindOrCreate(wanted)) {
      SetCurrent(*info);
      return true;
    }
  }
  if (!Refresh() || printers_.empty()) {
    return false;
  }
  SetCurrent(*printers_.front());
  return true;
}

bool PrinterList::GetCurrentPrinterName(std::string& out) const {
  out = currentName_;
  return !out.empty();
}

uint32_t PrinterList::GetCurrentModelId() const {
  return currentModelId_;
}

int PrinterList::GetCount() const {
  return static_cast<int>(printers_.size());
}

PrinterList::Position PrinterList::GetHeadPosition() const {
  return printers_.empty() ? kEnd : 1;
}

PrinterInfo* PrinterList::GetNext(Position& position) const {
  if (position == kEnd || position > printers_.size()) {
    position = kEnd;
    return nullptr;
  }
  PrinterInfo* info = printers_[position - 1].get();
  position = position < printers_.size() ? position + 1 : kEnd;
  return info;
}

std::string PrinterList::GetPrinterDisplayName(const PrinterInfo& info) const {
  char name[kNameBufferSize] = {};
  if (!info.GetDisplayName(name, sizeof(name))) {
    return std::string();
  }
  return name;
}

PrinterInfo* PrinterList::FindOrCreate(const std::string& name) {
  const WaitCursorScope waitCursor(environment_.waitCursor);
  if (PrinterInfo* found = Find(name)) {
    return found;
  }
  auto info = std::make_unique<PrinterInfo>(environment_);
  if (!info->Attach(name.c_str(), 0)) {
    info->Release();
    return nullptr;
  }
  return Add(std::move(info));
}

PrinterInfo* PrinterList::Find(const std::string& name) const {
  for (const std::unique_ptr<PrinterInfo>& info : printers_) {
    if (GetPrinterDisplayName(*info) == name) {
      return info.get();
    }
  }
  return nullptr;
}

PrinterInfo* PrinterList::Add(std::unique_ptr<PrinterInfo> info) {
  printers_.push_back(std::move(info));
  return printers_.back().get();
}

// The model identifier of a printer whose driver gave none is 0: no printer's
// status block carries it, so no package is sent to a printer of unknown model.
void PrinterList::SetCurrent(const PrinterInfo& info) {
  currentName_ = GetPrinterDisplayName(info);
  const uint32_t* modelId = info.GetModelId();
  currentModelId_ = modelId == nullptr ? 0 : *modelId;
}

bool PrinterList::Refresh() {
  const std::size_t counted = EnumerateSupportedPrinters(environment_, nullptr, 0);
  if (counted < 1) {
    return false;
  }
  // The printers may change between the two passes: never more than counted.
  std::vector<PrinterCandidate> candidates(counted);
  const std::size_t filled = std::min(
      EnumerateSupportedPrinters(environment_, candidates.data(), candidates.size()), counted);
  bool supported = false;
  for (std::size_t i = 0; i < filled; ++i) {
    const std::string& name = candidates[i].printerName;
    PrinterInfo* info = FindOrCreate(name);
    if (info == nullptr) {
      continue;
    }
    if (environment_.support.CheckPrinterSupport(name) != 0) {
      supported = true;
    } else {
      Remove(info);
    }
  }
  return supported;
}

void PrinterList::Remove(PrinterInfo* info) {
  const auto found = std::find_if(printers_.begin(), printers_.end(),
                                  [info](const auto& entry) { return entry.get() == info; });
  if (found != printers_.end()) {
    (*found)->Release();
    printers_.erase(found);
  }
}

}  // namespace vexlow
