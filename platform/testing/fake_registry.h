// A registry of made-up keys under HKEY_LOCAL_MACHINE, as RegOpenKeyEx,
// RegEnumKeyEx and RegQueryValueEx answer; it counts the keys left open.
#ifndef PLATFORM_TESTING_FAKE_REGISTRY_H
#define PLATFORM_TESTING_FAKE_REGISTRY_H

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/machine_registry.h"

namespace platform::testing {

// A key is the address of its path in the map of keys.
struct FakeRegistry : MachineRegistry {
  std::map<std::string, std::vector<std::string>> subkeys;  // every key, with its subkeys
  std::map<std::string, std::map<std::string, std::vector<uint8_t>>> values;
  int openKeys = 0;

  Key OpenKey(const char* path) override {
    const auto found = subkeys.find(path);
    openKeys += found != subkeys.end();
    return found == subkeys.end() ? nullptr : const_cast<std::string*>(&found->first);
  }
  void CloseKey(Key) override { --openKeys; }
  bool EnumerateSubkey(Key key, uint32_t index, char* name, uint32_t capacity) override {
    const std::vector<std::string>& names = subkeys[*static_cast<std::string*>(key)];
    if (index >= names.size() || names[index].size() >= capacity) {
      return false;
    }
    std::memcpy(name, names[index].c_str(), names[index].size() + 1);
    return true;
  }
  bool QueryValue(Key key, const char* valueName, void* buffer, uint32_t capacity,
                  uint32_t* size) override {
    const auto& keyValues = values[*static_cast<std::string*>(key)];
    const auto found = keyValues.find(valueName);
    if (found == keyValues.end()) {
      return false;
    }
    if (found->second.size() > capacity) {
      std::memset(buffer, '?', capacity);  // too small: its contents are undefined
      return false;
    }
    std::copy(found->second.begin(), found->second.end(), static_cast<uint8_t*>(buffer));
    *size = static_cast<uint32_t>(found->second.size());
    return true;
  }
};

}  // namespace platform::testing

#endif  // PLATFORM_TESTING_FAKE_REGISTRY_H
