// Locked movable global memory: GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT)
// with GlobalLock; GlobalHandle, GlobalUnlock and GlobalFree give it back.
#ifndef TOOL_PRINTERS_WIN_WIN32_GLOBAL_MEMORY_H
#define TOOL_PRINTERS_WIN_WIN32_GLOBAL_MEMORY_H

#include "tool/printers/printer_seams.h"

namespace vexlow {

class Win32GlobalMemory : public GlobalMemory {
 public:
  // Null for size 0 as well: an empty movable block cannot be locked.
  void* AllocateLocked(std::size_t size) override;
  void FreeLocked(void* block) override;
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_WIN_WIN32_GLOBAL_MEMORY_H
