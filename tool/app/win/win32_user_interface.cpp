#include "win32_user_interface.h"

#include "warning_dialog.h"

namespace vexlow::win {

namespace {

DialogResult ResultOf(INT_PTR result) {
  if (result == IDCANCEL) {
    return DialogResult::Cancel;
  }
  return result == -1 || result == 0 ? DialogResult::Failed : DialogResult::Ok;
}

}  // namespace

DialogResult Win32UserInterface::RunWarningDialog(const std::string& machineName) {
  WarningDialog dialog(services_.instance, services_.strings, machineName);
  return ResultOf(dialog.RunModal());
}

DialogResult Win32UserInterface::RunPrinterSelectDialog(const PrinterSelectSettings& settings) {
  PrinterSelectDialog dialog(services_, settings);
  return ResultOf(dialog.RunModal());
}

}  // namespace vexlow::win
