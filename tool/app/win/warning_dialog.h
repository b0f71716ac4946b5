// Dialog 129: tells the user not to touch the printer during the update and
// how to put it into Transfer mode. Start ends it with OK, Cancel with Cancel.
#ifndef TOOL_APP_WIN_WARNING_DIALOG_H
#define TOOL_APP_WIN_WARNING_DIALOG_H

#include <string>

#include "core/startup_seams.h"
#include "modal_dialog.h"

namespace vexlow::win {

class WarningDialog : public ModalDialog {
 public:
  // machineName is the ini value, in the ANSI code page.
  WarningDialog(HINSTANCE instance, StringTable& strings, std::string machineName);

 protected:
  BOOL OnInitDialog() override;

 private:
  StringTable& strings_;
  std::string machineName_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_WARNING_DIALOG_H
