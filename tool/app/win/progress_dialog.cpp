#include "progress_dialog.h"

#include <commctrl.h>

#include <utility>

#include "resource.h"
#include "wide_text.h"

namespace vexlow::win {

namespace {

// Posted by SetPercent: wParam the percentage, lParam a std::wstring of its
// text, which the dialog's thread takes over.
constexpr UINT kShowPercentMessage = WM_APP + 1;

// Lets the time pass answering nothing but requests to paint and messages
// sent by other programs: the windows stay drawn (the operating window was
// shown from the worker thread, and its first paint may still be due), while
// clicks and keys wait in the queue until the pause is over.
void PauseKeepingWindowsDrawn(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now),
                              QS_PAINT | QS_SENDMESSAGE);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
      DispatchMessageW(&message);
    }
  }
}

// Keys and clicks that waited in the queue through the pause were meant for
// the windows the user saw then; left there, the next window to take input
// (the result message) would take them for an answer before it is read.
void DiscardWaitingInput() {
  const std::pair<UINT, UINT> ranges[] = {{WM_KEYFIRST, WM_KEYLAST},
                                          {WM_MOUSEFIRST, WM_MOUSELAST},
                                          {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};
  MSG message;
  for (const auto& [first, last] : ranges) {
    while (PeekMessageW(&message, nullptr, first, last, PM_REMOVE)) {
    }
  }
}

}  // namespace

BOOL ProgressDialog::OnInitDialog() {
  operating_ = OperatingDialog::Create(Instance(), Owner(), title_);
  SetWindowTextW(Window(), Utf8ToWide(title_).c_str());
  Animate_OpenEx(GetDlgItem(Window(), IDC_PROGRESS_ANIMATION), Instance(),
                 MAKEINTRESOURCEW(IDR_TRANSFER_ANIMATION));
  SendDlgItemMessageW(Window(), IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, 100);
  SendDlgItemMessageW(Window(), IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
  session_.Start(*this);

  // Nothing waits for the thread; its handle goes at once.
  HANDLE thread = CreateThread(nullptr, 0, &WorkerThreadProc, this, 0, nullptr);
  if (thread == nullptr) {
    EndDialog(kNotStarted);
    return TRUE;
  }
  CloseHandle(thread);
  return TRUE;
}

DWORD WINAPI ProgressDialog::WorkerThreadProc(void* dialog) {
  auto* self = static_cast<ProgressDialog*>(dialog);
  HWND window = self->Window();
  const int32_t result = self->session_.RunWorker();
  // The dialog may end as soon as this arrives: nothing of it is touched after.
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return static_cast<DWORD>(result);
}

bool ProgressDialog::OnCommand(WORD id) {
  if (id == IDOK) {
    // The dialog manager issues OK for the Enter key too (the dialog has no
    // default button); only the worker's, once it has returned, ends it.
    if (session_.WorkerFinished()) {
      OnWorkerFinished();
    }
    return true;
  }
  if (id == IDCANCEL) {
    // The Escape key and the Cancel button, while the button is enabled.
    if (IsWindowEnabled(GetDlgItem(Window(), IDCANCEL))) {
      session_.RequestCancel();
    }
    return true;
  }
  return false;
}

void ProgressDialog::OnWorkerFinished() {
  if (operating_ != nullptr && operating_->Window() != nullptr) {
    PauseKeepingWindowsDrawn(operatingPauseMs_);
    DiscardWaitingInput();
    operating_->Destroy();
  }
  EndDialog(IDOK);
}

void ProgressDialog::SetFileText(const std::string& text) {
  SetDlgItemTextW(Window(), IDC_PROGRESS_FILE, Utf8ToWide(text).c_str());
}

void ProgressDialog::SetPercent(int percent, const std::string& text) {
  auto wideText = std::make_unique<std::wstring>(Utf8ToWide(text));
  if (GetWindowThreadProcessId(Window(), nullptr) == GetCurrentThreadId()) {
    ShowPercent(percent, *wideText);
    return;
  }
  // Each window message sent across threads costs up to a millisecond under
  // Wine, as much as a port call. The worker posts the OK command after its
  // last update, so every posted percentage is shown before the dialog ends.
  if (PostMessageW(Window(), kShowPercentMessage, static_cast<WPARAM>(percent),
                   reinterpret_cast<LPARAM>(wideText.get()))) {
    wideText.release();
  }
}

INT_PTR ProgressDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kShowPercentMessage) {
    return FALSE;
  }
  const std::unique_ptr<std::wstring> text(reinterpret_cast<std::wstring*>(lParam));
  ShowPercent(static_cast<int>(wParam), *text);
  return TRUE;
}

void ProgressDialog::ShowPercent(int percent, const std::wstring& text) {
  SendDlgItemMessageW(Window(), IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
  SetDlgItemTextW(Window(), IDC_PROGRESS_PERCENT, text.c_str());
}

void ProgressDialog::SetCancelEnabled(bool enabled) {
  EnableWindow(GetDlgItem(Window(), IDCANCEL), enabled ? TRUE : FALSE);
}

bool ProgressDialog::IsOperatingWindowShown() const {
  return operating_ != nullptr && IsWindowVisible(operating_->Window());
}

void ProgressDialog::ShowOperatingWindow() {
  ShowWindow(Window(), SW_HIDE);
  if (operating_ != nullptr && operating_->Window() != nullptr) {
    ShowWindow(operating_->Window(), SW_SHOW);
  }
}

ProgressOutcome Win32ProgressDialogRunner::Run(ProgressSession& session) {
  ProgressDialog dialog(instance_, mainWindow_.Get(), title_.Text(), session);
  return dialog.RunModal() == IDOK ? ProgressOutcome::Finished : ProgressOutcome::NotStarted;
}

}  // namespace vexlow::win
