// The loader seam over the Windows loader: LoadLibraryA, LoadLibraryExA,
// GetSystemDirectoryA, GetProcAddress and FreeLibrary. Names are found by the
// system's library search as the process has set it up.
#ifndef PLATFORM_WIN_WIN32_LIBRARY_LOADER_H
#define PLATFORM_WIN_WIN32_LIBRARY_LOADER_H

#include "platform/library_loader.h"

namespace platform {

class Win32LibraryLoader : public LibraryLoader {
 public:
  Handle Load(const char* name) override;
  Handle LoadWithFlags(const char* name, uint32_t flags, uint32_t* error) override;
  std::string SystemFolder() override;
  Symbol Resolve(Handle library, const char* name) override;
  void Free(Handle library) override;
};

}  // namespace platform

#endif  // PLATFORM_WIN_WIN32_LIBRARY_LOADER_H
