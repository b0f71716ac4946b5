// Dialog 706, "The unit is operating...": a modeless window created hidden
// when the progress dialog starts, shown in its place at 100 %, and destroyed
// after the pause that follows the transfer.
#ifndef TOOL_APP_WIN_OPERATING_DIALOG_H
#define TOOL_APP_WIN_OPERATING_DIALOG_H

#include <windows.h>

#include <memory>
#include <string>

namespace vexlow::win {

class OperatingDialog {
 public:
  // Creates the window hidden, owned by `owner`, centred over it at the top
  // of the Z order, with the title as its caption; null when it cannot be
  // created.
  static std::unique_ptr<OperatingDialog> Create(HINSTANCE instance, HWND owner,
                                                 const std::string& title);
  // Destroys the window if it still exists.
  ~OperatingDialog();
  OperatingDialog(const OperatingDialog&) = delete;
  OperatingDialog& operator=(const OperatingDialog&) = delete;

  // Null once the window has been destroyed.
  HWND Window() const { return IsWindow(window_) ? window_ : nullptr; }
  void Destroy();

 private:
  explicit OperatingDialog(HWND window) : window_(window) {}

  HWND window_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_OPERATING_DIALOG_H
