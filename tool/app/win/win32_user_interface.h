// The dialogs start-up runs, on Windows: the warning dialog, then the
// printer-selection dialog as the main window.
#ifndef TOOL_APP_WIN_WIN32_USER_INTERFACE_H
#define TOOL_APP_WIN_WIN32_USER_INTERFACE_H

#include "core/startup_seams.h"
#include "printer_select_dialog.h"

namespace vexlow::win {

class Win32UserInterface : public UserInterface {
 public:
  explicit Win32UserInterface(const PrinterSelectServices& services) : services_(services) {}
  DialogResult RunWarningDialog(const std::string& machineName) override;
  DialogResult RunPrinterSelectDialog(const PrinterSelectSettings& settings) override;

 private:
  PrinterSelectServices services_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_WIN32_USER_INTERFACE_H
