#include "window_search.h"

namespace winauto {
namespace {

// A program under test that stops answering must not hang the test.
constexpr UINT kMessageTimeoutMs = 3000;

BOOL CALLBACK CollectVisible(HWND window, LPARAM out) {
  if (IsWindowVisible(window)) {
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectAll(HWND window, LPARAM out) {
  reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
  return TRUE;
}

bool Matches(const WindowQuery& query, HWND window) {
  const std::wstring caption = CaptionOf(window);
  const bool titleMatches =
      query.titleIsPrefix ? caption.starts_with(query.title) : caption == query.title;
  return titleMatches && (query.className.empty() || ClassNameOf(window) == query.className) &&
         (!query.controlId || GetDlgItem(window, static_cast<int>(*query.controlId)) != nullptr);
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND FindTopLevel(const WindowQuery& query) {
  for (HWND window : VisibleTopLevelWindows()) {
    if (Matches(query, window)) {
      return window;
    }
  }
  return nullptr;
}

std::vector<HWND> ChildControls(HWND window) {
  std::vector<HWND> controls;
  EnumChildWindows(window, CollectAll, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? length : 0);
}

std::wstring CaptionOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) {
    return {};
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(copied > 0 ? copied : 0);
  return text;
}

std::wstring ControlTextOf(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                           &length) ||
      length == 0) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kMessageTimeoutMs, &copied)) {
    return {};
  }
  text.resize(copied < length ? copied : length);
  return text;
}

}  // namespace winauto
