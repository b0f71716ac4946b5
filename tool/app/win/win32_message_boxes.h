// The tool's message boxes on Windows: MessageBoxW, captioned with the
// application title as it is when the box shows, and owned by the current
// main window, which the box disables while it shows (a second press of a
// button under it cannot start anything twice).
#ifndef TOOL_APP_WIN_WIN32_MESSAGE_BOXES_H
#define TOOL_APP_WIN_WIN32_MESSAGE_BOXES_H

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "platform/message_boxes.h"

namespace vexlow::win {

class Win32MessageBoxes : public platform::MessageBoxes {
 public:
  // caption gives the application title (UTF-8) at the time of each box.
  explicit Win32MessageBoxes(std::function<std::string()> caption) : caption_(std::move(caption)) {}

  // The window that owns later boxes; null for none. Boxes may be shown from
  // the transfer's worker thread too, so the owner is kept atomically.
  void SetOwner(HWND owner) { owner_ = owner; }
  HWND Owner() const { return owner_; }

  platform::MessageAnswer Show(const std::string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;

 private:
  std::function<std::string()> caption_;
  std::atomic<HWND> owner_ = nullptr;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_WIN32_MESSAGE_BOXES_H
