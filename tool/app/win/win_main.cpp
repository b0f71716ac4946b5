// Vexlow.exe: the update tool. The whole life of the program is start-up;
// there is no message loop beyond those of the modal dialogs.
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include "core/update_app.h"
#include "library_search.h"
#include "main_window.h"
#include "platform/win/win32_library_loader.h"
#include "progress_dialog.h"
#include "resource.h"
#include "tool/printers/special_tape.h"
#include "tool/transfer/port_binding.h"
#include "tool/transfer/printer_list_selection.h"
#include "tool/transfer/transfer_client.h"
#include "win32_message_boxes.h"
#include "win32_printer_list.h"
#include "win32_startup_services.h"
#include "win32_user_interface.h"

namespace {

// The resources may name the special-tape listing in string 10000.
constexpr unsigned kSpecialTapeString = 10000;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  // Before any other library is loaded, so that none comes from the current folder.
  vexlow::win::RestrictLibrarySearch();

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  platform::Win32LibraryLoader loader;
  vexlow::TransferClient transferClient(loader);
  vexlow::PortBinding portBinding(loader);
  vexlow::ApplicationTitle title;
  vexlow::win::MainWindow mainWindow;
  vexlow::win::Win32MessageBoxes messages(title, mainWindow);
  vexlow::win::Win32StringTable strings(instance);
  vexlow::win::Win32FilePresence files;
  vexlow::win::Win32ProfileReader profile;
  vexlow::win::Win32ProgramLocation location;
  vexlow::win::Win32TextCodec codec;

  vexlow::win::Win32PrinterList printers(
      loader, messages, transferClient, strings.Load(IDS_REGISTRY_KEY),
      vexlow::SpecialTapeSuffixFromResource(strings.Load(kSpecialTapeString)));
  vexlow::PrinterListSelection selection(vexlow::GetPrinterList());
  vexlow::win::Win32ProgressDialogRunner progressDialog(instance, title, mainWindow);
  vexlow::win::Win32UserInterface ui(
      {instance,
       strings,
       messages,
       mainWindow,
       portBinding,
       vexlow::GetPrinterList(),
       {transferClient, portBinding, selection, messages, strings, codec, progressDialog}});

  vexlow::UpdateApp app(
      {ui, messages, title, files, profile, strings, location, codec, transferClient, portBinding});
  app.StartUp();
  return app.ShutDown();
}
