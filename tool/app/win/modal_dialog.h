// A modal dialog built from a dialog template of the program's resources.
// It opens centred over its owner (or the screen); subclasses fill the controls
// in OnInitDialog and may take commands in OnCommand; OK and Cancel end the
// dialog with their own ids by default.
#ifndef TOOL_APP_WIN_MODAL_DIALOG_H
#define TOOL_APP_WIN_MODAL_DIALOG_H

#include <windows.h>

namespace vexlow::win {

class ModalDialog {
 public:
  ModalDialog(HINSTANCE instance, int templateId, HWND owner)
      : instance_(instance), templateId_(templateId), owner_(owner) {}
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

  // Shows the dialog and returns the value it ended with, or -1 when it
  // could not be created.
  INT_PTR RunModal();

 protected:
  // TRUE lets the dialog manager give the focus to the first tab stop.
  virtual BOOL OnInitDialog() { return TRUE; }
  // True when the command was handled.
  virtual bool OnCommand(WORD id);
  // Any other message; the result of a dialog procedure.
  virtual INT_PTR OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    return FALSE;
  }

  void EndDialog(INT_PTR result) { ::EndDialog(window_, result); }
  HWND Window() const { return window_; }
  HWND Owner() const { return owner_; }
  HINSTANCE Instance() const { return instance_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  int templateId_;
  HWND owner_;
  HWND window_ = nullptr;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_MODAL_DIALOG_H
