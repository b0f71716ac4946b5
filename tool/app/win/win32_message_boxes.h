// The tool's message boxes on Windows: MessageBoxW, captioned with the
// application title as it is when the box shows, and owned by the main
// window, which the box disables while it shows (a button under it cannot be
// pressed a second time meanwhile).
#ifndef TOOL_APP_WIN_WIN32_MESSAGE_BOXES_H
#define TOOL_APP_WIN_WIN32_MESSAGE_BOXES_H

#include <string>

#include "core/application.h"
#include "main_window.h"
#include "platform/message_boxes.h"

namespace vexlow::win {

class Win32MessageBoxes : public platform::MessageBoxes {
 public:
  Win32MessageBoxes(const ApplicationTitle& title, const MainWindow& owner)
      : title_(title), owner_(owner) {}

  platform::MessageAnswer Show(const std::string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;

 private:
  const ApplicationTitle& title_;
  const MainWindow& owner_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_WIN32_MESSAGE_BOXES_H
