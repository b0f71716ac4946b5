// The process-wide list of the printers the tool offers and uses: one
// attached PrinterInfo per installed printer, found again by display name, and
// the current printer chosen for an update with its model identifier. It keeps
// nothing between runs.
#ifndef TOOL_PRINTERS_PRINTER_LIST_H
#define TOOL_PRINTERS_PRINTER_LIST_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tool/printers/printer_seams.h"

namespace vexlow {

class PrinterInfo;

class PrinterList {
 public:
  // An iteration position: GetHeadPosition gives the first, GetNext moves on,
  // kEnd follows the last entry.
  using Position = std::size_t;
  static constexpr Position kEnd = 0;

  explicit PrinterList(PrinterEnvironment& environment);
  // Releases and deletes every entry, in list order.
  virtual ~PrinterList();
  PrinterList(const PrinterList&) = delete;
  PrinterList& operator=(const PrinterList&) = delete;

  // Adds every local printer whose driver name equals driverName (the
  // system's case-sensitive comparison) and that can be attached, in the
  // spooler's order. True when at least one such printer is in the list
  // afterwards.
  bool AddPrintersWithDriver(const std::string& driverName);
  // Makes the printer of that display name current; failing that (null,
  // empty, unsupported or unattachable), refreshes the supported printers and
  // makes the first entry current. False when neither works; the current
  // printer then stays as it was.
  bool SelectPrinter(const char* name);
  // The current display name; false while it is empty.
  bool GetCurrentPrinterName(std::string& out) const;
  // The current printer's model identifier; 0 before any selection, and for
  // a printer whose driver gave none.
  uint32_t GetCurrentModelId() const;

  int GetCount() const;
  Position GetHeadPosition() const;
  // The entry at position, moving position on to the next one.
  PrinterInfo* GetNext(Position& position) const;
  // The entry's display name, at most 259 characters.
  std::string GetPrinterDisplayName(const PrinterInfo& info) const;

 private:
  PrinterInfo* FindOrCreate(const std::string& name);
  PrinterInfo* Find(const std::string& name) const;
  PrinterInfo* Add(std::unique_ptr<PrinterInfo> info);
  void SetCurrent(const PrinterInfo& info);
  bool Refresh();
  void Remove(PrinterInfo* info);

  PrinterEnvironment& environment_;
  std::vector<std::unique_ptr<PrinterInfo>> printers_;
  std::string currentName_;
  uint32_t currentModelId_ = 0;
};

// The single instance over the Windows services, created on first use and
// destroyed at exit. Defined by the tool's Win32 layer.
PrinterList& GetPrinterList();

}  // namespace vexlow

#endif  // TOOL_PRINTERS_PRINTER_LIST_H
