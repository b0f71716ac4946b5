// Dialog 100, the About box: the product name (string 3000) and "Version"
// with the tool's version text. Opened from the printer-selection dialog's
// system menu.
#ifndef TOOL_APP_WIN_ABOUT_DIALOG_H
#define TOOL_APP_WIN_ABOUT_DIALOG_H

#include <string>

#include "core/startup_seams.h"
#include "modal_dialog.h"
#include "resource.h"

namespace vexlow::win {

class AboutDialog : public ModalDialog {
 public:
  AboutDialog(HINSTANCE instance, HWND owner, StringTable& strings, std::string version)
      : ModalDialog(instance, IDD_ABOUT, owner), strings_(strings), version_(std::move(version)) {}

 protected:
  BOOL OnInitDialog() override;

 private:
  StringTable& strings_;
  std::string version_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_ABOUT_DIALOG_H
