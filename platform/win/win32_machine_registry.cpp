#include "platform/win/win32_machine_registry.h"

#include <windows.h>

namespace platform {

MachineRegistry::Key Win32MachineRegistry::OpenKey(const char* path) {
  if (path == nullptr) {
    return nullptr;
  }
  HKEY key = nullptr;
  // No KEY_WOW64_* flag: each build reads the view of its own bitness, so on
  // 64-bit Windows the 32-bit build finds what a 32-bit driver registered.
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

void Win32MachineRegistry::CloseKey(Key key) {
  if (key != nullptr) {
    RegCloseKey(static_cast<HKEY>(key));
  }
}

bool Win32MachineRegistry::EnumerateSubkey(Key key, uint32_t index, char* name, uint32_t capacity) {
  if (key == nullptr || name == nullptr || capacity == 0) {
    return false;
  }
  DWORD length = capacity;  // in characters, the terminating zero included
  if (RegEnumKeyExA(static_cast<HKEY>(key), index, name, &length, nullptr, nullptr, nullptr,
                    nullptr) != ERROR_SUCCESS) {
    name[0] = '\0';  // a name that did not fit leaves no part of itself behind
    return false;
  }
  return true;
}

bool Win32MachineRegistry::QueryValue(Key key, const char* valueName, void* buffer,
                                      uint32_t capacity, uint32_t* size) {
  if (key == nullptr || valueName == nullptr || size == nullptr ||
      (buffer == nullptr && capacity != 0)) {
    return false;
  }
  const auto hkey = static_cast<HKEY>(key);
  // Size first, so that a value longer than the buffer is refused unread.
  DWORD length = 0;
  if (RegQueryValueExA(hkey, valueName, nullptr, nullptr, nullptr, &length) != ERROR_SUCCESS ||
      length > capacity) {
    return false;
  }
  // The value may have changed since; the call never writes more than length
  // bytes and fails with ERROR_MORE_DATA when they do not suffice.
  length = capacity;
  if (RegQueryValueExA(hkey, valueName, nullptr, nullptr, static_cast<BYTE*>(buffer), &length) !=
          ERROR_SUCCESS ||
      length > capacity) {
    return false;
  }
  *size = length;
  return true;
}

}  // namespace platform
