// What the spooler says a printer can do (DeviceCapabilitiesA), as the printer
// object keeps it, and the choices made from it.
#ifndef TOOL_PRINTERS_STANDARD_CAPABILITIES_H
#define TOOL_PRINTERS_STANDARD_CAPABILITIES_H

#include <cstdint>

#include "tool/printers/page_geometry.h"
#include "tool/printers/records.h"

namespace vexlow {

// DeviceCapabilitiesA capability codes.
inline constexpr uint16_t kDcFields = 1;
inline constexpr uint16_t kDcPapers = 2;
inline constexpr uint16_t kDcPaperSize = 3;
inline constexpr uint16_t kDcMinExtent = 4;
inline constexpr uint16_t kDcMaxExtent = 5;
inline constexpr uint16_t kDcEnumResolutions = 13;
inline constexpr uint16_t kDcPaperNames = 16;
inline constexpr uint16_t kDcOrientation = 17;
inline constexpr uint16_t kDcCopies = 18;

inline constexpr std::size_t kPaperNameSize = 64;  // one DC_PAPERNAMES entry

struct StandardCapabilities {
  ResolutionList resolutions;  // ascending by x·y
  Extent minimumExtent;        // tenths of a millimetre
  Extent maximumExtent;
  int16_t orientation = 0;  // DC_ORIENTATION; 0: no landscape
  uint32_t maximumCopies = 0;
  uint32_t deviceModeFields = 0;  // DC_FIELDS
  Resolution resolution;          // the current resolution
  bool resolutionTaken = false;
};

// Sorts ascending by x·y; equal products keep their order.
void SortResolutions(ResolutionList& resolutions);

// The current resolution from the device mode's print quality fields and the
// sorted list: one entry is taken as it is; a quality of -1 to -4 (draft to
// high) picks from a longer list; else dmPrintQuality and dmYResolution, as
// dmFields offers them; else current stays.
Resolution ChooseResolution(const ResolutionList& resolutions, uint32_t dmFields,
                            int16_t printQuality, int16_t yResolution, Resolution current);

// DC_MINEXTENT or DC_MAXEXTENT: width in the low word, height in the high
// word; 0 × 0 for no answer, a zero width with a height, or (for the minimum)
// 0x7FFF7FFF.
Extent DecodeExtent(int32_t answer, bool minimum);

}  // namespace vexlow

#endif  // TOOL_PRINTERS_STANDARD_CAPABILITIES_H
