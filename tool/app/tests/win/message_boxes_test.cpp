// The tool's message box as the user meets it: caption, text, icon and
// buttons, the answer of the button pressed, and the main window disabled
// while the box shows. A second thread reads the box and presses its button.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "win/wide_text.h"
#include "win/win32_message_boxes.h"

namespace vexlow::win::testing {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

// What the second thread saw of the box.
struct SeenBox {
  bool found = false;
  bool ownedByMainWindow = false;
  bool mainWindowDisabled = false;
  std::string text;
  HICON icon = nullptr;
  bool hasOk = false;
  bool hasYesNo = false;
};

BOOL CALLBACK ReadControl(HWND control, LPARAM seenBox) {
  auto* seen = reinterpret_cast<SeenBox*>(seenBox);
  char kind[32] = {};
  GetClassNameA(control, kind, sizeof(kind));
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (std::string(kind) == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
    seen->icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
  } else if (std::string(kind) == "Static") {
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    if (text[0] != L'\0') {
      seen->text = WideToUtf8(text);
    }
  }
  return TRUE;
}

// Waits for the box with this caption, reads it and presses `press`.
SeenBox ReadAndPress(const std::wstring& caption, HWND mainWindow, int press) {
  SeenBox seen;
  HWND box = nullptr;
  for (int i = 0; i < 200 && box == nullptr; ++i) {
    box = FindWindowW(L"#32770", caption.c_str());
    if (box == nullptr) {
      Sleep(25);
    }
  }
  if (box == nullptr) {
    return seen;
  }
  seen.found = true;
  seen.ownedByMainWindow = GetWindow(box, GW_OWNER) == mainWindow;
  seen.mainWindowDisabled = !IsWindowEnabled(mainWindow);
  EnumChildWindows(box, &ReadControl, reinterpret_cast<LPARAM>(&seen));
  seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
  seen.hasYesNo = GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr;
  PostMessageW(box, WM_COMMAND, press, 0);
  return seen;
}

TEST(Win32MessageBoxesTest, ShowsCaptionTextIconAndButtonsOverTheMainWindow) {
  HWND mainWindow = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                                    nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(mainWindow, nullptr);
  ApplicationTitle title;
  MainWindow owner;
  owner.Set(mainWindow);
  Win32MessageBoxes boxes(title, owner);

  struct Case {
    const char* title;
    const char* text;
    MessageIcon icon;
    MessageButtons buttons;
    int press;
    LPCSTR systemIcon;
    MessageAnswer answer;
  };
  const Case cases[] = {
      {"Glinterra Update Tool", "Failed to transfer.", MessageIcon::Stop, MessageButtons::Ok, IDOK,
       IDI_HAND, MessageAnswer::Ok},
      {"Glinterra \xE6\x9B\xB4\xE6\x96\xB0\xE3\x83\x84\xE3\x83\xBC\xE3\x83\xAB",
       "OK to update Glinterra to version 2.10 ?", MessageIcon::Exclamation, MessageButtons::YesNo,
       IDYES, IDI_EXCLAMATION, MessageAnswer::Yes},
      {"Glinterra Update Tool", "OK to update?", MessageIcon::Exclamation, MessageButtons::YesNo,
       IDNO, IDI_EXCLAMATION, MessageAnswer::No},
      {"Glinterra Update Tool", "Completed.\n\nTurn off the printer.", MessageIcon::Information,
       MessageButtons::Ok, IDOK, IDI_ASTERISK, MessageAnswer::Ok},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    title.Set(c.title);
    SeenBox seen;
    std::thread reader([&] { seen = ReadAndPress(Utf8ToWide(c.title), mainWindow, c.press); });
    const MessageAnswer answer = boxes.Show(c.text, c.icon, c.buttons);
    reader.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, c.answer);
    EXPECT_TRUE(seen.ownedByMainWindow);
    EXPECT_TRUE(seen.mainWindowDisabled);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
    EXPECT_EQ(seen.text, c.text);
    EXPECT_EQ(seen.icon, LoadIconA(nullptr, c.systemIcon));
    EXPECT_EQ(seen.hasYesNo, c.buttons == MessageButtons::YesNo);
    EXPECT_EQ(seen.hasOk, c.buttons == MessageButtons::Ok);
  }
  DestroyWindow(mainWindow);
}

}  // namespace
}  // namespace vexlow::win::testing
