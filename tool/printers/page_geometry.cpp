#include "tool/printers/page_geometry.h"

#include <algorithm>

#include "tool/printers/feature_flags.h"
#include "tool/printers/geometry_math.h"

namespace vexlow {
namespace {

constexpr int32_t kNoOffsetYet = 0xFFFF;
// The largest page the fallback allows: 1150 mm.
constexpr int32_t kLongestPageTenths = 11500;

}  // namespace

int32_t ToDevicePixels(int32_t resolutionX, int32_t tenths) {
  const int16_t value = static_cast<int16_t>(tenths);
  return TruncateToInt32(static_cast<double>(resolutionX) * value / kTenthsPerInch + 0.5);
}

void ComputeMinimumOffsets(const PaperList& papers, const MarginList& margins,
                           PageGeometry& geometry) {
  int32_t left = kNoOffsetYet;
  int32_t top = kNoOffsetYet;
  int32_t bottom = kNoOffsetYet;
  for (const PaperRecord& paper : papers) {
    left = std::min<int32_t>(left, paper.OffsetX());
    top = std::min<int32_t>(top, paper.OffsetY());
    bottom = std::min<int32_t>(bottom,
                               paper.PhysicalHeight() - paper.PrintableHeight() - paper.OffsetY());
  }
  geometry.minimumOffsets = Rect{left, top, left, bottom};
  if (margins.Empty()) {
    geometry.currentMargin = MarginRecord();
    return;
  }
  geometry.currentMargin = margins[margins.Size() - 1];
  const int32_t firstMargin = margins[0].Margin();
  if (top != 0 && firstMargin < top) {
    geometry.minimumOffsets.top = firstMargin;
    geometry.minimumOffsets.bottom = firstMargin;
  }
}

void ComputeExtents(Extent minimum, Extent maximum, uint32_t features, const PaperList& papers,
                    PageGeometry& geometry) {
  const int32_t x = geometry.resolution.x;
  const int32_t y = geometry.resolution.y;
  if (UsesPrivateLayoutTwo(features)) {
    // These drivers give the extents with the axes crossed.
    geometry.minimumWidth = TenthsToPixels(minimum.height, y);
    geometry.minimumLength = TenthsToPixels(minimum.width, x);
    geometry.maximumWidth = TenthsToPixels(maximum.height, y);
    geometry.maximumLength = TenthsToPixels(maximum.width, x);
  } else {
    geometry.minimumWidth = TenthsToPixels(minimum.width, x);
    geometry.minimumLength = TenthsToPixels(minimum.height, y);
    geometry.maximumWidth = TenthsToPixels(maximum.width, x);
    geometry.maximumLength = TenthsToPixels(maximum.height, y);
  }
  if (geometry.minimumWidth > 0 && geometry.minimumLength > 0 && geometry.maximumWidth > 0 &&
      geometry.maximumLength > 0) {
    geometry.minimumWidth = AddUpToLargest(geometry.minimumWidth, 1);
    geometry.minimumLength = AddUpToLargest(geometry.minimumLength, 4);
    return;
  }
  const int32_t longest = TenthsToPixels(kLongestPageTenths, y);
  int32_t widest = 0;
  int32_t tallest = 0;
  int32_t narrowest = longest;
  int32_t shortest = longest;
  for (const PaperRecord& paper : papers) {
    widest = std::max<int32_t>(widest, paper.PhysicalWidth());
    tallest = std::max<int32_t>(tallest, paper.PhysicalHeight());
    narrowest = std::min<int32_t>(narrowest, paper.PhysicalWidth());
    shortest = std::min<int32_t>(shortest, paper.PhysicalHeight());
  }
  const auto replace = [](int32_t& size, int32_t fallback) {
    if (size <= 0) {
      size = fallback;
    }
  };
  replace(geometry.maximumWidth, widest);
  replace(geometry.maximumLength, tallest);
  replace(geometry.minimumWidth, narrowest);
  replace(geometry.minimumLength, shortest);
}

void ResolutionFromPaper(const PaperList& papers, const ResolutionList& resolutions,
                         Resolution& resolution) {
  if (papers.Empty()) {
    return;
  }
  if (!resolutions.Empty()) {
    resolution = Resolution{resolutions[0].X(), resolutions[0].Y()};
    return;
  }
  const PaperRecord& first = papers[0];
  const auto dotsPerInch = [](int32_t pixels, int32_t tenths) {
    return TruncateToInt32(pixels / (tenths / kTenthsPerInch));
  };
  const auto roundToTens = [](int32_t dots) { return TruncateToInt32(dots * 0.1 + 0.5) * 10; };
  resolution.x = roundToTens(dotsPerInch(first.PhysicalWidth(), first.PaperWidth()));
  resolution.y = roundToTens(dotsPerInch(first.PhysicalHeight(), first.PaperLength()));
}

}  // namespace vexlow
