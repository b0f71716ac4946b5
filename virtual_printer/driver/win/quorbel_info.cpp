// quorbel_info.dll, the information library of the virtual printer's driver
// "Quorbel ZN-418", for tests and demonstrations. It answers from the file
// that VEXLOW_DRIVER_INFO names, else from quorbel_info.ini beside it, else
// from its defaults; without a model line it gives the model of the virtual
// printer that VEXLOW_VIRTUAL_PRINTER configures, so the update matches it.
// A configuration that cannot be read is reported once on stderr, and the
// library then answers no index at all.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <type_traits>

#include "tool/printers/information_library.h"
#include "virtual_printer/core/config_parser.h"
#include "virtual_printer/core/ini_text.h"
#include "virtual_printer/driver/core/driver_capabilities.h"
#include "virtual_printer/driver/core/driver_info_config.h"

namespace {

// Read through Win32, which sees changes a host made with SetEnvironmentVariable.
std::string EnvironmentValue(const char* name) {
  char value[1024] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length < sizeof value ? std::string(value, length) : std::string();
}

// quorbel_info.ini in this library's own folder.
std::string IniBesideLibrary() {
  HMODULE self = nullptr;
  char path[MAX_PATH] = {};
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<const char*>(&IniBesideLibrary), &self) ||
      GetModuleFileNameA(self, path, sizeof path) >= sizeof path - 1) {
    return {};
  }
  std::string ini(path);
  ini.erase(ini.find_last_of("\\/") + 1);
  return ini + "quorbel_info.ini";
}

std::optional<vp::DriverInfoConfig> LoadConfig(std::string* error) {
  vp::DriverInfoConfig config;
  std::string path = EnvironmentValue(vp::kDriverInfoEnvironmentVariable);
  if (path.empty() && GetFileAttributesA(IniBesideLibrary().c_str()) != INVALID_FILE_ATTRIBUTES) {
    path = IniBesideLibrary();
  }
  std::string text;
  if (!path.empty() && !vp::ReadTextFile(path, &text)) {
    *error = path + ": cannot be opened";
    return std::nullopt;
  }
  if (!vp::ParseDriverInfoConfig(text, &config, error)) {
    *error = path + ": " + *error;
    return std::nullopt;
  }
  if (!config.modelId) {
    vp::PrinterConfig printer;
    const std::string printerPath = EnvironmentValue(vp::kConfigEnvironmentVariable);
    if (!printerPath.empty() && !vp::LoadPrinterConfigFile(printerPath, &printer, error)) {
      return std::nullopt;
    }
    config.modelId = printer.modelId;
  }
  return config;
}

// Made on first use, not in DllMain: reading files under the loader lock is unsafe.
const std::optional<vp::DriverInfoConfig>& Config() {
  static const std::optional<vp::DriverInfoConfig> config = [] {
    std::string error;
    std::optional<vp::DriverInfoConfig> loaded = LoadConfig(&error);
    if (!loaded) {
      std::fprintf(stderr, "quorbel info: %s\n", error.c_str());
    }
    return loaded;
  }();
  return config;
}

}  // namespace

extern "C" int32_t INFO_LIBRARY_CALL MyDeviceCapabilities(const char* /*device*/,
                                                          const char* /*port*/, uint16_t index,
                                                          void* output, const void* /*devMode*/) {
  const std::optional<vp::DriverInfoConfig>& config = Config();
  return config ? vp::AnswerCapability(*config, index, output) : -1;
}

static_assert(std::is_same_v<decltype(&MyDeviceCapabilities), MyDeviceCapabilitiesFn>,
              "the export has the type the tool calls it through");
