#include "tool/printers/private_area.h"

namespace vexlow {

bool PassesPrivateAreaCheck(const platform::ByteReader& area) {
  if (!area.Contains(0, kPrivateHeaderSize)) {
    return false;
  }
  const uint32_t size = area.U16(kPrivateSizeOffset).value_or(0);
  const uint32_t count = area.U16(kPrivateMediaCountOffset).value_or(0);
  return size == 3030 || size == 4530 ||
         size == count * kPrivateMediaEntrySize + kPrivateHeaderSize;
}

}  // namespace vexlow
