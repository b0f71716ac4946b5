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

    // The second thread checks the dialog while it is up; gtest takes failures from any thread.
    bool found = false;
    std::thread reader([&] {
      HWND window = FindSelectionDialog();
      if (window == nullptr) {
        return;
      }
      found = true;
      EXPECT_EQ(mainWindow.Get(), window) << c.name;
      EXPECT_EQ(port.IsBound(), c.portLibrary) << c.name;
      HMENU menu = GetSystemMenu(window, FALSE);
      const int count = GetMenuItemCount(menu);
      wchar_t text[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(count - 1), text, 64, MF_BYPOSITION);
      EXPECT_STREQ(text, L"&About...") << c.name;
      EXPECT_EQ(GetMenuItemID(menu, count - 1), 16u) << c.name;
      EXPECT_TRUE(GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR)
          << c.name;
      EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0) << c.name;
      EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_SMALL, 0), 0) << c.name;
      EXPECT_NE(SendMessageW(window, WM_QUERYDRAGICON, 0, 0), 0) << c.name;
      EXPECT_EQ(IsWindowEnabled(GetDlgItem(window, IDC_PRINTER_LIST)) != FALSE, c.listEnabled)
          << c.name;
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_UPDATE))) << c.name;
      EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_EXIT))) << c.name;
      PostMessageW(window, WM_COMMAND, IDC_EXIT, 0);
    });
    const INT_PTR result = dialog.RunModal();
    reader.join();

    ASSERT_TRUE(found);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(log, c.messages);
    EXPECT_FALSE(port.IsBound()) << "released with the window";
    EXPECT_EQ(mainWindow.Get(), nullptr);
  }
}

}  // namespace
}  // namespace vexlow::win::testing
