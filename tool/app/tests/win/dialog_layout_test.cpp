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

struct RunTimeText {
  int control;
  unsigned stringId;     // the string the program puts there, 0 for a literal
  const char* argument;  // formatted into the string, or the literal itself
};

const struct {
  int dialog;
  std::vector<RunTimeText> texts;
} kDialogs[] = {
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

HWND CreatePassiveDialog(int dialog) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  return CreateDialogParamW(
      GetModuleHandleW(nullptr), MAKEINTRESOURCEW(dialog), nullptr,
      [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR { return message == WM_INITDIALOG; }, 0);
}

TEST(DialogLayoutTest, EveryTextFitsItsControlAtTheLanguagesFont) {
  const char* language = std::getenv("VEXLOW_EXPECTED_LANGUAGE");
  ASSERT_NE(language, nullptr);
  Win32StringTable strings(GetModuleHandleW(nullptr));
  for (const auto& entry : kDialogs) {
    SCOPED_TRACE(entry.dialog);
    HWND dialog = CreatePassiveDialog(entry.dialog);
    ASSERT_NE(dialog, nullptr);
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    EXPECT_STREQ(font.lfFaceName,
                 std::string(language) == "ja" ? L"MS UI Gothic" : L"MS Sans Serif");
    for (const RunTimeText& text : entry.texts) {
      const std::string shown = text.stringId == 0
                                    ? text.argument
                                    : FormatText(strings.Load(text.stringId), text.argument);
      SetDlgItemTextW(dialog, text.control, Utf8ToWide(shown).c_str());
    }
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr;
         control = GetWindow(control, GW_HWNDNEXT)) {
      char kind[64] = {};
      GetClassNameA(control, kind, sizeof(kind));
      const bool isStatic = std::string(kind) == "Static";
      if ((!isStatic && std::string(kind) != "Button") ||
          (isStatic && (GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)) {
        continue;
      }
      // The size the text takes at the control's font: wrapped at the
      // control's width for statics, on one line for buttons.
      wchar_t text[2048] = {};
      GetWindowTextW(control, text, 2048);
      RECT client, needed;
      GetClientRect(control, &client);
      needed = client;
      UINT format = DT_CALCRECT | DT_EXPANDTABS | (isStatic ? DT_WORDBREAK : DT_SINGLELINE);
      if (isStatic && (GetWindowLongW(control, GWL_STYLE) & SS_NOPREFIX)) {
        format |= DT_NOPREFIX;
      }
      HDC dc = GetDC(control);
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
      DrawTextW(dc, text, -1, &needed, format);
      ReleaseDC(control, dc);
      EXPECT_TRUE(needed.right - needed.left <= client.right &&
                  needed.bottom - needed.top <= client.bottom)
          << "control " << GetDlgCtrlID(control) << ": " << WideToUtf8(text);
    }
    DestroyWindow(dialog);
  }
}

// The progress dialog's animation clip opens and shows its picture.
TEST(DialogLayoutTest, TheAnimationClipPlays) {
  HWND dialog = CreatePassiveDialog(IDD_PROGRESS);
  ASSERT_NE(dialog, nullptr);
  HWND animation = GetDlgItem(dialog, IDC_PROGRESS_ANIMATION);
  ASSERT_TRUE(Animate_OpenEx(animation, GetModuleHandleW(nullptr),
                             MAKEINTRESOURCEW(IDR_TRANSFER_ANIMATION)));
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
  EXPECT_EQ(GetPixel(dc, (client.right - 260) / 2 + 20, (client.bottom - 40) / 2 + 15),
            RGB(60, 130, 210));
  ReleaseDC(animation, dc);
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace vexlow::win::testing
