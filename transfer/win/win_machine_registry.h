// The registry seam over RegOpenKeyExA and RegQueryValueExA, HKEY_LOCAL_MACHINE.
#ifndef TRANSFER_WIN_WIN_MACHINE_REGISTRY_H
#define TRANSFER_WIN_WIN_MACHINE_REGISTRY_H

#include "transfer/support/machine_registry.h"

namespace ostrand {

class WinMachineRegistry : public MachineRegistry {
 public:
  bool ReadValue(const char* keyPath, const char* valueName, void* buffer, uint32_t capacity,
                 uint32_t* size) override;
};

}  // namespace ostrand

#endif  // TRANSFER_WIN_WIN_MACHINE_REGISTRY_H
