// The device-mode layout the printer model reads and writes as bytes, against
// the system's own DEVMODEA.
#include <windows.h>

#include <cstddef>

#include <gtest/gtest.h>

#include "tool/printers/devmode.h"

namespace {

struct Field {
  const char* name;
  std::size_t declared;
  std::size_t system;
};

// Offsets, the size, and the dmFields bits and field values.
const Field kLayout[] = {
    {"dmSpecVersion", vexlow::kDmSpecVersionOffset, offsetof(DEVMODEA, dmSpecVersion)},
    {"dmDriverVersion", vexlow::kDmDriverVersionOffset, offsetof(DEVMODEA, dmDriverVersion)},
    {"dmSize", vexlow::kDmSizeOffset, offsetof(DEVMODEA, dmSize)},
    {"dmDriverExtra", vexlow::kDmDriverExtraOffset, offsetof(DEVMODEA, dmDriverExtra)},
    {"dmFields", vexlow::kDmFieldsOffset, offsetof(DEVMODEA, dmFields)},
    {"dmOrientation", vexlow::kDmOrientationOffset, offsetof(DEVMODEA, dmOrientation)},
    {"dmPaperSize", vexlow::kDmPaperSizeOffset, offsetof(DEVMODEA, dmPaperSize)},
    {"dmPaperLength", vexlow::kDmPaperLengthOffset, offsetof(DEVMODEA, dmPaperLength)},
    {"dmPaperWidth", vexlow::kDmPaperWidthOffset, offsetof(DEVMODEA, dmPaperWidth)},
    {"dmScale", vexlow::kDmScaleOffset, offsetof(DEVMODEA, dmScale)},
    {"dmCopies", vexlow::kDmCopiesOffset, offsetof(DEVMODEA, dmCopies)},
    {"dmDefaultSource", vexlow::kDmDefaultSourceOffset, offsetof(DEVMODEA, dmDefaultSource)},
    {"dmPrintQuality", vexlow::kDmPrintQualityOffset, offsetof(DEVMODEA, dmPrintQuality)},
    {"dmColor", vexlow::kDmColorOffset, offsetof(DEVMODEA, dmColor)},
    {"dmDuplex", vexlow::kDmDuplexOffset, offsetof(DEVMODEA, dmDuplex)},
    {"dmYResolution", vexlow::kDmYResolutionOffset, offsetof(DEVMODEA, dmYResolution)},
    {"sizeof(DEVMODEA)", vexlow::kDevModeASize, sizeof(DEVMODEA)},
    {"DM_ORIENTATION", vexlow::kDmOrientation, DM_ORIENTATION},
    {"DM_PAPERSIZE", vexlow::kDmPaperSize, DM_PAPERSIZE},
    {"DM_PAPERLENGTH", vexlow::kDmPaperLength, DM_PAPERLENGTH},
    {"DM_PAPERWIDTH", vexlow::kDmPaperWidth, DM_PAPERWIDTH},
    {"DM_SCALE", vexlow::kDmScale, DM_SCALE},
    {"DM_COPIES", vexlow::kDmCopies, DM_COPIES},
    {"DM_PRINTQUALITY", vexlow::kDmPrintQuality, DM_PRINTQUALITY},
    {"DM_COLOR", vexlow::kDmColor, DM_COLOR},
    {"DM_YRESOLUTION", vexlow::kDmYResolution, DM_YRESOLUTION},
    {"DMORIENT_PORTRAIT", static_cast<std::size_t>(vexlow::kDmOrientPortrait), DMORIENT_PORTRAIT},
    {"DMCOLOR_COLOR", static_cast<std::size_t>(vexlow::kDmColorColor), DMCOLOR_COLOR},
    {"DMPAPER_USER", static_cast<std::size_t>(vexlow::kDmPaperUser), DMPAPER_USER},
};

TEST(DevModeLayout, OffsetsSizeAndValuesAreThoseOfTheSystemsDevModeA) {
  EXPECT_EQ(156u, sizeof(DEVMODEA));
  for (const Field& field : kLayout) {
    EXPECT_EQ(field.system, field.declared) << field.name;
  }
}

}  // namespace
