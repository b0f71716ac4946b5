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

// The icon a box shows: the one child that answers STM_GETICON.
HICON BoxIcon(HWND box) {
  HWND child = GetWindow(box, GW_CHILD);
  while (child != nullptr && SendMessageW(child, STM_GETICON, 0, 0) == 0) {
    child = GetWindow(child, GW_HWNDNEXT);
  }
  return child == nullptr ? nullptr
                          : reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
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
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    title.Set(c.title);
    // A second thread checks the box and presses; gtest takes failures from any thread.
    bool found = false;
    std::thread reader([&] {
      HWND box = nullptr;
      for (int i = 0;
           i < 200 && (box = FindWindowW(L"#32770", Utf8ToWide(c.title).c_str())) == nullptr; ++i) {
        Sleep(25);
      }
      if (box == nullptr) {
        return;
      }
      found = true;
      EXPECT_EQ(GetWindow(box, GW_OWNER), mainWindow) << c.text;
      EXPECT_FALSE(IsWindowEnabled(mainWindow)) << c.text;
      wchar_t text[512] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message's static, as on Windows
      EXPECT_EQ(WideToUtf8(text), c.text);
      EXPECT_EQ(BoxIcon(box), LoadIconA(nullptr, c.systemIcon)) << c.text;
      const bool yesNo = c.buttons == MessageButtons::YesNo;
      EXPECT_EQ(GetDlgItem(box, IDOK) != nullptr, !yesNo) << c.text;
      EXPECT_EQ(GetDlgItem(box, IDYES) != nullptr && GetDlgItem(box, IDNO) != nullptr, yesNo)
          << c.text;
      PostMessageW(box, WM_COMMAND, c.press, 0);
    });
    const MessageAnswer answer = boxes.Show(c.text, c.icon, c.buttons);
    reader.join();
    ASSERT_TRUE(found);
    EXPECT_EQ(answer, c.answer);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
  }
  DestroyWindow(mainWindow);
}

}  // namespace
}  // namespace vexlow::win::testing
