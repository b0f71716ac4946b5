// The warning dialog as the user's language shows it: every text, with a
// machine name filled in, must fit its control at the dialog's own font.
// Run once per language; VEXLOW_EXPECTED_LANGUAGE names the set the
// resource loader is to pick ("en" or "ja").
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "core/text_format.h"
#include "resource.h"
#include "win/wide_text.h"
#include "win/win32_startup_services.h"

namespace vexlow::win::testing {
namespace {

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

// Height the static control needs for its text, against its client height.
struct Fit {
  int needed;
  int available;
};

Fit MeasureText(HWND control) {
  wchar_t text[2048] = {};
  GetWindowTextW(control, text, 2048);
  RECT client;
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT needed = client;
  DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {needed.bottom - needed.top, client.bottom - client.top};
}

TEST(WarningDialogLayoutTest, TextsWithAMachineNameFitTheirControls) {
  const char* expected = std::getenv("VEXLOW_EXPECTED_LANGUAGE");
  ASSERT_NE(expected, nullptr);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  Win32StringTable strings(instance);
  const std::string title = strings.Load(IDS_APP_TITLE);
  EXPECT_EQ(title, std::string(expected) == "ja" ? "Glinterra \xE6\x9B\xB4\xE6\x96\xB0\xE3\x83\x84"
                                                   "\xE3\x83\xBC\xE3\x83\xAB"
                                                 : "Glinterra Update Tool");

  HWND dialog =
      CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_WARNING), nullptr, &PassiveDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  const std::string machine = "VX-9 Pro Tape";
  SetDlgItemTextW(dialog, IDC_WARNING_NOTICE,
                  Utf8ToWide(FormatWithString(strings.Load(IDS_WARNING_NOTICE), machine)).c_str());
  SetDlgItemTextW(
      dialog, IDC_WARNING_INSTRUCTIONS,
      Utf8ToWide(FormatWithString(strings.Load(IDS_WARNING_INSTRUCTIONS), machine)).c_str());
  for (int id : {IDC_WARNING_HEADING, IDC_WARNING_NOTICE, IDC_WARNING_INSTRUCTIONS}) {
    const Fit fit = MeasureText(GetDlgItem(dialog, id));
    EXPECT_LE(fit.needed, fit.available) << "control " << id;
  }

  // The buttons lie below the texts.
  RECT instructions, start;
  GetWindowRect(GetDlgItem(dialog, IDC_WARNING_INSTRUCTIONS), &instructions);
  GetWindowRect(GetDlgItem(dialog, IDOK), &start);
  EXPECT_LE(instructions.bottom, start.top);
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace vexlow::win::testing
