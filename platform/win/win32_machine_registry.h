// The registry seam over RegOpenKeyExA (KEY_READ), RegEnumKeyExA,
// RegQueryValueExA and RegCloseKey, under HKEY_LOCAL_MACHINE.
#ifndef PLATFORM_WIN_WIN32_MACHINE_REGISTRY_H
#define PLATFORM_WIN_WIN32_MACHINE_REGISTRY_H

#include "platform/machine_registry.h"

namespace platform {

class Win32MachineRegistry : public MachineRegistry {
 public:
  Key OpenKey(const char* path) override;
  void CloseKey(Key key) override;
  bool EnumerateSubkey(Key key, uint32_t index, char* name, uint32_t capacity) override;
  bool QueryValue(Key key, const char* valueName, void* buffer, uint32_t capacity,
                  uint32_t* size) override;
};

}  // namespace platform

#endif  // PLATFORM_WIN_WIN32_MACHINE_REGISTRY_H
