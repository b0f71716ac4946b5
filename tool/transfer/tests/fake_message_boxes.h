// Message boxes that log each box as a line among the library calls and keep
// what it showed; Yes/No boxes are answered with `answer`.
#ifndef TOOL_TRANSFER_TESTS_FAKE_MESSAGE_BOXES_H
#define TOOL_TRANSFER_TESTS_FAKE_MESSAGE_BOXES_H

#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace vexlow::testing {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

struct ShownMessage {
  std::string caption;
  std::string text;
  MessageIcon icon;
  MessageButtons buttons;
  bool operator==(const ShownMessage&) const = default;
};

class FakeMessageBoxes : public platform::MessageBoxes {
 public:
  // Each box is captioned with `caption` as it reads when the box shows, as
  // the Windows boxes take the application title of the moment.
  FakeMessageBoxes(std::vector<std::string>& log, const std::string& caption)
      : log_(log), caption_(caption) {}
  MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override {
    static const char* const kIcons[] = {"stop", "exclamation", "information"};
    log_.push_back("message: " + text + " [" + kIcons[static_cast<int>(icon)] +
                   (buttons == MessageButtons::Ok ? ", OK]" : ", Yes/No]"));
    shown.push_back({caption_, text, icon, buttons});
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
  }

  std::vector<ShownMessage> shown;
  MessageAnswer answer = MessageAnswer::Yes;

 private:
  std::vector<std::string>& log_;
  const std::string& caption_;
};

}  // namespace vexlow::testing

#endif  // TOOL_TRANSFER_TESTS_FAKE_MESSAGE_BOXES_H
