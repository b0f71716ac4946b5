// The loader seam: load a library by name, or with LoadLibraryExA's flags,
// resolve exports by name, free it. The Windows adapter is LoadLibraryA,
// LoadLibraryExA, GetSystemDirectoryA, GetProcAddress and FreeLibrary.
#ifndef PLATFORM_LIBRARY_LOADER_H
#define PLATFORM_LIBRARY_LOADER_H

#include <cstdint>
#include <string>

namespace platform {

// LoadLibraryExA's flags, with the values of the Windows headers.
inline constexpr uint32_t kLoadWithAlteredSearchPath = 0x00000008;
inline constexpr uint32_t kLoadLibrarySearchDllLoadDir = 0x00000100;
inline constexpr uint32_t kLoadLibrarySearchApplicationDir = 0x00000200;
inline constexpr uint32_t kLoadLibrarySearchUserDirs = 0x00000400;
inline constexpr uint32_t kLoadLibrarySearchSystem32 = 0x00000800;
inline constexpr uint32_t kLoadLibrarySearchDefaultDirs = 0x00001000;
inline constexpr uint32_t kLoadLibrarySearchFlags =
    kLoadLibrarySearchDllLoadDir | kLoadLibrarySearchApplicationDir | kLoadLibrarySearchUserDirs |
    kLoadLibrarySearchSystem32 | kLoadLibrarySearchDefaultDirs;

// The loader's answers that callers tell apart (GetLastError).
inline constexpr uint32_t kErrorInvalidParameter = 87;
inline constexpr uint32_t kErrorModNotFound = 126;

class LibraryLoader {
 public:
  using Handle = void*;
  using Symbol = void (*)();

  virtual ~LibraryLoader() = default;
  // Null when the library cannot be loaded.
  virtual Handle Load(const char* name) = 0;
  // LoadLibraryExA with these flags; on failure null, and the system's error
  // code in *error.
  virtual Handle LoadWithFlags(const char* name, uint32_t flags, uint32_t* error) = 0;
  // The system folder without a trailing separator; empty when unknown.
  virtual std::string SystemFolder() = 0;
  // Null when the library has no export of that name.
  virtual Symbol Resolve(Handle library, const char* name) = 0;
  virtual void Free(Handle library) = 0;
};

}  // namespace platform

#endif  // PLATFORM_LIBRARY_LOADER_H
