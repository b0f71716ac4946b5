#include "virtual_printer/driver/win/driver_registration.h"

#include <windows.h>

namespace vp {
namespace {

constexpr char kCompanyKey[] = "SOFTWARE\\Quorbel Industries, Ltd.";
constexpr char kDriverRoot[] = "SOFTWARE\\Quorbel Industries, Ltd.\\Skorvin\\Driver\\3.0";

std::string Failure(const std::string& what, LONG code) {
  return what + " failed with error " + std::to_string(code);
}

bool IsEmptyKey(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD subkeys = 0, values = 0;
  const bool empty =
      RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                       nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
      subkeys == 0 && values == 0;
  RegCloseKey(key);
  return empty;
}

}  // namespace

bool WriteRegistration(const std::string& driverName, const std::string& infoDll,
                       std::string* error) {
  const std::string path = std::string(kDriverRoot) + "\\" + driverName;
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) {
    *error = Failure("RegCreateKeyExA(" + path + ")", result);
    return false;
  }
  const DWORD transferUi = 1;
  result =
      RegSetValueExA(key, "Info Dll", 0, REG_SZ, reinterpret_cast<const BYTE*>(infoDll.c_str()),
                     static_cast<DWORD>(infoDll.size() + 1));
  if (result == ERROR_SUCCESS) {
    result = RegSetValueExA(key, "TransferUI", 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&transferUi), sizeof transferUi);
  }
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) {
    *error = Failure("RegSetValueExA in " + path, result);
    return false;
  }
  return true;
}

bool DeleteRegistration(const std::string& driverName, std::string* error) {
  std::string path = std::string(kDriverRoot) + "\\" + driverName;
  const LONG result = RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
  if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) {
    *error = Failure("RegDeleteKeyA(" + path + ")", result);
    return false;
  }
  // Up to the company's key, each only when nothing else is left in it.
  while (path.size() > sizeof kCompanyKey - 1) {
    path.erase(path.rfind('\\'));
    if (!IsEmptyKey(path) || RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str()) != ERROR_SUCCESS) {
      break;
    }
  }
  return true;
}

}  // namespace vp
