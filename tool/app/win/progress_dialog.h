// Dialog 705, the progress dialog: runs modally over the main window while a
// worker thread of its own sends the package, shows what the progress session
// reports, and ends only when that worker has returned, after the pause with
// the operating window.
#ifndef TOOL_APP_WIN_PROGRESS_DIALOG_H
#define TOOL_APP_WIN_PROGRESS_DIALOG_H

#include <memory>
#include <string>

#include "core/application.h"
#include "core/progress_session.h"
#include "main_window.h"
#include "modal_dialog.h"
#include "operating_dialog.h"
#include "resource.h"

namespace vexlow::win {

class ProgressDialog : public ModalDialog, public ProgressView {
 public:
  // How long the operating window stays after the worker has returned, the
  // program answering no input meanwhile: the printer is busy storing the
  // update and must not be disturbed.
  static constexpr DWORD kOperatingPauseMs = kOperatingWindowPauseMs;
  // What RunModal answers when the worker thread could not be started.
  static constexpr INT_PTR kNotStarted = IDABORT;

  // operatingPauseMs: the pause; only tests that do not need it shorten it.
  ProgressDialog(HINSTANCE instance, HWND owner, const std::string& title, ProgressSession& session,
                 DWORD operatingPauseMs = kOperatingPauseMs)
      : ModalDialog(instance, IDD_PROGRESS, owner),
        title_(title),
        session_(session),
        operatingPauseMs_(operatingPauseMs) {}

  // ProgressView, called on the worker thread. The percentage, which changes
  // up to a hundred times a file, is posted to the dialog's thread, so the
  // transfer never waits for it; the rest are synchronous window messages.
  void SetFileText(const std::string& text) override;
  void SetPercent(int percent, const std::string& text) override;
  void SetCancelEnabled(bool enabled) override;
  bool IsOperatingWindowShown() const override;
  void ShowOperatingWindow() override;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(WORD id) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static DWORD WINAPI WorkerThreadProc(void* dialog);
  void OnWorkerFinished();
  void ShowPercent(int percent, const std::wstring& text);

  std::string title_;
  ProgressSession& session_;
  DWORD operatingPauseMs_;
  std::unique_ptr<OperatingDialog> operating_;
};

// Runs a ProgressDialog over the main window of the moment.
class Win32ProgressDialogRunner : public ProgressDialogRunner {
 public:
  Win32ProgressDialogRunner(HINSTANCE instance, const ApplicationTitle& title,
                            const MainWindow& mainWindow)
      : instance_(instance), title_(title), mainWindow_(mainWindow) {}
  ProgressOutcome Run(ProgressSession& session) override;

 private:
  HINSTANCE instance_;
  const ApplicationTitle& title_;
  const MainWindow& mainWindow_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_PROGRESS_DIALOG_H
