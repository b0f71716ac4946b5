// The application's wait cursor: IDC_WAIT through SetCursor while at least one
// Begin is open; the outermost End brings back the cursor that was shown
// before the outermost Begin. For the GUI thread only, like every cursor.
#ifndef TOOL_PRINTERS_WIN_WIN32_WAIT_CURSOR_H
#define TOOL_PRINTERS_WIN_WIN32_WAIT_CURSOR_H

#include "tool/printers/printer_seams.h"

namespace vexlow {

class Win32WaitCursor : public WaitCursor {
 public:
  void Begin() override;
  // An End without a Begin changes nothing.
  void End() override;

 private:
  int depth_ = 0;
  void* previous_ = nullptr;  // the HCURSOR shown before the outermost Begin
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_WIN_WIN32_WAIT_CURSOR_H
