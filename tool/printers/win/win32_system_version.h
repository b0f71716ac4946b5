// The system's version through GetVersionExA.
#ifndef TOOL_PRINTERS_WIN_WIN32_SYSTEM_VERSION_H
#define TOOL_PRINTERS_WIN_WIN32_SYSTEM_VERSION_H

#include "tool/printers/printer_seams.h"

namespace vexlow {

class Win32SystemVersion : public SystemVersion {
 public:
  bool Query(uint32_t* major, uint32_t* minor, uint32_t* platformId) override;
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_WIN_WIN32_SYSTEM_VERSION_H
