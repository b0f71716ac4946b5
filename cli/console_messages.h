// The tool's message boxes on the console: each text on a line of its own,
// information to the results, the rest to the failures; a question is
// answered by the front end, never by a person.
#ifndef CLI_CONSOLE_MESSAGES_H
#define CLI_CONSOLE_MESSAGES_H

#include <functional>
#include <ostream>
#include <string>

#include "platform/message_boxes.h"

namespace cli {

class ConsoleMessages : public platform::MessageBoxes {
 public:
  ConsoleMessages(std::ostream& out, std::ostream& err, std::function<bool()> answerYes)
      : out_(out), err_(err), answerYes_(std::move(answerYes)) {}

  platform::MessageAnswer Show(const std::string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    if (buttons == platform::MessageButtons::YesNo) {
      return answerYes_() ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
    }
    (icon == platform::MessageIcon::Information ? out_ : err_) << text << "\n";
    shown_ += (shown_.empty() ? "" : "\n") + text;
    return platform::MessageAnswer::Ok;
  }

  // Every message shown so far, one after another; "" before any.
  const std::string& Shown() const { return shown_; }

 private:
  std::ostream& out_;
  std::ostream& err_;
  std::function<bool()> answerYes_;
  std::string shown_;
};

}  // namespace cli

#endif  // CLI_CONSOLE_MESSAGES_H
