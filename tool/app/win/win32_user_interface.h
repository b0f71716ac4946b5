// The start-up's user interface on Windows: message boxes and the warning dialog.
#ifndef TOOL_APP_WIN_WIN32_USER_INTERFACE_H
#define TOOL_APP_WIN_WIN32_USER_INTERFACE_H

#include <windows.h>

#include "core/startup_seams.h"

namespace vexlow::win {

class Win32UserInterface : public UserInterface {
 public:
  Win32UserInterface(HINSTANCE instance, StringTable& strings)
      : instance_(instance), strings_(strings) {}
  void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override;
  DialogResult RunWarningDialog(const std::string& machineName) override;

 private:
  HINSTANCE instance_;
  StringTable& strings_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_WIN32_USER_INTERFACE_H
