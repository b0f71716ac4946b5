// The progress dialog over a worker of the test's own: what the reports show
// in its windows (the percentage and the bar set together), the Cancel command only while
// cancelling is allowed, an OK that is not the worker's ignored, the operating window with the
// title, centred over the main window at 100 %, and the end once the worker has returned.
#include "win/progress_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <string>

#include "resource.h"

namespace vexlow::win::testing {
namespace {

// What the worker saw of the windows while it ran.
struct Seen {
  std::wstring fileText;
  std::wstring percentText;
  LRESULT barPosition = -1;
  bool cancelEnabled = false;
  bool visibleAfterEarlyOk = false;
  int32_t answerAfterCancel = -1;
  bool hiddenAt100 = false;
  HWND operating = nullptr;
  bool operatingShown = false;
  RECT operatingRect = {};
  std::wstring operatingTitle;
};

std::wstring Text(HWND dialog, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

// The percentage is posted to the dialog's thread: its text, once shown or
// after five seconds.
std::wstring PercentTextOnceShown(HWND dialog, const wchar_t* expected) {
  std::wstring text = Text(dialog, IDC_PROGRESS_PERCENT);
  for (int waited = 0; text != expected && waited < 5000; waited += 10) {
    Sleep(10);
    text = Text(dialog, IDC_PROGRESS_PERCENT);
  }
  return text;
}

struct ControlSearch {
  int control;
  HWND found;
};

// A window enumeration callback: WINAPI, which a lambda cannot be in 32-bit code.
BOOL CALLBACK FindControlOwner(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ControlSearch*>(param);
  if (GetDlgItem(window, search->control) == nullptr) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// The window of this thread that holds the control; both windows bear the
// same title.
HWND WindowWithControl(DWORD thread, int control) {
  ControlSearch search = {control, nullptr};
  EnumThreadWindows(thread, FindControlOwner, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST(ProgressDialogTest, ShowsReportsAndEndsOnlyOnceTheWorkerHasReturned) {
  HWND mainWindow = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 40, 30, 420, 260,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(mainWindow, nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  struct Case {
    const char* name;
    bool cancelAllowed;
    int32_t answerAfterCancel;
  };
  const Case cases[] = {{"cancelling allowed", true, 0}, {"cancelling not allowed", false, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TransferProgress progress;
    ProgressSession session(progress, "Transferring...");
    progress.totalBytes = 1000;
    progress.cancelAllowed = c.cancelAllowed;
    Seen seen;
    const DWORD guiThread = GetCurrentThreadId();
    session.SetWorker([&] {
      HWND dialog = WindowWithControl(guiThread, IDC_PROGRESS_BAR);
      progress.currentFileBytes = 1000;
      progress.currentFileName = "update";
      ProgressCallback(50);
      seen.fileText = Text(dialog, IDC_PROGRESS_FILE);
      seen.percentText = PercentTextOnceShown(dialog, L"50 %");
      seen.barPosition = SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0);
      seen.cancelEnabled = IsWindowEnabled(GetDlgItem(dialog, IDCANCEL));
      // As the Enter key would: the dialog has no default button.
      SendMessageW(dialog, WM_COMMAND, IDOK, 0);
      seen.visibleAfterEarlyOk = IsWindowVisible(dialog);
      // As the Escape key would.
      SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      seen.answerAfterCancel = ProgressCallback(60);
      ProgressCallback(100);
      seen.hiddenAt100 = !IsWindowVisible(dialog);
      seen.operating = WindowWithControl(guiThread, IDC_OPERATING_TEXT);
      seen.operatingShown = IsWindowVisible(seen.operating);
      GetWindowRect(seen.operating, &seen.operatingRect);
      wchar_t operatingTitle[64] = {};
      GetWindowTextW(seen.operating, operatingTitle, 64);
      seen.operatingTitle = operatingTitle;
      return 0;
    });

    ProgressDialog dialog(GetModuleHandleW(nullptr), mainWindow, "Progress Dialog Test", session,
                          0);
    EXPECT_EQ(dialog.RunModal(), IDOK);
    EXPECT_TRUE(session.WorkerFinished());
    EXPECT_EQ(seen.fileText, L"Transferring...");
    EXPECT_EQ(seen.percentText, L"50 %");
    EXPECT_EQ(seen.barPosition, 50);
    EXPECT_EQ(seen.cancelEnabled, c.cancelAllowed);
    EXPECT_TRUE(seen.visibleAfterEarlyOk);
    EXPECT_EQ(seen.answerAfterCancel, c.answerAfterCancel);
    EXPECT_TRUE(seen.hiddenAt100);
    ASSERT_NE(seen.operating, nullptr);
    EXPECT_TRUE(seen.operatingShown);
    EXPECT_EQ(seen.operatingTitle, L"Progress Dialog Test");
    // Centred over the main window, each half truncated.
    EXPECT_EQ(seen.operatingRect.left,
              (40 + 460 - (seen.operatingRect.right - seen.operatingRect.left)) / 2);
    EXPECT_EQ(seen.operatingRect.top,
              (30 + 290 - (seen.operatingRect.bottom - seen.operatingRect.top)) / 2);
    EXPECT_FALSE(IsWindow(seen.operating)) << "destroyed when the dialog ends";
  }
  DestroyWindow(mainWindow);
}

}  // namespace
}  // namespace vexlow::win::testing
