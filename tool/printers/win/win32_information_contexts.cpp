#include "tool/printers/win/win32_information_contexts.h"

#include <windows.h>

namespace vexlow {

InformationContexts::Context Win32InformationContexts::Create(const char* driver,
                                                              const char* device, const char* port,
                                                              const void* devMode) {
  return CreateICA(driver, device, port, static_cast<const DEVMODEA*>(devMode));
}

bool Win32InformationContexts::SupportsEscape(Context context, int32_t escape) {
  if (context == nullptr) {
    return false;
  }
  const int query = escape;
  return Escape(static_cast<HDC>(context), QUERYESCSUPPORT, sizeof(query),
                reinterpret_cast<const char*>(&query), nullptr) > 0;
}

int32_t Win32InformationContexts::QueryPoint(Context context, int32_t escape, int32_t* x,
                                             int32_t* y) {
  if (context == nullptr) {
    return 0;
  }
  POINT point = {};
  const int answer = Escape(static_cast<HDC>(context), escape, 0, nullptr, &point);
  if (answer > 0) {
    *x = point.x;
    *y = point.y;
  }
  return answer;
}

void Win32InformationContexts::Delete(Context context) {
  if (context != nullptr) {
    DeleteDC(static_cast<HDC>(context));
  }
}

}  // namespace vexlow
