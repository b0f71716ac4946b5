// The dialogs as the user's language shows them, what only the real dialog
// manager and fonts tell: every text (run-time texts filled in as the program
// fills them) fits its control at the dialog's own font, and the progress
// dialog's animation clip plays. Run once per language;
// VEXLOW_EXPECTED_LANGUAGE names the set the loader is to pick ("en" or "ja").
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/text_format.h"
#include "resource.h"
#include "win/wide_text.h"
#include "win/win32_startup_services.h"

namespace vexlow::win::testing {
namespace {

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

std::wstring WindowText(HWND window) {
  wchar_t text[2048] = {};
  GetWindowTextW(window, text, 2048);
  return text;
}

// The size a control's text takes at the control's font: wrapped at the
// control's width for statics, on one line for buttons.
SIZE TextExtent(HWND control, bool wrap) {
  RECT client;
  GetClientRect(control, &client);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  UINT format = DT_CALCRECT | DT_EXPANDTABS | (wrap ? DT_WORDBREAK : DT_SINGLELINE);
  if (wrap && (style & SS_NOPREFIX)) {
    format |= DT_NOPREFIX;
  }
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT needed = client;
  DrawTextW(dc, WindowText(control).c_str(), -1, &needed, format);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {needed.right - needed.left, needed.bottom - needed.top};
}

struct RunTimeText {
  int control;
  unsigned stringId;     // the string the program puts there, 0 for a literal
  const char* argument;  // formatted into the string, or the literal itself
};

struct DialogTexts {
  int dialog;
  std::vector<RunTimeText> texts;
};

const DialogTexts kDialogs[] = {
    {IDD_WARNING,
     {{IDC_WARNING_NOTICE, IDS_WARNING_NOTICE, "VX-9 Pro Tape"},
      {IDC_WARNING_INSTRUCTIONS, IDS_WARNING_INSTRUCTIONS, "VX-9 Pro Tape"}}},
    {IDD_ABOUT,
     {{IDC_ABOUT_PRODUCT, IDS_APP_TITLE, ""}, {IDC_ABOUT_VERSION, IDS_VERSION_FORMAT, "1.00"}}},
    {IDD_PRINTER_SELECT, {}},
    {IDD_PROGRESS,
     {{IDC_PROGRESS_FILE, IDS_TRANSFERRING, "update"}, {IDC_PROGRESS_PERCENT, 0, "100 %"}}},
    {IDD_OPERATING, {}},
};

class DialogLayoutTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
  }

  HWND Create(int dialog) {
    return CreateDialogParamW(instance_, MAKEINTRESOURCEW(dialog), nullptr, &PassiveDialogProc, 0);
  }

  HINSTANCE instance_ = GetModuleHandleW(nullptr);
  Win32StringTable strings_{instance_};
};

TEST_F(DialogLayoutTest, EveryTextFitsItsControl) {
  for (const DialogTexts& entry : kDialogs) {
    SCOPED_TRACE(entry.dialog);
    HWND dialog = Create(entry.dialog);
    ASSERT_NE(dialog, nullptr);
    for (const RunTimeText& text : entry.texts) {
      const std::string shown = text.stringId == 0
                                    ? text.argument
                                    : FormatText(strings_.Load(text.stringId), text.argument);
      SetDlgItemTextW(dialog, text.control, Utf8ToWide(shown).c_str());
    }
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
      char kindName[64] = {};
      GetClassNameA(control, kindName, sizeof(kindName));
      const std::string kind = kindName;
      const bool isStatic = kind == "Static";
      const bool isIcon = (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
      if ((!isStatic && kind != "Button") || (isStatic && isIcon)) {
        continue;
      }
      RECT client;
      GetClientRect(control, &client);
      const SIZE needed = TextExtent(control, isStatic);
      EXPECT_LE(needed.cx, client.right)
          << "control " << GetDlgCtrlID(control) << ": " << WideToUtf8(WindowText(control));
      EXPECT_LE(needed.cy, client.bottom)
          << "control " << GetDlgCtrlID(control) << ": " << WideToUtf8(WindowText(control));
    }
    DestroyWindow(dialog);
  }
}

// The loader picks the user's language set, whose font the dialog takes; the
// progress dialog's animation clip opens and shows its picture.
TEST_F(DialogLayoutTest, TheLoaderPicksTheUsersLanguageAndTheClipPlays) {
  const char* language = std::getenv("VEXLOW_EXPECTED_LANGUAGE");
  ASSERT_NE(language, nullptr);
  const bool japanese = std::string(language) == "ja";
  HWND dialog = Create(IDD_PROGRESS);
  ASSERT_NE(dialog, nullptr);
  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_STREQ(font.lfFaceName, japanese ? L"MS UI Gothic" : L"MS Sans Serif");
  HWND animation = GetDlgItem(dialog, IDC_PROGRESS_ANIMATION);
  ASSERT_TRUE(Animate_OpenEx(animation, instance_, MAKEINTRESOURCEW(IDR_TRANSFER_ANIMATION)));
  ShowWindow(dialog, SW_SHOWNORMAL);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 500;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
  // The computer's screen, a blue of the clip's palette, at (20, 15) of every
  // frame; the control centres the 260 x 40 frame.
  RECT client;
  GetClientRect(animation, &client);
  HDC dc = GetDC(animation);
  const COLORREF seen = GetPixel(dc, (client.right - 260) / 2 + 20, (client.bottom - 40) / 2 + 15);
  ReleaseDC(animation, dc);
  EXPECT_EQ(seen, RGB(60, 130, 210));
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace vexlow::win::testing
