#include "operating_dialog.h"

#include "resource.h"
#include "wide_text.h"

namespace vexlow::win {

namespace {

INT_PTR CALLBACK OperatingDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

// Where a window of this size stands centred over `owner`, each half
// truncated toward zero.
POINT CentredOver(const RECT& owner, LONG width, LONG height) {
  return {(owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2};
}

}  // namespace

std::unique_ptr<OperatingDialog> OperatingDialog::Create(HINSTANCE instance, HWND owner,
                                                         const std::string& title) {
  HWND window =
      CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_OPERATING), owner, &OperatingDialogProc, 0);
  if (window == nullptr) {
    return nullptr;
  }
  ShowWindow(window, SW_HIDE);
  RECT ownerRect = {};
  RECT own = {};
  if (owner != nullptr && GetWindowRect(owner, &ownerRect) && GetWindowRect(window, &own)) {
    const POINT at = CentredOver(ownerRect, own.right - own.left, own.bottom - own.top);
    SetWindowPos(window, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  }
  SetWindowTextW(window, Utf8ToWide(title).c_str());
  return std::unique_ptr<OperatingDialog>(new OperatingDialog(window));
}

OperatingDialog::~OperatingDialog() {
  Destroy();
}

void OperatingDialog::Destroy() {
  if (IsWindow(window_)) {
    DestroyWindow(window_);
  }
  window_ = nullptr;
}

}  // namespace vexlow::win
