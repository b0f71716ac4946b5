#include "tool/printers/win/win32_information_contexts.h"

#include <windows.h>

#include <cstddef>

#include "tool/printers/devmode.h"

namespace vexlow {

// The device modes the printer model reads and writes as bytes are the
// system's DEVMODEA: its size, field offsets, dmFields bits and values.
static_assert(sizeof(DEVMODEA) == kDevModeASize && kDevModeASize == 156);
static_assert(offsetof(DEVMODEA, dmSpecVersion) == kDmSpecVersionOffset &&
              offsetof(DEVMODEA, dmDriverVersion) == kDmDriverVersionOffset &&
              offsetof(DEVMODEA, dmSize) == kDmSizeOffset &&
              offsetof(DEVMODEA, dmDriverExtra) == kDmDriverExtraOffset &&
              offsetof(DEVMODEA, dmFields) == kDmFieldsOffset);
static_assert(offsetof(DEVMODEA, dmOrientation) == kDmOrientationOffset &&
              offsetof(DEVMODEA, dmPaperSize) == kDmPaperSizeOffset &&
              offsetof(DEVMODEA, dmPaperLength) == kDmPaperLengthOffset &&
              offsetof(DEVMODEA, dmPaperWidth) == kDmPaperWidthOffset &&
              offsetof(DEVMODEA, dmScale) == kDmScaleOffset &&
              offsetof(DEVMODEA, dmCopies) == kDmCopiesOffset &&
              offsetof(DEVMODEA, dmDefaultSource) == kDmDefaultSourceOffset);
static_assert(offsetof(DEVMODEA, dmPrintQuality) == kDmPrintQualityOffset &&
              offsetof(DEVMODEA, dmColor) == kDmColorOffset &&
              offsetof(DEVMODEA, dmDuplex) == kDmDuplexOffset &&
              offsetof(DEVMODEA, dmYResolution) == kDmYResolutionOffset);
static_assert(kDmOrientation == DM_ORIENTATION && kDmPaperSize == DM_PAPERSIZE &&
              kDmPaperLength == DM_PAPERLENGTH && kDmPaperWidth == DM_PAPERWIDTH &&
              kDmScale == DM_SCALE && kDmCopies == DM_COPIES &&
              kDmPrintQuality == DM_PRINTQUALITY && kDmColor == DM_COLOR &&
              kDmYResolution == DM_YRESOLUTION);
static_assert(kDmOrientPortrait == DMORIENT_PORTRAIT && kDmColorColor == DMCOLOR_COLOR &&
              kDmPaperUser == DMPAPER_USER);

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
