// The process's printer list over the Windows services. While a
// Win32PrinterList exists, GetPrinterList() gives its list; the program makes
// one for the whole of its run, before the first use.
#ifndef TOOL_APP_WIN_WIN32_PRINTER_LIST_H
#define TOOL_APP_WIN_WIN32_PRINTER_LIST_H

#include <memory>
#include <string>

#include "platform/library_loader.h"
#include "platform/message_boxes.h"
#include "tool/printers/printer_list.h"

namespace vexlow::win {

class Win32PrinterList {
 public:
  // companyKey is string 1010, specialTapeSuffix the suffix of the resources.
  Win32PrinterList(platform::LibraryLoader& loader, platform::MessageBoxes& messages,
                   PrinterSupportCheck& support, std::string companyKey,
                   std::string specialTapeSuffix);
  ~Win32PrinterList();
  Win32PrinterList(const Win32PrinterList&) = delete;
  Win32PrinterList& operator=(const Win32PrinterList&) = delete;

  PrinterList& List();

 private:
  // The Windows adapters and the list over them, apart from this header: the
  // spooler's method names meet macros of <windows.h>.
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_WIN32_PRINTER_LIST_H
