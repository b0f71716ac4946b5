#include "tool/printers/win/win32_system_version.h"

#include <windows.h>

namespace vexlow {

// The plain record, not OSVERSIONINFOEXA: the printer model asks only for the
// version and the platform.
static_assert(sizeof(OSVERSIONINFOA) == 148);

bool Win32SystemVersion::Query(uint32_t* major, uint32_t* minor, uint32_t* platformId) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) {
    return false;
  }
  *major = info.dwMajorVersion;
  *minor = info.dwMinorVersion;
  *platformId = info.dwPlatformId;
  return true;
}

}  // namespace vexlow
