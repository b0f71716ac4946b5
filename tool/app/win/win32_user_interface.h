// The start-up's user interface on Windows: message boxes and the dialogs.
#ifndef TOOL_APP_WIN_WIN32_USER_INTERFACE_H
#define TOOL_APP_WIN_WIN32_USER_INTERFACE_H

#include <windows.h>

#include "core/application.h"
#include "core/startup_seams.h"
#include "platform/message_boxes.h"

namespace vexlow::win {

// Message boxes captioned with the application title of the moment.
class Win32MessageBoxes : public platform::MessageBoxes {
 public:
  explicit Win32MessageBoxes(const ApplicationTitle& title) : title_(title) {}
  platform::MessageAnswer Show(const std::string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;

 private:
  const ApplicationTitle& title_;
};

class Win32UserInterface : public UserInterface {
 public:
  Win32UserInterface(HINSTANCE instance, StringTable& strings)
      : instance_(instance), strings_(strings) {}
  DialogResult RunWarningDialog(const std::string& machineName) override;
  DialogResult RunPrinterSelectDialog(const PrinterSelectSettings& settings) override;

 private:
  HINSTANCE instance_;
  StringTable& strings_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_WIN32_USER_INTERFACE_H
