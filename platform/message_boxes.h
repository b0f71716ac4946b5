// The tool's message box: modal, captioned with the application title, over
// the window that currently owns the tool's messages (disabled while the box
// shows, so its buttons cannot be pressed twice). Texts are UTF-8.
#ifndef PLATFORM_MESSAGE_BOXES_H
#define PLATFORM_MESSAGE_BOXES_H

#include <string>

namespace platform {

enum class MessageIcon { Stop, Exclamation, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows the box and returns when the user has closed it, with the button
  // pressed (closing a Yes/No box otherwise counts as No).
  virtual MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) = 0;
};

}  // namespace platform

#endif  // PLATFORM_MESSAGE_BOXES_H
