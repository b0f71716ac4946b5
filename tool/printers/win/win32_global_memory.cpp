#include "tool/printers/win/win32_global_memory.h"

#include <windows.h>

namespace vexlow {

void* Win32GlobalMemory::AllocateLocked(std::size_t size) {
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (handle == nullptr) {
    return nullptr;
  }
  void* block = GlobalLock(handle);
  if (block == nullptr) {
    GlobalFree(handle);
  }
  return block;
}

void Win32GlobalMemory::FreeLocked(void* block) {
  if (block == nullptr) {
    return;
  }
  HGLOBAL handle = GlobalHandle(block);
  if (handle != nullptr) {
    GlobalUnlock(handle);
    GlobalFree(handle);
  }
}

}  // namespace vexlow
