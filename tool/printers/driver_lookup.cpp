// The driver's registration and its information library.
#include <cstring>
#include <string>

#include "platform/registered_library.h"
#include "tool/printers/classification.h"
#include "tool/printers/information_library.h"

namespace vexlow {
namespace {

using platform::MachineRegistry;

constexpr std::size_t kSubkeyNameSize = 144;
constexpr uint32_t kMaxSoftwareSubkeys = 3000;
constexpr uint32_t kMaxDriverSubkeys = 300;
constexpr char kInfoDllValue[] = "Info Dll";

// A registry key that is closed on every way out.
class OpenedKey {
 public:
  OpenedKey(MachineRegistry& registry, const std::string& path)
      : registry_(registry), key_(registry.OpenKey(path.c_str())) {}
  ~OpenedKey() {
    if (key_ != nullptr) {
      registry_.CloseKey(key_);
    }
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;

  MachineRegistry::Key Get() const { return key_; }

 private:
  MachineRegistry& registry_;
  MachineRegistry::Key key_;
};

enum class Search { kFound, kNotFound, kFailed };

// Looks for a subkey of exactly that name among the first `limit`. A failing
// enumeration (the end of the subkeys, or a name too long for the buffer) or
// an empty name ends the search as failed.
Search FindSubkey(MachineRegistry& registry, const OpenedKey& key, const char* name,
                  uint32_t limit) {
  char subkey[kSubkeyNameSize];
  for (uint32_t index = 0; index < limit; ++index) {
    if (!registry.EnumerateSubkey(key.Get(), index, subkey, sizeof(subkey))) {
      return Search::kFailed;
    }
    subkey[kSubkeyNameSize - 1] = '\0';
    if (subkey[0] == '\0') {
      return Search::kFailed;
    }
    if (std::strcmp(subkey, name) == 0) {
      return Search::kFound;
    }
  }
  return Search::kNotFound;
}

// Reads "Info Dll" into path[size]. The registry does not promise a string's
// terminating zero: one is added when there is room, and a value that fills
// the buffer without one counts as absent.
bool ReadLibraryPath(MachineRegistry& registry, const OpenedKey& key, char* path,
                     std::size_t size) {
  const uint32_t capacity = size > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(size);
  uint32_t read = 0;
  if (!registry.QueryValue(key.Get(), kInfoDllValue, path, capacity, &read) || read > capacity) {
    path[0] = '\0';
    return false;
  }
  if (std::memchr(path, '\0', read) == nullptr) {
    if (read == capacity) {
      path[0] = '\0';
      return false;
    }
    path[read] = '\0';
  }
  return true;
}

}  // namespace

DriverClass LookUpDriver(PrinterEnvironment& environment, const char* driverName, char* path,
                         std::size_t size) {
  if (path == nullptr || size == 0) {
    return kDriverNotSupported;
  }
  path[0] = '\0';
  if (driverName == nullptr || IsExcludedName(driverName)) {
    return kDriverNotSupported;
  }
  MachineRegistry& registry = environment.registry;
  const std::string& company = environment.companyKey;
  {
    const OpenedKey software(registry, "SOFTWARE");
    // The company's key is looked for, but its absence among the first 3000
    // does not end the lookup: opening the driver root decides.
    if (software.Get() == nullptr ||
        FindSubkey(registry, software, company.c_str(), kMaxSoftwareSubkeys) == Search::kFailed) {
      return kDriverNotSupported;
    }
  }
  const std::string driverRoot = "SOFTWARE\\" + company + "\\Skorvin\\Driver\\3.0";
  {
    const OpenedKey root(registry, driverRoot);
    if (root.Get() == nullptr ||
        FindSubkey(registry, root, driverName, kMaxDriverSubkeys) != Search::kFound) {
      return kDriverNotSupported;
    }
  }
  {
    const OpenedKey driver(registry, driverRoot + "\\" + driverName);
    if (driver.Get() == nullptr || !ReadLibraryPath(registry, driver, path, size)) {
      return kDriverNotSupported;
    }
  }
  return ProbeSpecialTape(environment, driverName, path) ? kDriverSpecialTape : kDriverRegistered;
}

bool ProbeSpecialTape(PrinterEnvironment& environment, const char* driverName, const char* path) {
  platform::LibraryLoader& loader = environment.loader;
  const platform::LibraryLoader::Handle library = platform::LoadRegisteredLibrary(loader, path);
  if (library == nullptr) {
    return false;
  }
  const auto query =
      reinterpret_cast<MyDeviceCapabilitiesFn>(loader.Resolve(library, INFO_LIBRARY_EXPORT));
  int32_t features = 0;
  if (query != nullptr) {
    features = query(driverName, "", INFO_FEATURE_FLAGS, nullptr, nullptr);
    if (features == -1) {
      features = 0;
    }
  }
  loader.Free(library);
  return (static_cast<uint32_t>(features) & INFO_FEATURE_SPECIAL_TAPE) != 0;
}

}  // namespace vexlow
