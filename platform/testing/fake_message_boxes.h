// Message boxes that keep each box shown and, given a log, write it there as
// one line among the other calls a test records. A Yes/No box is answered
// with `answer`.
#ifndef PLATFORM_TESTING_FAKE_MESSAGE_BOXES_H
#define PLATFORM_TESTING_FAKE_MESSAGE_BOXES_H

#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace platform::testing {

struct ShownMessage {
  std::string caption;
  std::string text;
  MessageIcon icon;
  MessageButtons buttons;
  bool operator==(const ShownMessage&) const = default;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  FakeMessageBoxes() = default;
  // Each box is captioned with `caption` as it reads when the box shows, as
  // the Windows boxes take the application title of the moment.
  FakeMessageBoxes(std::vector<std::string>& log, const std::string& caption)
      : log_(&log), caption_(&caption) {}
  MessageAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) override {
    static const char* const kIcons[] = {"stop", "exclamation", "information"};
    if (log_ != nullptr) {
      log_->push_back("message: " + text + " [" + kIcons[static_cast<int>(icon)] +
                      (buttons == MessageButtons::Ok ? ", OK]" : ", Yes/No]"));
    }
    shown.push_back({caption_ != nullptr ? *caption_ : std::string(), text, icon, buttons});
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
  }

  std::vector<ShownMessage> shown;
  MessageAnswer answer = MessageAnswer::Yes;

 private:
  std::vector<std::string>* log_ = nullptr;
  const std::string* caption_ = nullptr;
};

}  // namespace platform::testing

#endif  // PLATFORM_TESTING_FAKE_MESSAGE_BOXES_H
