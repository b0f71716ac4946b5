#include "warning_dialog.h"

#include "core/warning_texts.h"
#include "resource.h"
#include "wide_text.h"

namespace vexlow::win {

WarningDialog::WarningDialog(HINSTANCE instance, StringTable& strings, std::string machineName)
    : ModalDialog(instance, IDD_WARNING, nullptr),
      strings_(strings),
      machineName_(std::move(machineName)) {}

BOOL WarningDialog::OnInitDialog() {
  const WarningTexts texts = ComposeWarningTexts(strings_, AnsiToUtf8(machineName_));
  SetWindowTextW(Window(), Utf8ToWide(texts.title).c_str());
  SetDlgItemTextW(Window(), IDC_WARNING_NOTICE, Utf8ToWide(texts.notice).c_str());
  SetDlgItemTextW(Window(), IDC_WARNING_INSTRUCTIONS, Utf8ToWide(texts.instructions).c_str());
  return TRUE;
}

}  // namespace vexlow::win
