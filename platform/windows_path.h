// Windows path rules that the portable code needs.
#ifndef PLATFORM_WINDOWS_PATH_H
#define PLATFORM_WINDOWS_PATH_H

namespace platform {

// True for "C:\..." (or "C:/...") and for a UNC path "\\server\...". A
// drive-relative "C:name" or a rooted "\name" depends on the current drive or
// directory, so it is not absolute.
inline bool IsAbsoluteWindowsPath(const char* path) {
  if (path == nullptr) {
    return false;
  }
  const auto isSeparator = [](char c) { return c == '\\' || c == '/'; };
  const bool driveLetter = (path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z');
  if (driveLetter && path[1] == ':' && isSeparator(path[2])) {
    return true;
  }
  return isSeparator(path[0]) && isSeparator(path[1]) && path[2] != '\0';
}

// True for a file name without any folder or drive: "name.dll".
inline bool IsBareFileName(const char* name) {
  if (name == nullptr || *name == '\0') {
    return false;
  }
  for (; *name != '\0'; ++name) {
    if (*name == '\\' || *name == '/' || *name == ':') {
      return false;
    }
  }
  return true;
}

}  // namespace platform

#endif  // PLATFORM_WINDOWS_PATH_H
