#include "window_messages.h"

namespace winauto {
namespace {

// The virtual key of a key name; 0 for an unknown name.
WORD VirtualKeyOf(const std::wstring& key) {
  if (key == L"escape") {
    return VK_ESCAPE;
  }
  if (key == L"enter") {
    return VK_RETURN;
  }
  if (key == L"space") {
    return VK_SPACE;
  }
  return 0;
}

}  // namespace

bool PostSystemCommand(HWND window, unsigned command) {
  return PostMessageW(window, WM_SYSCOMMAND, command, 0) != FALSE;
}

bool PostKey(HWND window, const std::wstring& key) {
  const WPARAM code = VirtualKeyOf(key);
  if (code == 0) {
    return false;
  }
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(code), MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | static_cast<LPARAM>(scan) << 16;
  const LPARAM up = down | LPARAM{1} << 30 | LPARAM{1} << 31;
  return PostMessageW(window, WM_KEYDOWN, code, down) && PostMessageW(window, WM_KEYUP, code, up);
}

bool PressKey(const std::wstring& key) {
  const WORD code = VirtualKeyOf(key);
  if (code == 0) {
    return false;
  }
  INPUT inputs[2] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = code;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(code, MAPVK_VK_TO_VSC));
  }
  inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(2, inputs, sizeof(INPUT)) == 2;
}

}  // namespace winauto
