#include "win32_user_interface.h"

#include "warning_dialog.h"
#include "wide_text.h"

namespace vexlow::win {

namespace {

UINT IconStyle(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::Stop:
      return MB_ICONSTOP;
    case platform::MessageIcon::Information:
      return MB_ICONINFORMATION;
    case platform::MessageIcon::Exclamation:
      break;
  }
  return MB_ICONEXCLAMATION;
}

}  // namespace

platform::MessageAnswer Win32MessageBoxes::Show(const std::string& text, platform::MessageIcon icon,
                                                platform::MessageButtons buttons) {
  const bool yesNo = buttons == platform::MessageButtons::YesNo;
  const int answer =
      MessageBoxW(nullptr, Utf8ToWide(text).c_str(), Utf8ToWide(title_.Text()).c_str(),
                  (yesNo ? MB_YESNO : MB_OK) | IconStyle(icon));
  if (!yesNo) {
    return platform::MessageAnswer::Ok;
  }
  return answer == IDYES ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
}

DialogResult Win32UserInterface::RunWarningDialog(const std::string& machineName) {
  WarningDialog dialog(instance_, strings_, machineName);
  const INT_PTR result = dialog.RunModal();
  if (result == IDCANCEL) {
    return DialogResult::Cancel;
  }
  return result == -1 || result == 0 ? DialogResult::Failed : DialogResult::Ok;
}

DialogResult Win32UserInterface::RunPrinterSelectDialog(const PrinterSelectSettings&) {
  // The printer-selection dialog is not part of this program yet.
  return DialogResult::Failed;
}

}  // namespace vexlow::win
