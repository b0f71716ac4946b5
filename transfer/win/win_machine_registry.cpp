#include "transfer/win/win_machine_registry.h"

#include <windows.h>

namespace ostrand {

bool WinMachineRegistry::ReadValue(const char* keyPath, const char* valueName, void* buffer,
                                   uint32_t capacity, uint32_t* size) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  // Size first, so that a value longer than the buffer is refused unread.
  DWORD length = 0;
  bool read =
      RegQueryValueExA(key, valueName, nullptr, nullptr, nullptr, &length) == ERROR_SUCCESS &&
      length <= capacity;
  if (read) {
    // The value may have grown since; the call then fails rather than overrun.
    read = RegQueryValueExA(key, valueName, nullptr, nullptr, static_cast<BYTE*>(buffer),
                            &length) == ERROR_SUCCESS &&
           length <= capacity;
  }
  RegCloseKey(key);
  if (read) {
    *size = length;
  }
  return read;
}

}  // namespace ostrand
