// A program of known windows for winauto's own test.
//   winauto_fixture box ICON CAPTION TEXT   a message box; ICON is stop, exclamation,
//                                           information, question or none; "\n" in
//                                           TEXT is a line break. Exits with the button.
//   winauto_fixture dialog                  a dialog; its Start button opens a box
//                                           "Fixture Started" and, once that is
//                                           closed, ends with 100. Cancel ends with 2.
//                                           Choosing in its drop-down list shows
//                                           "chose <entry>" beside it.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "winauto_fixture_ids.h"

namespace {

UINT IconStyle(const std::wstring& kind) {
  if (kind == L"stop") {
    return MB_ICONSTOP;
  }
  if (kind == L"exclamation") {
    return MB_ICONEXCLAMATION;
  }
  if (kind == L"information") {
    return MB_ICONINFORMATION;
  }
  if (kind == L"question") {
    return MB_ICONQUESTION;
  }
  return 0;
}

std::wstring WithLineBreaks(std::wstring text) {
  for (size_t at = text.find(L"\\n"); at != std::wstring::npos; at = text.find(L"\\n", at + 1)) {
    text.replace(at, 2, L"\n");
  }
  return text;
}

INT_PTR CALLBACK FixtureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    for (const wchar_t* entry : {L"Alpha", L"Beta Printer", L"\u65e5\u672c"}) {
      SendDlgItemMessageW(dialog, IDC_FIXTURE_CHOICES, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(entry));
    }
    SendDlgItemMessageW(dialog, IDC_FIXTURE_CHOICES, CB_SETCURSEL, 0, 0);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_FIXTURE_CHOICES &&
      HIWORD(wParam) == CBN_SELCHANGE) {
    wchar_t entry[64] = {};
    GetDlgItemTextW(dialog, IDC_FIXTURE_CHOICES, entry, 64);
    SetDlgItemTextW(dialog, IDC_FIXTURE_CHOSEN, (std::wstring(L"chose ") + entry).c_str());
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_FIXTURE_START) {
    MessageBoxW(dialog, L"Started", L"Fixture Started", MB_OK | MB_ICONINFORMATION);
    EndDialog(dialog, 100);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, 2);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) {
    return 64;
  }
  const std::wstring command = argv[1];
  if (command == L"box" && argc == 5) {
    return MessageBoxW(nullptr, WithLineBreaks(argv[4]).c_str(), argv[3],
                       MB_OK | IconStyle(argv[2]));
  }
  if (command == L"dialog") {
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FIXTURE), nullptr, FixtureDialogProc, 0));
  }
  return 64;
}
