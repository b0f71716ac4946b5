// Dialog 102, the printer-selection dialog: the main window. It lists the
// installed printers of the configured driver, starts an update with its
// Update button, opens the About box from its system menu and holds the port
// library bound while its window exists.
#ifndef TOOL_APP_WIN_PRINTER_SELECT_DIALOG_H
#define TOOL_APP_WIN_PRINTER_SELECT_DIALOG_H

#include <string>

#include "core/startup_seams.h"
#include "core/update_run.h"
#include "main_window.h"
#include "modal_dialog.h"
#include "tool/printers/printer_list.h"
#include "tool/transfer/port_binding.h"

namespace vexlow::win {

// What the dialog works with besides its settings.
struct PrinterSelectServices {
  HINSTANCE instance;
  StringTable& strings;
  platform::MessageBoxes& messages;
  MainWindow& mainWindow;
  PortBinding& port;
  PrinterList& printers;
  UpdateServices update;
};

class PrinterSelectDialog : public ModalDialog {
 public:
  // The version the About box shows.
  static constexpr char kVersion[] = "1.00";

  PrinterSelectDialog(const PrinterSelectServices& services, PrinterSelectSettings settings);

  // The text of the selected entry of the list, in the ANSI code page; ""
  // when nothing is selected.
  std::string GetSelectedPrinterName() const;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void FillPrinterList();
  void PreselectPrinter();
  void OnUpdate();
  void PaintMinimised();

  PrinterSelectServices services_;
  std::string driverName_;
  UpdateRun run_;
  HICON icon_;
  HICON smallIcon_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_PRINTER_SELECT_DIALOG_H
