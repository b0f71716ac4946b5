#include "window_messages.h"

namespace winauto {

bool PostSystemCommand(HWND window, unsigned command) {
  return PostMessageW(window, WM_SYSCOMMAND, command, 0) != FALSE;
}

bool PostKey(HWND window, const std::wstring& key) {
  WPARAM code = 0;
  if (key == L"escape") {
    code = VK_ESCAPE;
  } else if (key == L"enter") {
    code = VK_RETURN;
  } else {
    return false;
  }
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(code), MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | static_cast<LPARAM>(scan) << 16;
  const LPARAM up = down | LPARAM{1} << 30 | LPARAM{1} << 31;
  return PostMessageW(window, WM_KEYDOWN, code, down) && PostMessageW(window, WM_KEYUP, code, up);
}

}  // namespace winauto
