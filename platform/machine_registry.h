// The registry seam: read-only access to keys and values under
// HKEY_LOCAL_MACHINE. The Windows adapter is RegOpenKeyExA (KEY_READ),
// RegEnumKeyExA, RegQueryValueExA and RegCloseKey, in the registry view of the
// program's own bitness.
#ifndef PLATFORM_MACHINE_REGISTRY_H
#define PLATFORM_MACHINE_REGISTRY_H

#include <cstdint>

namespace platform {

class MachineRegistry {
 public:
  using Key = void*;

  virtual ~MachineRegistry() = default;
  // Opens HKEY_LOCAL_MACHINE\path for reading; null when it cannot be opened.
  virtual Key OpenKey(const char* path) = 0;
  virtual void CloseKey(Key key) = 0;
  // The name of the subkey at `index` into name[capacity], zero-terminated.
  // False when the call fails: no such index, or a name that does not fit
  // (capacity counts the terminating zero).
  virtual bool EnumerateSubkey(Key key, uint32_t index, char* name, uint32_t capacity) = 0;
  // Reads value valueName of the key into buffer, whatever its registry type.
  // True when the whole value was read: *size is then its length in bytes,
  // never more than capacity. False when the value is missing, longer than
  // capacity, or a read fails. Nothing is ever written past buffer + capacity,
  // and a string value is not terminated unless the registry holds the zero.
  virtual bool QueryValue(Key key, const char* valueName, void* buffer, uint32_t capacity,
                          uint32_t* size) = 0;
};

// Opens HKEY_LOCAL_MACHINE\keyPath, reads one value as QueryValue does, and
// closes the key again.
inline bool ReadMachineValue(MachineRegistry& registry, const char* keyPath, const char* valueName,
                             void* buffer, uint32_t capacity, uint32_t* size) {
  MachineRegistry::Key key = registry.OpenKey(keyPath);
  if (key == nullptr) {
    return false;
  }
  const bool read = registry.QueryValue(key, valueName, buffer, capacity, size);
  registry.CloseKey(key);
  return read;
}

}  // namespace platform

#endif  // PLATFORM_MACHINE_REGISTRY_H
