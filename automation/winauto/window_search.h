// Finding top-level windows by caption and reading their child controls, from
// a process other than the one that owns them.
#ifndef TESTING_WINAUTO_WINDOW_SEARCH_H
#define TESTING_WINAUTO_WINDOW_SEARCH_H

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace winauto {

struct WindowQuery {
  std::wstring title;
  bool titleIsPrefix = false;  // match captions that begin with title
  std::wstring className;      // empty matches any class
  // A control of this id must be among the window's children: tells apart
  // windows that share a title, such as a dialog and its message boxes.
  std::optional<unsigned> controlId;
};

// Visible top-level windows in the system's enumeration order (topmost first).
std::vector<HWND> VisibleTopLevelWindows();
// The first visible top-level window that the query matches, or null.
HWND FindTopLevel(const WindowQuery& query);
// Every descendant control of a window, in enumeration order.
std::vector<HWND> ChildControls(HWND window);

std::wstring ClassNameOf(HWND window);
// The caption of a top-level window as the window manager keeps it.
std::wstring CaptionOf(HWND window);
// WM_GETTEXT across processes; empty when the owner does not answer in time.
std::wstring ControlTextOf(HWND control);

}  // namespace winauto

#endif  // TESTING_WINAUTO_WINDOW_SEARCH_H
