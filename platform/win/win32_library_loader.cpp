#include "platform/win/win32_library_loader.h"

#include <windows.h>

namespace platform {

static_assert(kLoadWithAlteredSearchPath == LOAD_WITH_ALTERED_SEARCH_PATH);
static_assert(kLoadLibrarySearchDllLoadDir == LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR);
static_assert(kLoadLibrarySearchApplicationDir == LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
static_assert(kLoadLibrarySearchUserDirs == LOAD_LIBRARY_SEARCH_USER_DIRS);
static_assert(kLoadLibrarySearchSystem32 == LOAD_LIBRARY_SEARCH_SYSTEM32);
static_assert(kLoadLibrarySearchDefaultDirs == LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
static_assert(kErrorInvalidParameter == ERROR_INVALID_PARAMETER);
static_assert(kErrorModNotFound == ERROR_MOD_NOT_FOUND);

LibraryLoader::Handle Win32LibraryLoader::Load(const char* name) {
  if (name == nullptr || *name == '\0') {
    return nullptr;
  }
  return LoadLibraryA(name);
}

LibraryLoader::Handle Win32LibraryLoader::LoadWithFlags(const char* name, uint32_t flags,
                                                        uint32_t* error) {
  HMODULE library = LoadLibraryExA(name, nullptr, flags);
  if (library == nullptr && error != nullptr) {
    *error = GetLastError();
  }
  return library;
}

std::string Win32LibraryLoader::SystemFolder() {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::string() : std::string(folder, length);
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
