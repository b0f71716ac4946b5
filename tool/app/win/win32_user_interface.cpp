#include "win32_user_interface.h"

#include "warning_dialog.h"
#include "wide_text.h"

namespace vexlow::win {

namespace {

UINT IconStyle(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop:
      return MB_ICONSTOP;
    case MessageIcon::Information:
      return MB_ICONINFORMATION;
    case MessageIcon::Exclamation:
      break;
  }
  return MB_ICONEXCLAMATION;
}

}  // namespace

void Win32UserInterface::ShowMessage(const std::string& caption, const std::string& text,
                                     MessageIcon icon) {
  MessageBoxW(nullptr, Utf8ToWide(text).c_str(), Utf8ToWide(caption).c_str(),
              MB_OK | IconStyle(icon));
}

DialogResult Win32UserInterface::RunWarningDialog(const std::string& machineName) {
  WarningDialog dialog(instance_, strings_, machineName);
  const INT_PTR result = dialog.RunModal();
  if (result == IDCANCEL) {
    return DialogResult::Cancel;
  }
  return result == -1 || result == 0 ? DialogResult::Failed : DialogResult::Ok;
}

}  // namespace vexlow::win
