#include "modal_dialog.h"

#include <algorithm>

namespace vexlow::win {

namespace {

// Centres a dialog over its owner, or over the work area of its monitor when
// it has none, kept inside that work area.
void CenterDialog(HWND window) {
  RECT own;
  GetWindowRect(window, &own);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return;
  }
  const RECT area = monitor.rcWork;
  RECT around = area;
  HWND owner = GetWindow(window, GW_OWNER);
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &around);
  }
  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  LONG left = (around.left + around.right - width) / 2;
  LONG top = (around.top + around.bottom - height) / 2;
  left = std::max(area.left, std::min(left, area.right - width));
  top = std::max(area.top, std::min(top, area.bottom - height));
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

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
    CenterDialog(window);
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
