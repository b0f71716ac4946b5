// Loading a library that a registration names, such as a printer driver's
// information library.
#ifndef PLATFORM_REGISTERED_LIBRARY_H
#define PLATFORM_REGISTERED_LIBRARY_H

#include <string>

#include "platform/library_loader.h"
#include "platform/windows_path.h"

namespace platform {

// A full path loads that file, its own dependencies found beside it and in
// the system folders. A bare file name loads from the system folder alone,
// where drivers install their libraries: neither the current folder nor the
// program's folder (a download folder, often) can put a library in its
// place. Any other name depends on the current folder and is refused (null),
// as is a library that cannot be loaded.
inline LibraryLoader::Handle LoadRegisteredLibrary(LibraryLoader& loader, const char* pathOrName) {
  const bool bare = IsBareFileName(pathOrName);
  if (!bare && !IsAbsoluteWindowsPath(pathOrName)) {
    return nullptr;
  }
  uint32_t error = 0;
  LibraryLoader::Handle library =
      loader.LoadWithFlags(pathOrName,
                           bare ? kLoadLibrarySearchSystem32
                                : kLoadLibrarySearchDllLoadDir | kLoadLibrarySearchDefaultDirs,
                           &error);
  if (library != nullptr || error != kErrorInvalidParameter) {
    return library;
  }
  // Windows 7 and Vista without update KB2533623 refuse the search flags.
  // The same file by its full path then, its dependencies looked for beside
  // it first; the process has already dropped the current folder from that
  // search where it could.
  std::string path = pathOrName;
  if (bare) {
    const std::string folder = loader.SystemFolder();
    if (folder.empty()) {
      return nullptr;
    }
    path = folder + "\\" + path;
  }
  return loader.LoadWithFlags(path.c_str(), kLoadWithAlteredSearchPath, &error);
}

}  // namespace platform

#endif  // PLATFORM_REGISTERED_LIBRARY_H
