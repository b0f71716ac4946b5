// The current paper's size, margins and printable rectangle.
#include "tool/printers/feature_flags.h"
#include "tool/printers/geometry_math.h"
#include "tool/printers/page_geometry.h"
#include "tool/printers/private_area.h"
#include "tool/printers/record_lookups.h"

namespace vexlow {
namespace {

constexpr int16_t kOrientationUnknown = 2;

// Size of the current paper for private layout two: the device mode's own
// width and length, laid along the orientation.
void SizeFromDevModeAcross(const LayoutInputs& inputs, LayoutResults& results) {
  const DevModeView& devMode = inputs.devMode;
  const uint32_t fields = devMode.Fields();
  const bool portrait = results.orientation == kDmOrientPortrait;
  if ((fields & kDmPaperWidth) != 0) {
    (portrait ? results.paperWidth : results.paperLength) =
        ToDevicePixels(inputs.resolutionX, devMode.PaperWidth());
  }
  if ((fields & kDmPaperLength) != 0) {
    (portrait ? results.paperLength : results.paperWidth) =
        ToDevicePixels(inputs.resolutionX, devMode.PaperLength());
  }
}

// Size of the current paper for private layout one: from its medium, else
// from the paper the private area names; paper is the device mode's paper.
PaperRecord SizeFromPrivateArea(const LayoutInputs& inputs, PaperRecord paper,
                                LayoutResults& results) {
  const MediaRecord& medium = FindMedia(inputs.media, static_cast<uint16_t>(results.currentPaper));
  if (medium.Id() != 0) {
    results.paperLength = medium.Length();
    results.paperWidth = medium.Width();
    return FindPaper(inputs.papers, static_cast<int16_t>(medium.PaperId()));
  }
  const platform::ByteReader area = inputs.devMode.PrivateArea().Reader();
  if (!PassesPrivateAreaCheck(area)) {
    paper = FindPaper(inputs.papers, results.currentPaper);
    results.paperLength = paper.PhysicalHeight();
    results.paperWidth = paper.PhysicalWidth();
    if ((inputs.devMode.Fields() & kDmPaperLength) != 0) {
      results.paperLength = ToDevicePixels(inputs.resolutionX, inputs.devMode.PaperLength());
    }
    return paper;
  }
  const auto word = [&area](std::size_t offset) { return area.U16(offset).value_or(0); };
  const uint16_t flags = word(kPrivatePaperFlagsOffset);
  if ((flags & kPrivatePaperPiece) != 0) {
    const uint16_t piece =
        (flags & kPrivatePaperPieceNumber) != 0 ? word(kPrivatePieceOffset) : uint16_t{1};
    paper = FindPaperPiece(inputs.papers, static_cast<int16_t>(word(kPrivateGroupOffset)), piece);
    results.paperLength = paper.PhysicalHeight();
    results.currentPaper = paper.Id();
    results.paperWidth = paper.PhysicalWidth();
  }
  Rect& maxima = results.maximumMargins;
  if ((paper.Flags() & PaperRecord::kFlagMarginsAtOffset) != 0) {
    if (maxima.left == 0 && maxima.right == 0) {
      maxima.top = 0;
      maxima.bottom = 0;
    }
    return paper;
  }
  if ((flags & kPrivatePaperLength) != 0) {
    results.paperLength = static_cast<int32_t>(area.U32(kPrivatePaperLengthOffset).value_or(0));
  }
  if ((flags & kPrivatePaperMargin) != 0) {
    const int32_t margin = FindMarginRecord(inputs.margins, word(kPrivateMarginKeyOffset)).Margin();
    RaiseTo(maxima.top, margin);
    RaiseTo(maxima.bottom, margin);
  }
  return paper;
}

// Size of the current paper from its record, the device mode's own width and
// length taking precedence.
PaperRecord SizeFromPaper(const LayoutInputs& inputs, LayoutResults& results) {
  const PaperRecord& paper = FindPaper(inputs.papers, results.currentPaper);
  const uint32_t fields = inputs.devMode.Fields();
  results.paperWidth = paper.PhysicalWidth();
  results.paperLength = paper.PhysicalHeight();
  if ((fields & kDmPaperWidth) != 0) {
    results.paperWidth = ToDevicePixels(inputs.resolutionX, inputs.devMode.PaperWidth());
  }
  if ((fields & kDmPaperLength) != 0) {
    results.paperLength = ToDevicePixels(inputs.resolutionX, inputs.devMode.PaperLength());
  }
  return paper;
}

Rect PaperMargins(const PaperRecord& paper, const MarginList& margins, Rect& maxima) {
  if ((paper.Flags() & PaperRecord::kFlagMarginsAtOffset) != 0) {
    const Rect margin{paper.OffsetX(), paper.OffsetY(), paper.OffsetX(), paper.OffsetY()};
    RaiseTo(maxima.left, margin.left);
    RaiseTo(maxima.top, margin.top);
    RaiseTo(maxima.right, margin.right);
    RaiseTo(maxima.bottom, margin.bottom);
    return margin;
  }
  Rect margin;
  margin.left = paper.OffsetX();
  margin.right = paper.PhysicalWidth() - paper.PrintableWidth() - paper.OffsetX();
  if (!margins.Empty()) {
    margin.top = margins[0].Margin();
    margin.bottom = margin.top;
  } else {
    margin.top = paper.OffsetY();
    margin.bottom = paper.PhysicalHeight() - paper.PrintableHeight() - paper.OffsetY();
  }
  return margin;
}

}  // namespace

void ComputeLayout(const LayoutInputs& inputs, LayoutResults& results) {
  const DevModeView& devMode = inputs.devMode;
  const uint32_t fields = devMode.Fields();
  results.origin = Rect{inputs.origin.x, inputs.origin.y, inputs.origin.x, inputs.origin.y};
  results.paperWidth = 0;
  results.paperLength = 0;
  results.orientation =
      (fields & kDmOrientation) != 0 ? devMode.Orientation() : kOrientationUnknown;

  PaperRecord paper = NoPaper();
  if ((fields & kDmPaperSize) != 0) {
    results.currentPaper = devMode.PaperSize();
    paper = FindPaper(inputs.papers, results.currentPaper);
    results.currentPaperFlags = paper.Flags();
  }
  if (UsesPrivateLayoutTwo(inputs.features)) {
    SizeFromDevModeAcross(inputs, results);
  } else if (UsesPrivateLayoutOne(inputs.features)) {
    paper = SizeFromPrivateArea(inputs, paper, results);
  } else {
    paper = SizeFromPaper(inputs, results);
  }

  Rect& maxima = results.maximumMargins;
  results.paperMargins = PaperMargins(paper, inputs.margins, maxima);
  results.printable = results.paperMargins;
  if ((paper.Flags() & PaperRecord::kFlagNoOrigin) != 0) {
    results.origin = Rect{};
  } else {
    results.printable.left += inputs.offset.x;
    results.printable.right += inputs.offset.x;
    results.printable.top += inputs.offset.y;
    results.printable.bottom += inputs.offset.y;
  }

  results.pieceCount = paper.PieceNumber() == 0 ? 1 : paper.PieceNumber();
  if (results.pieceCount > 1) {
    const PaperRecord& group = FindGroupPaper(inputs.papers, results.currentPaper);
    RaiseTo(results.printable.left, group.OffsetX());
    RaiseTo(results.printable.right,
            group.PhysicalWidth() - group.PrintableWidth() - group.OffsetX());
  }
  RaiseTo(maxima.left, results.printable.left);
  RaiseTo(maxima.top, results.printable.top);
  RaiseTo(maxima.right, results.printable.right);
  RaiseTo(maxima.bottom, results.printable.bottom);
  maxima.left = results.printable.left;
  maxima.right = results.printable.right;
}

}  // namespace vexlow
