// The paper list from the spooler's paper capabilities, for a printer whose
// information library supplies none, and the measuring of every paper
// through an information context.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "tool/printers/feature_flags.h"
#include "tool/printers/paper_list.h"
#include "tool/printers/printer_info.h"

namespace vexlow {
namespace {

constexpr std::size_t kPaperSizePointSize = 8;
constexpr std::size_t kPaperIdSize = 2;
constexpr int32_t kEscapePhysicalPageSize = 12;  // GETPHYSPAGESIZE
constexpr int32_t kEscapePrintingOffset = 13;    // GETPRINTINGOFFSET
constexpr int16_t kFullScale = 100;

std::string_view PaperNameEntry(const platform::ByteReader& names, std::size_t index,
                                char (&entry)[kPaperNameSize]) {
  names.Copy(index * kPaperNameSize, entry, kPaperNameSize);
  const void* end = std::memchr(entry, '\0', kPaperNameSize);
  return std::string_view(entry,
                          end == nullptr ? kPaperNameSize : static_cast<const char*>(end) - entry);
}

}  // namespace

bool PrinterInfo::BuildFallbackPaperList(bool split) {
  GlobalMemory& memory = environment_.memory;
  const std::size_t count = CapabilityCount(kDcPaperNames);
  if (count == 0) {
    return false;
  }
  papers_.SetSize(count);
  std::size_t named = 0;
  {
    const LockedBlock names(memory, count * kPaperNameSize);
    if (!names) {
      return false;
    }
    named = FillCapability(kDcPaperNames, names.Data(), count);
    char entry[kPaperNameSize];
    for (std::size_t i = 0; i < named; ++i) {
      SetPaperNames(papers_[i], PaperNameEntry(names.Reader(), i, entry), split);
    }
  }
  // Each further capability is asked for its own count first, so that its
  // block holds whatever the driver writes; only papers already named are
  // filled.
  std::size_t sized = 0;
  if (const std::size_t points = CapabilityCount(kDcPaperSize); points != 0) {
    const LockedBlock sizes(memory, points * kPaperSizePointSize);
    if (!sizes) {
      return false;
    }
    sized = std::min(FillCapability(kDcPaperSize, sizes.Data(), points), named);
    const platform::ByteReader reader = sizes.Reader();
    for (std::size_t i = 0; i < sized; ++i) {
      PaperRecord& paper = papers_[i];
      paper.SetPaperWidth(static_cast<int16_t>(reader.U16(i * kPaperSizePointSize).value_or(0)));
      paper.SetPaperLength(
          static_cast<int16_t>(reader.U16(i * kPaperSizePointSize + 4).value_or(0)));
      paper.SetWord120(0);
      paper.SetWord122(0);
      paper.SetWord10(0);
      paper.SetPieceNumber(1);
    }
  }
  if (const std::size_t idCount = CapabilityCount(kDcPapers); idCount != 0) {
    const LockedBlock ids(memory, idCount * kPaperIdSize);
    if (!ids) {
      return false;
    }
    const std::size_t identified = std::min(FillCapability(kDcPapers, ids.Data(), idCount), sized);
    for (std::size_t i = 0; i < identified; ++i) {
      const int16_t id = ids.Reader().I16(i * kPaperIdSize).value_or(0);
      papers_[i].SetId(id);
      papers_[i].SetGroupId(id);
    }
  }
  const uint32_t features = extension_.featureFlags;
  if (extension_.modelId == 0) {
    FilterPapersForPlainModel(papers_, DevMode());
  } else if ((features & kFeatureModelFlags) != 0 && (features & kFeatureModelPapersOnly) != 0) {
    FilterPapersForModel(papers_, DevMode());
  }
  MeasurePapers();
  return true;
}

bool PrinterInfo::MeasurePapers() {
  InformationContexts& contexts = environment_.contexts;
  const DevModeView devMode = DevMode();
  const uint32_t supported = capabilities_.deviceModeFields;
  const int16_t savedPaper = devMode.PaperSize();
  const int16_t savedOrientation = devMode.Orientation();
  if ((supported & kDmScale) != 0) {
    devMode.AddFields(kDmScale);
    devMode.SetScale(kFullScale);
  }
  const auto orient = [&](int16_t orientation) {
    if ((supported & kDmOrientation) != 0) {
      devMode.AddFields(kDmOrientation);
      devMode.SetOrientation(orientation);
    }
  };
  orient(kDmOrientPortrait);
  // The device mode names the printer's own paper and orientation again on
  // every way out.
  const auto restore = [&] {
    devMode.AddFields(kDmPaperSize);
    devMode.SetPaperSize(savedPaper);
    orient(savedOrientation);
  };
  const auto createContext = [&] {
    return contexts.Create(driverName_.data(), printerName_.data(), portName_.data(), devMode_);
  };
  const auto askPoint = [&contexts](InformationContexts::Context context, int32_t escape,
                                    int32_t* x, int32_t* y) {
    return contexts.SupportsEscape(context, escape) &&
           contexts.QueryPoint(context, escape, x, y) > 0;
  };

  for (PaperRecord& paper : papers_) {
    paper.SetPhysicalWidth(0);
    paper.SetPhysicalHeight(0);
    paper.SetOffsetX(0);
    paper.SetOffsetY(0);
    paper.SetPrintableWidth(0);
    paper.SetPrintableHeight(0);
    devMode.AddFields(kDmPaperSize);
    devMode.SetPaperSize(paper.Id());
    const InformationContexts::Context context = createContext();
    if (context == nullptr) {
      restore();
      return false;
    }
    int32_t x = 0;
    int32_t y = 0;
    if (askPoint(context, kEscapePhysicalPageSize, &x, &y)) {
      paper.SetPhysicalWidth(static_cast<int16_t>(x));
      paper.SetPhysicalHeight(static_cast<int16_t>(y));
    }
    if (askPoint(context, kEscapePrintingOffset, &x, &y)) {
      paper.SetOffsetX(static_cast<int16_t>(x));
      paper.SetOffsetY(static_cast<int16_t>(y));
      // The offset's x is kept as the top minimum and its y as the left one.
      geometry_.minimumOffsets.top = static_cast<int16_t>(x);
      geometry_.minimumOffsets.left = static_cast<int16_t>(y);
    }
    contexts.Delete(context);
    paper.SetPrintableWidth(static_cast<int16_t>(paper.PhysicalWidth() - 2 * paper.OffsetX()));
    paper.SetPrintableHeight(static_cast<int16_t>(paper.PhysicalHeight() - 2 * paper.OffsetY()));
  }
  restore();
  const InformationContexts::Context context = createContext();
  if (context == nullptr) {
    return false;
  }
  contexts.Delete(context);
  geometry_.minimumOffsets.bottom = geometry_.minimumOffsets.top;
  geometry_.minimumOffsets.right = geometry_.minimumOffsets.left;
  return true;
}

}  // namespace vexlow
