#include "platform/win/win32_library_loader.h"

#include <windows.h>

#include "platform/windows_path.h"

namespace platform {

LibraryLoader::Handle Win32LibraryLoader::Load(const char* name) {
  if (name == nullptr || *name == '\0') {
    return nullptr;
  }
  return LoadLibraryA(name);
}

LibraryLoader::Handle Win32LibraryLoader::LoadFromFullPath(const char* path) {
  if (path == nullptr || !IsAbsoluteWindowsPath(path)) {
    return nullptr;
  }
  // The process restricts the search for names to the system folders; a
  // library loaded by path still needs the libraries that lie beside it.
  return LoadLibraryExA(path, nullptr,
                        LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
}

LibraryLoader::Symbol Win32LibraryLoader::Resolve(Handle library, const char* name) {
  if (library == nullptr || name == nullptr) {
    return nullptr;
  }
  // FARPROC and Symbol are both plain function pointers; the caller casts to
  // the export's real type.
  return reinterpret_cast<Symbol>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void Win32LibraryLoader::Free(Handle library) {
  if (library != nullptr) {
    FreeLibrary(static_cast<HMODULE>(library));
  }
}

}  // namespace platform
