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

// The window of the dialog under test that holds the control; both windows
// bear the same title.
HWND WindowWithControl(int control) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, L"#32770", L"Progress Dialog Test")) != nullptr &&
         GetDlgItem(window, control) == nullptr) {
  }
  return window;
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
    HWND operating = nullptr;
    // The worker checks the windows as it goes; gtest takes failures from any thread.
    session.SetWorker([&] {
      HWND dialog = WindowWithControl(IDC_PROGRESS_BAR);
      progress.currentFileBytes = 1000;
      progress.currentFileName = "update";
      ProgressCallback(50);
      EXPECT_EQ(Text(dialog, IDC_PROGRESS_FILE), L"Transferring...") << c.name;
      EXPECT_EQ(PercentTextOnceShown(dialog, L"50 %"), L"50 %") << c.name;
      EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0), 50) << c.name;
      EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, IDCANCEL)) != FALSE, c.cancelAllowed) << c.name;
      // As the Enter key would: the dialog has no default button.
      SendMessageW(dialog, WM_COMMAND, IDOK, 0);
      EXPECT_TRUE(IsWindowVisible(dialog)) << c.name;
      // As the Escape key would.
      SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      EXPECT_EQ(ProgressCallback(60), c.answerAfterCancel) << c.name;
      ProgressCallback(100);
      EXPECT_FALSE(IsWindowVisible(dialog)) << c.name;
      operating = WindowWithControl(IDC_OPERATING_TEXT);
      EXPECT_TRUE(IsWindowVisible(operating)) << c.name;
      wchar_t title[64] = {};
      GetWindowTextW(operating, title, 64);
      EXPECT_STREQ(title, L"Progress Dialog Test") << c.name;
      // Centred over the main window, each half truncated.
      RECT rect = {};
      GetWindowRect(operating, &rect);
      EXPECT_EQ(rect.left, (40 + 460 - (rect.right - rect.left)) / 2) << c.name;
      EXPECT_EQ(rect.top, (30 + 290 - (rect.bottom - rect.top)) / 2) << c.name;
      return 0;
    });

    ProgressDialog dialog(GetModuleHandleW(nullptr), mainWindow, "Progress Dialog Test", session,
                          0);
    EXPECT_EQ(dialog.RunModal(), IDOK);
    EXPECT_TRUE(session.WorkerFinished());
    ASSERT_NE(operating, nullptr);
    EXPECT_FALSE(IsWindow(operating)) << "destroyed when the dialog ends";
  }
  DestroyWindow(mainWindow);
}

}  // namespace
}  // namespace vexlow::win::testing
