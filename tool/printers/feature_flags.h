// The feature bits of a driver's information library (its answer to
// INFO_FEATURE_FLAGS) that steer the printer model. Their meaning beyond what
// the model does with them belongs to the drivers.
#ifndef TOOL_PRINTERS_FEATURE_FLAGS_H
#define TOOL_PRINTERS_FEATURE_FLAGS_H

#include <cstdint>

#include "tool/printers/information_library.h"

namespace vexlow {

inline constexpr uint32_t kFeatureSpecialTape = INFO_FEATURE_SPECIAL_TAPE;
inline constexpr uint32_t kFeatureModelPaperList = 0x00020000;  // paper-list mode 10
inline constexpr uint32_t kFeaturePrivateLayoutTwo = 0x00080000;
inline constexpr uint32_t kFeaturePrivateLayoutOne = 0x00800000;
inline constexpr uint32_t kFeatureColourCount = 0x01000000;
inline constexpr uint32_t kFeatureModelFlags = 0x10000000;
inline constexpr uint32_t kFeatureModelPapersOnly = 0x00000100;  // with kFeatureModelFlags

// Which private layout the driver keeps in the device mode.
inline bool UsesPrivateLayoutOne(uint32_t features) {
  return (features & kFeaturePrivateLayoutOne) != 0;
}
inline bool UsesPrivateLayoutTwo(uint32_t features) {
  return (features & kFeaturePrivateLayoutTwo) != 0 && !UsesPrivateLayoutOne(features);
}

}  // namespace vexlow

#endif  // TOOL_PRINTERS_FEATURE_FLAGS_H
