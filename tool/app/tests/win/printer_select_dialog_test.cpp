// The printer-selection dialog in this process, with no printer of its driver
// in the system: what its initialisation sets up (system menu item, icons,
// the port library bound while it exists, the main window) and what it does
// when there is no printer, or no port library. A second thread reads the
// dialog and presses Exit.
#include "win/printer_select_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/win/win32_library_loader.h"
#include "resource.h"
#include "tool/transfer/printer_list_selection.h"
#include "tool/transfer/tests/fake_libraries.h"
#include "tool/transfer/tests/fake_message_boxes.h"
#include "win/progress_dialog.h"
#include "win/win32_printer_list.h"
#include "win/win32_startup_services.h"

namespace vexlow::win::testing {
namespace {

using vexlow::testing::FakeMessageBoxes;
using vexlow::testing::HobrelExports;

// What the second thread saw while the dialog was up.
struct Seen {
  HWND dialog = nullptr;
  bool mainWindow = false;
  bool portBound = false;
  std::wstring lastMenuText;
  UINT lastMenuId = 0;
  bool separatorBeforeIt = false;
  bool icons = false;
  bool listEnabled = false;
  bool updateEnabled = false;
  bool exitEnabled = false;
};

// The dialog of this process (it shows the template's caption or string 3000,
// the same text).
HWND FindSelectionDialog() {
  for (int i = 0; i < 400; ++i) {
    if (HWND found = FindWindowW(L"#32770", L"Glinterra Update Tool"); IsWindowVisible(found)) {
      return found;
    }
    Sleep(25);
  }
  return nullptr;
}

TEST(PrinterSelectDialogTest, SetsUpTheMainWindowAndEndsWithoutPrinters) {
  struct Case {
    const char* name;
    bool portLibrary;
    std::vector<std::string> messages;
    bool listEnabled;
  };
  const Case cases[] = {
      {"no printer of the driver",
       true,
       {"message: A compatible printer cannot be found.\n\nFor updating, the printer drivers must "
        "be installed. [stop, OK]"},
       false},
      // Without the port library nothing is listed and Update stays disabled.
      {"no port library", false, {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    platform::testing::FakeLibraryLoader fakeLoader;
    if (c.portLibrary) {
      fakeLoader.Provide("hobrel.dll", HobrelExports());
    }
    platform::Win32LibraryLoader loader;
    TransferClient client(fakeLoader);
    PortBinding port(fakeLoader);
    std::vector<std::string> log;
    const std::string caption = "Glinterra Update Tool";
    FakeMessageBoxes messages(log, caption);
    Win32StringTable strings(instance);
    Win32TextCodec codec;
    ApplicationTitle title;
    MainWindow mainWindow;
    Win32PrinterList printers(loader, messages, client, "Quorbel Industries, Ltd.",
                              "(Special Tape)");
    PrinterListSelection selection(printers.List());
    Win32ProgressDialogRunner progress(instance, title, mainWindow);
    PrinterSelectDialog dialog({instance,
                                strings,
                                messages,
                                mainWindow,
                                port,
                                printers.List(),
                                {client, port, selection, messages, strings, codec, progress}},
                               {"2.10", "No Such Driver", "update.kx7", "C:\\update.kx7"});

    Seen seen;
    std::thread reader([&] {
      HWND window = FindSelectionDialog();
      if (window == nullptr) {
        return;
      }
      seen.dialog = window;
      seen.mainWindow = mainWindow.Get() == window;
      seen.portBound = port.IsBound();
      HMENU menu = GetSystemMenu(window, FALSE);
      const int count = GetMenuItemCount(menu);
      wchar_t text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(count - 1), text, 64, MF_BYPOSITION);
      seen.lastMenuText = text;
      seen.lastMenuId = GetMenuItemID(menu, count - 1);
      seen.separatorBeforeIt =
          (GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR) != 0;
      seen.icons = SendMessageW(window, WM_GETICON, ICON_BIG, 0) != 0 &&
                   SendMessageW(window, WM_GETICON, ICON_SMALL, 0) != 0 &&
                   SendMessageW(window, WM_QUERYDRAGICON, 0, 0) != 0;
      seen.listEnabled = IsWindowEnabled(GetDlgItem(window, IDC_PRINTER_LIST));
      seen.updateEnabled = IsWindowEnabled(GetDlgItem(window, IDC_UPDATE));
      seen.exitEnabled = IsWindowEnabled(GetDlgItem(window, IDC_EXIT));
      PostMessageW(window, WM_COMMAND, IDC_EXIT, 0);
    });
    const INT_PTR result = dialog.RunModal();
    reader.join();

    ASSERT_NE(seen.dialog, nullptr);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(log, c.messages);
    EXPECT_TRUE(seen.mainWindow);
    EXPECT_EQ(seen.portBound, c.portLibrary);
    EXPECT_EQ(seen.lastMenuText, L"&About...");
    EXPECT_EQ(seen.lastMenuId, 16u);
    EXPECT_TRUE(seen.separatorBeforeIt);
    EXPECT_TRUE(seen.icons);
    EXPECT_EQ(seen.listEnabled, c.listEnabled);
    EXPECT_FALSE(seen.updateEnabled);
    EXPECT_TRUE(seen.exitEnabled);
    EXPECT_FALSE(port.IsBound()) << "released with the window";
    EXPECT_EQ(mainWindow.Get(), nullptr);
  }
}

}  // namespace
}  // namespace vexlow::win::testing
