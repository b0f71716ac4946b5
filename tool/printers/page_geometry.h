// A printer's page measures in device pixels, computed from what its
// information object gathered: the papers, margins and media, the device
// mode, the standard and the driver's extended capabilities. Pure functions
// of plain data. Conversions from tenths of a millimetre use 1/254 inch per
// tenth times a resolution in dots per inch; truncating rounds toward zero.
#ifndef TOOL_PRINTERS_PAGE_GEOMETRY_H
#define TOOL_PRINTERS_PAGE_GEOMETRY_H

#include <cstdint>

#include "tool/printers/devmode.h"
#include "tool/printers/records.h"

namespace vexlow {

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const Rect&) const = default;
};

// A page extent in tenths of a millimetre.
struct Extent {
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const Extent&) const = default;
};

struct Resolution {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Resolution&) const = default;
};

struct Point {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const Point&) const = default;
};

// The page sizes the device accepts and the smallest printing offsets.
struct PageGeometry {
  int32_t minimumWidth = 0;
  int32_t minimumLength = 0;
  int32_t maximumWidth = 0;
  int32_t maximumLength = 0;
  Rect minimumOffsets;
  Resolution resolution;       // the current resolution, copied at attach
  MarginRecord currentMargin;  // the last margin record; first byte 0 when none
};

// The current paper, its margins and printable rectangle.
struct LayoutResults {
  int16_t currentPaper = 0;
  int16_t orientation = 0;
  int32_t paperWidth = 0;
  int32_t paperLength = 0;
  Rect maximumMargins;  // running maxima, reset at each attach
  int32_t pieceCount = 0;
  Rect printable;
  Rect paperMargins;
  Rect origin;
  uint32_t currentPaperFlags = 0;
};

// What the layout reads.
struct LayoutInputs {
  DevModeView devMode;
  uint32_t features = 0;
  const PaperList& papers;
  const MarginList& margins;
  const MediaList& media;
  Point origin;  // extended capability INFO_ORIGIN
  Point offset;  // extended capability INFO_OFFSET
  int32_t resolutionX = 0;
};

// Truncated (resolutionX × tenths / 254 + 0.5), tenths taken as a signed
// 16-bit number; the x resolution serves both directions.
int32_t ToDevicePixels(int32_t resolutionX, int32_t tenths);

// The smallest printing offsets over the papers (left, top, right = left,
// bottom; 65535 with no papers), bounded by the first margin record's margin,
// and the last margin record as the current one.
void ComputeMinimumOffsets(const PaperList& papers, const MarginList& margins,
                           PageGeometry& geometry);

// The four page sizes from the extents at the geometry's resolution, with the
// axes crossed for private layout two; sizes that come out 0 or below are
// taken from the papers' largest and smallest physical sizes.
void ComputeExtents(Extent minimum, Extent maximum, uint32_t features, const PaperList& papers,
                    PageGeometry& geometry);

// The resolution when the driver gives none: the first resolution of the
// list, or, with an empty list, the first paper's pixels per inch rounded to
// tens. Unchanged with no papers.
void ResolutionFromPaper(const PaperList& papers, const ResolutionList& resolutions,
                         Resolution& resolution);

// The current paper, margins and printable rectangle; raises the running
// maxima in results.
void ComputeLayout(const LayoutInputs& inputs, LayoutResults& results);

}  // namespace vexlow

#endif  // TOOL_PRINTERS_PAGE_GEOMETRY_H
