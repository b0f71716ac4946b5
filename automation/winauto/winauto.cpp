// winauto: drives the windows of another program from the command line, for
// GUI tests under Wine. See README.md for the commands and the output format.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "icon_kind.h"
#include "list_control.h"
#include "text_output.h"
#include "window_messages.h"
#include "window_search.h"

namespace winauto {
namespace {

constexpr DWORD kDefaultTimeoutMs = 10000;
constexpr DWORD kPollIntervalMs = 100;

enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

struct Options {
  std::wstring command;
  WindowQuery query;
  bool hasTitle = false;
  std::optional<unsigned> id;
  std::optional<std::wstring> text;
  DWORD timeoutMs = kDefaultTimeoutMs;
};

const wchar_t kUsageText[] =
    L"usage: winauto <command> [options]\n"
    L"  list                                   visible top-level windows with captions\n"
    L"  wait  WINDOW [--timeout-ms N]          until the window exists\n"
    L"  gone  WINDOW [--timeout-ms N]          until no such window exists\n"
    L"  texts WINDOW                           caption, icon and every control\n"
    L"  text  WINDOW --id N                    the text of one control\n"
    L"  click WINDOW (--id N | --text T)       presses a button\n"
    L"  items WINDOW --id N                    the entries of a combo box or list box\n"
    L"  select WINDOW --id N --text T          chooses the entry T of a combo or list box\n"
    L"  close WINDOW                           sends WM_CLOSE\n"
    L"  syscommand WINDOW --id N               posts system command N\n"
    L"  key   WINDOW --text escape|enter|space posts the key to the window\n"
    L"  press --text escape|enter|space        types the key on the keyboard\n"
    L"WINDOW: (--title T | --title-prefix T) [--class C] [--has-control N]";

bool ParseUnsigned(const wchar_t* text, unsigned long* value) {
  wchar_t* end = nullptr;
  *value = std::wcstoul(text, &end, 10);
  return *text != L'\0' && *end == L'\0';
}

std::optional<Options> ParseOptions(int argc, wchar_t** argv) {
  if (argc < 2) {
    return std::nullopt;
  }
  Options options;
  options.command = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (i + 1 >= argc) {
      PrintError(L"option " + name + L" needs a value");
      return std::nullopt;
    }
    const wchar_t* value = argv[++i];
    unsigned long number = 0;
    if (name == L"--title" || name == L"--title-prefix") {
      options.query.title = value;
      options.query.titleIsPrefix = name == L"--title-prefix";
      options.hasTitle = true;
    } else if (name == L"--class") {
      options.query.className = value;
    } else if (name == L"--has-control" && ParseUnsigned(value, &number)) {
      options.query.controlId = static_cast<unsigned>(number);
    } else if (name == L"--id" && ParseUnsigned(value, &number)) {
      options.id = static_cast<unsigned>(number);
    } else if (name == L"--text") {
      options.text = value;
    } else if (name == L"--timeout-ms" && ParseUnsigned(value, &number)) {
      options.timeoutMs = static_cast<DWORD>(number);
    } else {
      PrintError(L"bad option " + name + L" " + value);
      return std::nullopt;
    }
  }
  return options;
}

std::wstring Describe(const WindowQuery& query) {
  std::wstring text =
      (query.titleIsPrefix ? L"window whose title begins \"" : L"window titled \"") + query.title +
      L"\"";
  if (!query.className.empty()) {
    text += L" of class " + query.className;
  }
  if (query.controlId) {
    text += L" holding control " + std::to_wstring(*query.controlId);
  }
  return text;
}

// Polls until the window is there (or gone), or the time-out passes.
bool PollFor(const Options& options, bool wantPresent) {
  const ULONGLONG deadline = GetTickCount64() + options.timeoutMs;
  for (;;) {
    const bool present = FindTopLevel(options.query) != nullptr;
    if (present == wantPresent) {
      return true;
    }
    if (GetTickCount64() >= deadline) {
      return false;
    }
    Sleep(kPollIntervalMs);
  }
}

HWND FindOrReport(const Options& options) {
  HWND window = FindTopLevel(options.query);
  if (window == nullptr) {
    PrintError(L"no " + Describe(options.query));
  }
  return window;
}

// The control named by --id, or else by --text.
HWND FindControl(HWND window, const Options& options) {
  for (HWND control : ChildControls(window)) {
    if (options.id ? static_cast<unsigned>(GetDlgCtrlID(control)) == *options.id
                   : ControlTextOf(control) == *options.text) {
      return control;
    }
  }
  PrintError(options.id ? L"no control with id " + std::to_wstring(*options.id)
                        : L"no control with text \"" + *options.text + L"\"");
  return nullptr;
}

std::wstring StateOf(HWND control) {
  return std::wstring(IsWindowVisible(control) ? L"visible" : L"hidden") +
         (IsWindowEnabled(control) ? L",enabled" : L",disabled");
}

int List() {
  for (HWND window : VisibleTopLevelWindows()) {
    const std::wstring caption = CaptionOf(window);
    if (!caption.empty()) {
      PrintRecord({L"window", ClassNameOf(window), caption});
    }
  }
  return kOk;
}

int Texts(HWND window) {
  const std::wstring className = ClassNameOf(window);
  PrintRecord({L"window", className, CaptionOf(window)});
  if (className == L"#32770") {
    PrintRecord({L"icon", DetectIconKind(window)});
  }
  for (HWND control : ChildControls(window)) {
    PrintRecord({L"control", std::to_wstring(static_cast<unsigned>(GetDlgCtrlID(control))),
                 ClassNameOf(control), StateOf(control), ControlTextOf(control)});
  }
  return kOk;
}

int Click(HWND button) {
  if (!IsWindowEnabled(button) || !IsWindowVisible(button)) {
    PrintError(L"the control is " + StateOf(button) + L"; not pressed");
    return kFailed;
  }
  // Not SendMessage: a button that opens a modal box would block us until it closes.
  return SendNotifyMessageW(button, BM_CLICK, 0, 0) ? kOk : kFailed;
}

int Items(HWND list) {
  const std::optional<ListEntries> entries = ReadListEntries(list);
  if (!entries) {
    PrintError(L"the control is no combo box or list box, or does not answer");
    return kFailed;
  }
  for (size_t index = 0; index < entries->texts.size(); ++index) {
    const bool selected = static_cast<int>(index) == entries->selected;
    PrintRecord(
        {L"item", std::to_wstring(index), selected ? L"selected" : L"-", entries->texts[index]});
  }
  return kOk;
}

int Select(HWND list, const std::wstring& text) {
  const std::optional<ListEntries> entries = ReadListEntries(list);
  if (!entries) {
    PrintError(L"the control is no combo box or list box, or does not answer");
    return kFailed;
  }
  for (size_t index = 0; index < entries->texts.size(); ++index) {
    if (entries->texts[index] == text) {
      return SelectListEntry(list, static_cast<int>(index)) ? kOk : kFailed;
    }
  }
  PrintError(L"no entry \"" + text + L"\"");
  return kFailed;
}

// syscommand and key: they address the window itself, not one of its controls.
int RunWindowCommand(HWND window, const Options& options) {
  if (options.command == L"syscommand") {
    return PostSystemCommand(window, *options.id) ? kOk : kFailed;
  }
  if (PostKey(window, *options.text)) {
    return kOk;
  }
  PrintError(L"unknown key " + *options.text);
  return kFailed;
}

// What each command needs besides a window; null for an unknown command.
struct CommandNeeds {
  const wchar_t* name;
  bool window;
  bool id;        // --id required
  bool idOrText;  // --id or --text required
  bool text;      // --text required
};

const CommandNeeds kCommands[] = {
    {L"list", false, false, false, false}, {L"wait", true, false, false, false},
    {L"gone", true, false, false, false},  {L"texts", true, false, false, false},
    {L"text", true, true, false, false},   {L"click", true, false, true, false},
    {L"close", true, false, false, false}, {L"items", true, true, false, false},
    {L"select", true, true, false, true},  {L"syscommand", true, true, false, false},
    {L"key", true, false, false, true},    {L"press", false, false, false, true},
};

bool CheckNeeds(const Options& options) {
  for (const CommandNeeds& needs : kCommands) {
    if (options.command != needs.name) {
      continue;
    }
    std::wstring missing;
    if (needs.window && !options.hasTitle) {
      missing = L"--title or --title-prefix";
    } else if (needs.id && !options.id) {
      missing = L"--id";
    } else if (needs.idOrText && !options.id && !options.text) {
      missing = L"--id or --text";
    } else if (needs.text && !options.text) {
      missing = L"--text";
    }
    if (!missing.empty()) {
      PrintError(options.command + L" needs " + missing);
    }
    return missing.empty();
  }
  PrintError(L"unknown command " + options.command);
  return false;
}

int Run(const Options& options) {
  if (!CheckNeeds(options)) {
    return kUsage;
  }
  if (options.command == L"list") {
    return List();
  }
  if (options.command == L"press") {
    if (PressKey(*options.text)) {
      return kOk;
    }
    PrintError(L"cannot press " + *options.text);
    return kFailed;
  }
  if (options.command == L"wait" || options.command == L"gone") {
    const bool wantPresent = options.command == L"wait";
    if (PollFor(options, wantPresent)) {
      return kOk;
    }
    PrintError((wantPresent ? L"still no " : L"still there: a ") + Describe(options.query) +
               L" after " + std::to_wstring(options.timeoutMs) + L" ms");
    return kFailed;
  }
  HWND window = FindOrReport(options);
  if (window == nullptr) {
    return kFailed;
  }
  if (options.command == L"texts") {
    return Texts(window);
  }
  if (options.command == L"close") {
    return PostMessageW(window, WM_CLOSE, 0, 0) ? kOk : kFailed;
  }
  if (options.command == L"syscommand" || options.command == L"key") {
    return RunWindowCommand(window, options);
  }
  HWND control = FindControl(window, options);
  if (control == nullptr) {
    return kFailed;
  }
  if (options.command == L"click") {
    return Click(control);
  }
  if (options.command == L"items") {
    return Items(control);
  }
  if (options.command == L"select") {
    return Select(control, *options.text);
  }
  PrintRecord({ControlTextOf(control)});
  return kOk;
}

}  // namespace
}  // namespace winauto

int wmain(int argc, wchar_t** argv) {
  // Line feeds stay line feeds, and UTF-8 passes unchanged.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const std::optional<winauto::Options> options = winauto::ParseOptions(argc, argv);
  if (!options) {
    winauto::PrintError(winauto::kUsageText);
    return winauto::kUsage;
  }
  return winauto::Run(*options);
}
