// The registry seam of the supported-printer check: read-only access to values
// under HKEY_LOCAL_MACHINE. The Windows adapter is RegOpenKeyExA (KEY_READ) and
// RegQueryValueExA, first for the size and then for the bytes.
#ifndef TRANSFER_SUPPORT_MACHINE_REGISTRY_H
#define TRANSFER_SUPPORT_MACHINE_REGISTRY_H

#include <cstdint>

namespace ostrand {

class MachineRegistry {
 public:
  virtual ~MachineRegistry() = default;
  // Reads value valueName of key HKEY_LOCAL_MACHINE\keyPath into buffer, whatever
  // its registry type. True when the whole value was read: *size is then its
  // length in bytes, never more than capacity. False when the key or the value
  // is missing, the value is longer than capacity, or a read fails. Nothing is
  // ever written past buffer + capacity.
  virtual bool ReadValue(const char* keyPath, const char* valueName, void* buffer,
                         uint32_t capacity, uint32_t* size) = 0;
};

}  // namespace ostrand

#endif  // TRANSFER_SUPPORT_MACHINE_REGISTRY_H
