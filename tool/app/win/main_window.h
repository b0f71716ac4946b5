// The application's main window: the printer-selection dialog while its
// window exists. Message boxes, the progress dialog and the operating window
// are owned by it and placed over it.
#ifndef TOOL_APP_WIN_MAIN_WINDOW_H
#define TOOL_APP_WIN_MAIN_WINDOW_H

#include <windows.h>

#include <atomic>

namespace vexlow::win {

class MainWindow {
 public:
  // Null while there is none. Read from the transfer's worker thread too (a
  // message box there is owned by it), hence atomic.
  HWND Get() const { return window_; }
  void Set(HWND window) { window_ = window; }

 private:
  std::atomic<HWND> window_ = nullptr;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_MAIN_WINDOW_H
