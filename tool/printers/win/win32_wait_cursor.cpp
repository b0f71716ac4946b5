#include "tool/printers/win/win32_wait_cursor.h"

#include <windows.h>

namespace vexlow {

void Win32WaitCursor::Begin() {
  // Set again on every nested Begin: a window may have changed the cursor in
  // between.
  HCURSOR shown = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (depth_++ == 0) {
    previous_ = shown;
  }
}

void Win32WaitCursor::End() {
  if (depth_ == 0) {
    return;
  }
  if (--depth_ == 0) {
    SetCursor(static_cast<HCURSOR>(previous_));
    previous_ = nullptr;
  }
}

}  // namespace vexlow
