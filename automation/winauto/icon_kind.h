// Which of the system's message box icons a dialog shows.
#ifndef TESTING_WINAUTO_ICON_KIND_H
#define TESTING_WINAUTO_ICON_KIND_H

#include <windows.h>

namespace winauto {

// "stop", "exclamation", "information", "question", "none" (no visible icon
// static, or one without an icon) or "unknown" (an icon that is none of the four).
const wchar_t* DetectIconKind(HWND dialog);

}  // namespace winauto

#endif  // TESTING_WINAUTO_ICON_KIND_H
