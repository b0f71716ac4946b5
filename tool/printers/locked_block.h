// A block of locked movable global memory for as long as the object lives.
#ifndef TOOL_PRINTERS_LOCKED_BLOCK_H
#define TOOL_PRINTERS_LOCKED_BLOCK_H

#include <cstddef>

#include "platform/byte_view.h"
#include "tool/printers/printer_seams.h"

namespace vexlow {

class LockedBlock {
 public:
  // A zero-filled block of size bytes; empty when it cannot be had or size is 0.
  LockedBlock(GlobalMemory& memory, std::size_t size)
      : memory_(memory),
        block_(size == 0 ? nullptr : memory.AllocateLocked(size)),
        size_(block_ == nullptr ? 0 : size) {}
  ~LockedBlock() { memory_.FreeLocked(block_); }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;

  explicit operator bool() const { return block_ != nullptr; }
  void* Data() const { return block_; }
  platform::ByteReader Reader() const { return platform::ByteReader(block_, size_); }

 private:
  GlobalMemory& memory_;
  void* block_;
  std::size_t size_;
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_LOCKED_BLOCK_H
