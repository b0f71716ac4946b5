// The application object's frame: its title, its registry key and the message
// box every part of the tool reports through, captioned with the title.
// StartUp is the whole life of the program; ShutDown gives the exit code.
#ifndef TOOL_APP_CORE_APPLICATION_H
#define TOOL_APP_CORE_APPLICATION_H

#include <string>
#include <utility>

#include "startup_seams.h"

namespace vexlow {

class Application {
 public:
  Application(UserInterface& ui, std::string title) : ui_(ui), title_(std::move(title)) {}
  virtual ~Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // False tells the caller that no message loop is to run.
  virtual bool StartUp() = 0;
  // Releases what start-up took and returns the process exit code.
  virtual int ShutDown() { return 0; }

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  // Company name under which the printer drivers register themselves.
  const std::string& RegistryKey() const { return registryKey_; }
  void SetRegistryKey(std::string key) { registryKey_ = std::move(key); }

  // A modal message with an OK button, captioned with the current title.
  void ShowMessage(const std::string& text, MessageIcon icon) {
    ui_.ShowMessage(title_, text, icon);
  }

 protected:
  UserInterface& ui_;

 private:
  std::string title_;
  std::string registryKey_;
};

}  // namespace vexlow

#endif  // TOOL_APP_CORE_APPLICATION_H
