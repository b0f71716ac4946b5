// The application object's frame: its title, its registry key and the message
// box every part of the tool reports through, captioned with the title.
// StartUp is the whole life of the program; ShutDown gives the exit code.
#ifndef TOOL_APP_CORE_APPLICATION_H
#define TOOL_APP_CORE_APPLICATION_H

#include <string>
#include <utility>

#include "platform/message_boxes.h"

namespace vexlow {

// The application's title, shared by reference: start-up sets it, and every
// message box, the progress window and the operating window take it as their
// caption.
class ApplicationTitle {
 public:
  const std::string& Text() const { return text_; }
  void Set(std::string text) { text_ = std::move(text); }

 private:
  std::string text_;
};

class Application {
 public:
  Application(platform::MessageBoxes& messages, ApplicationTitle& title)
      : messages_(messages), title_(title) {}
  virtual ~Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // False tells the caller that no message loop is to run.
  virtual bool StartUp() = 0;
  // Releases what start-up took and returns the process exit code.
  virtual int ShutDown() { return 0; }

  const std::string& Title() const { return title_.Text(); }
  void SetTitle(std::string title) { title_.Set(std::move(title)); }
  // Company name under which the printer drivers register themselves.
  const std::string& RegistryKey() const { return registryKey_; }
  void SetRegistryKey(std::string key) { registryKey_ = std::move(key); }

  // A modal message with an OK button, captioned with the current title.
  void ShowMessage(const std::string& text, platform::MessageIcon icon) {
    messages_.Show(text, icon, platform::MessageButtons::Ok);
  }

 private:
  platform::MessageBoxes& messages_;
  ApplicationTitle& title_;
  std::string registryKey_;
};

}  // namespace vexlow

#endif  // TOOL_APP_CORE_APPLICATION_H
