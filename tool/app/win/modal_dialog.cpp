#include "modal_dialog.h"

namespace vexlow::win {

INT_PTR ModalDialog::RunModal() {
  return DialogBoxParamW(instance_, MAKEINTRESOURCEW(templateId_), owner_, &DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

bool ModalDialog::OnCommand(WORD id) {
  if (id == IDOK || id == IDCANCEL) {
    EndDialog(id);
    return true;
  }
  return false;
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Messages sent before WM_INITDIALOG (WM_SETFONT) find no object yet.
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    dialog->window_ = window;
    return dialog->OnInitDialog();
  }
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr) {
    return FALSE;
  }
  if (message == WM_COMMAND && dialog->OnCommand(LOWORD(wParam))) {
    return TRUE;
  }
  return dialog->OnMessage(message, wParam, lParam);
}

}  // namespace vexlow::win
