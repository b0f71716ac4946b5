#include "printer_select_dialog.h"

#include <vector>

#include "about_dialog.h"
#include "core/printer_preselection.h"
#include "resource.h"
#include "wide_text.h"

namespace vexlow::win {

namespace {

// The About item of the system menu. Every command from 16 to 31 opens the
// About box: the system keeps the low four bits of a command for itself.
constexpr UINT kAboutCommand = 16;
constexpr UINT kSystemCommandMask = 0xFFF0;

HICON LoadAppIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_SHARED));
}

std::wstring ListEntry(HWND list, LRESULT index) {
  const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) {
    return {};
  }
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

}  // namespace

PrinterSelectDialog::PrinterSelectDialog(const PrinterSelectServices& services,
                                         PrinterSelectSettings settings)
    : ModalDialog(services.instance, IDD_PRINTER_SELECT, nullptr),
      services_(services),
      driverName_(settings.driverName),
      run_(services.update, std::move(settings)),
      icon_(LoadAppIcon(services.instance, SM_CXICON, SM_CYICON)),
      smallIcon_(LoadAppIcon(services.instance, SM_CXSMICON, SM_CYSMICON)) {}

BOOL PrinterSelectDialog::OnInitDialog() {
  services_.mainWindow.Set(Window());

  const std::string about = services_.strings.Load(IDS_ABOUT_MENU);
  HMENU systemMenu = GetSystemMenu(Window(), FALSE);
  if (systemMenu != nullptr && !about.empty()) {
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, kAboutCommand, Utf8ToWide(about).c_str());
  }
  SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));

  if (!services_.port.BindPortLibrary()) {
    // Without the port library an update could not switch the printer's
    // mode: Update stays disabled, the list empty, the caption the template's.
    EnableWindow(GetDlgItem(Window(), IDC_UPDATE), FALSE);
    return FALSE;
  }
  FillPrinterList();
  SetWindowTextW(Window(), Utf8ToWide(services_.strings.Load(IDS_APP_TITLE)).c_str());
  return TRUE;
}

void PrinterSelectDialog::FillPrinterList() {
  PrinterList& printers = services_.printers;
  printers.AddPrintersWithDriver(driverName_);
  HWND list = GetDlgItem(Window(), IDC_PRINTER_LIST);
  if (printers.GetCount() <= 0) {
    services_.messages.Show(services_.strings.Load(IDS_NO_COMPATIBLE_PRINTER),
                            platform::MessageIcon::Stop, platform::MessageButtons::Ok);
    EnableWindow(list, FALSE);
    EnableWindow(GetDlgItem(Window(), IDC_UPDATE), FALSE);
    return;
  }
  for (PrinterList::Position at = printers.GetHeadPosition(); at != PrinterList::kEnd;) {
    if (const PrinterInfo* info = printers.GetNext(at)) {
      SendMessageW(
          list, CB_ADDSTRING, 0,
          reinterpret_cast<LPARAM>(AnsiToWide(printers.GetPrinterDisplayName(*info)).c_str()));
    }
  }
  PreselectPrinter();
}

void PrinterSelectDialog::PreselectPrinter() {
  HWND list = GetDlgItem(Window(), IDC_PRINTER_LIST);
  std::vector<std::string> entries;
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    entries.push_back(WideToUtf8(ListEntry(list, i)));
  }
  const int index = ChoosePreselectedPrinter(entries, AnsiToUtf8(run_.SelectedPrinter()),
                                             AnsiToUtf8(driverName_));
  if (index >= 0) {
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

std::string PrinterSelectDialog::GetSelectedPrinterName() const {
  HWND list = GetDlgItem(Window(), IDC_PRINTER_LIST);
  const LRESULT selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? std::string() : WideToAnsi(ListEntry(list, selected));
}

bool PrinterSelectDialog::OnCommand(WORD id) {
  switch (id) {
    case IDC_UPDATE:
      OnUpdate();
      return true;
    case IDC_EXIT:
    case IDCANCEL:
      EndDialog(IDCANCEL);
      return true;
    case IDOK:
      // Only Update, Exit, Escape and the close box act here.
      return true;
    default:
      return false;
  }
}

void PrinterSelectDialog::OnUpdate() {
  if (run_.OnUpdate(GetSelectedPrinterName()) == UpdateResult::Completed) {
    // The update completed: the program ends with this dialog.
    EndDialog(IDCANCEL);
  }
}

INT_PTR PrinterSelectDialog::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & kSystemCommandMask) == kAboutCommand) {
        AboutDialog(Instance(), Window(), services_.strings, kVersion).RunModal();
        return TRUE;
      }
      return FALSE;
    case WM_PAINT:
      if (IsIconic(Window())) {
        PaintMinimised();
        return TRUE;
      }
      return FALSE;
    case WM_QUERYDRAGICON:
      // Answered as the result itself, not through DWLP_MSGRESULT.
      return reinterpret_cast<INT_PTR>(icon_);
    case WM_DESTROY:
      services_.port.UnbindPortLibrary();
      services_.mainWindow.Set(nullptr);
      return FALSE;
    default:
      return FALSE;
  }
}

void PrinterSelectDialog::PaintMinimised() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Window(), &paint);
  SendMessageW(Window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT client;
  GetClientRect(Window(), &client);
  const int left = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int top = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, left, top, icon_);
  EndPaint(Window(), &paint);
}

}  // namespace vexlow::win
