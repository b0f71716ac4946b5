#include "platform/win/library_search.h"

#include <windows.h>

namespace platform {

bool RestrictLibrarySearch() {
  // Looked up at run time: Windows 7 has the function only with a later update,
  // and a static import of it would keep the program from starting there.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto setDefault =
      kernel == nullptr ? nullptr
                        : reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(
                              GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) {
    return true;
  }
  return SetDllDirectoryW(L"") != FALSE;
}

}  // namespace platform
