#include "transfer/support/driver_key_path.h"

#include <cstring>

namespace ostrand {
namespace {

// Appends text at *length when it fits with the terminating zero.
bool Append(char (&keyPath)[kNameBufferSize], std::size_t* length, const char* text) {
  const std::size_t textLength = std::strlen(text);
  if (textLength >= kNameBufferSize - *length) {
    return false;
  }
  std::memcpy(keyPath + *length, text, textLength + 1);
  *length += textLength;
  return true;
}

}  // namespace

bool BuildDriverKeyPath(const char* company, const char* driverName,
                        char (&keyPath)[kNameBufferSize]) {
  keyPath[0] = '\0';
  if (company == nullptr || driverName == nullptr) {
    return false;
  }
  std::size_t length = 0;
  if (Append(keyPath, &length, "SOFTWARE\\") && Append(keyPath, &length, company) &&
      Append(keyPath, &length, "\\Skorvin\\Driver\\3.0\\") &&
      Append(keyPath, &length, driverName)) {
    return true;
  }
  keyPath[0] = '\0';
  return false;
}

}  // namespace ostrand
