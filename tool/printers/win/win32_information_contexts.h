// Information contexts over GDI: CreateICA, Escape and DeleteDC.
#ifndef TOOL_PRINTERS_WIN_WIN32_INFORMATION_CONTEXTS_H
#define TOOL_PRINTERS_WIN_WIN32_INFORMATION_CONTEXTS_H

#include "tool/printers/printer_seams.h"

namespace vexlow {

class Win32InformationContexts : public InformationContexts {
 public:
  Context Create(const char* driver, const char* device, const char* port,
                 const void* devMode) override;
  bool SupportsEscape(Context context, int32_t escape) override;
  int32_t QueryPoint(Context context, int32_t escape, int32_t* x, int32_t* y) override;
  void Delete(Context context) override;
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_WIN_WIN32_INFORMATION_CONTEXTS_H
