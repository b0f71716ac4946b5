// The spooler's standard capabilities of a printer.
#include "tool/printers/standard_capabilities.h"

#include <algorithm>
#include <vector>

#include "tool/printers/printer_device_info.h"

namespace vexlow {
namespace {

constexpr int32_t kNoAnswer = -1;
constexpr int32_t kNoMinimumExtent = 0x7FFF7FFF;
constexpr std::size_t kResolutionPairSize = 8;

// dmPrintQuality's named qualities.
constexpr int16_t kQualityHigh = -4;
constexpr int16_t kQualityMedium = -3;
constexpr int16_t kQualityLow = -2;
constexpr int16_t kQualityDraft = -1;

Resolution EntryAt(const ResolutionList& resolutions, std::size_t index) {
  return Resolution{resolutions[index].X(), resolutions[index].Y()};
}

// Draft takes the lowest, high the highest; medium and low take the second
// and third of four or more, the lowest of two, and nothing of three.
Resolution PickByQuality(const ResolutionList& resolutions, int16_t quality) {
  const std::size_t n = resolutions.Size();
  switch (quality) {
    case kQualityHigh:
      return EntryAt(resolutions, n - 1);
    case kQualityDraft:
      return EntryAt(resolutions, 0);
    case kQualityMedium:
      return n >= 4 ? EntryAt(resolutions, 1) : n == 2 ? EntryAt(resolutions, 0) : Resolution{};
    case kQualityLow:
    default:
      return n >= 4 ? EntryAt(resolutions, 2) : n == 2 ? EntryAt(resolutions, 0) : Resolution{};
  }
}

}  // namespace

void SortResolutions(ResolutionList& resolutions) {
  std::stable_sort(resolutions.begin(), resolutions.end(),
                   [](const ResolutionEntry& a, const ResolutionEntry& b) {
                     return int64_t{a.X()} * a.Y() < int64_t{b.X()} * b.Y();
                   });
}

Resolution ChooseResolution(const ResolutionList& resolutions, uint32_t dmFields,
                            int16_t printQuality, int16_t yResolution, Resolution current) {
  const bool hasQuality = (dmFields & kDmPrintQuality) != 0;
  const bool hasY = (dmFields & kDmYResolution) != 0;
  if (resolutions.Size() == 1) {
    return EntryAt(resolutions, 0);
  }
  if (resolutions.Size() > 1) {
    if (hasQuality && printQuality >= kQualityHigh && printQuality <= kQualityDraft) {
      return PickByQuality(resolutions, printQuality);
    }
    if (hasY) {
      return Resolution{printQuality, yResolution};
    }
    return hasQuality ? Resolution{printQuality, printQuality} : current;
  }
  if (hasY) {
    return Resolution{printQuality, yResolution};
  }
  return hasQuality && printQuality > 0 ? Resolution{printQuality, printQuality} : current;
}

Extent DecodeExtent(int32_t answer, bool minimum) {
  if (answer == kNoAnswer || (minimum && answer == kNoMinimumExtent)) {
    return Extent{};
  }
  const int32_t width = static_cast<int32_t>(static_cast<uint32_t>(answer) & 0xFFFF);
  const int32_t height = static_cast<int32_t>(static_cast<uint32_t>(answer) >> 16);
  return width == 0 && height != 0 ? Extent{} : Extent{width, height};
}

bool PrinterDeviceInfo::ReadStandardCapabilities() {
  StandardCapabilities& caps = capabilities_;
  const int32_t fields = DeviceCaps(kDcFields, nullptr);
  if (fields == kNoAnswer) {
    return false;
  }
  caps.deviceModeFields = static_cast<uint32_t>(fields);

  if (const std::size_t count = CapabilityCount(kDcEnumResolutions); count != 0) {
    std::vector<uint8_t> pairs(count * kResolutionPairSize);
    const std::size_t written = FillCapability(kDcEnumResolutions, pairs.data(), count);
    const platform::ByteReader reader(pairs.data(), pairs.size());
    caps.resolutions.SetSize(written);
    for (std::size_t i = 0; i < written; ++i) {
      caps.resolutions[i].SetX(reader.I32(i * kResolutionPairSize).value_or(0));
      caps.resolutions[i].SetY(reader.I32(i * kResolutionPairSize + 4).value_or(0));
    }
    SortResolutions(caps.resolutions);
  }
  const DevModeView devMode = DevMode();
  caps.resolution = ChooseResolution(caps.resolutions, devMode.Fields(), devMode.PrintQuality(),
                                     devMode.YResolution(), caps.resolution);
  caps.maximumExtent = DecodeExtent(DeviceCaps(kDcMaxExtent, nullptr), false);
  caps.minimumExtent = DecodeExtent(DeviceCaps(kDcMinExtent, nullptr), true);
  if (const int32_t orientation = DeviceCaps(kDcOrientation, nullptr);
      orientation != kNoAnswer && orientation != 0) {
    caps.orientation = static_cast<int16_t>(orientation);
  }
  caps.resolutionTaken = true;
  if (const int32_t copies = DeviceCaps(kDcCopies, nullptr); copies != kNoAnswer && copies != 0) {
    caps.maximumCopies = static_cast<uint32_t>(copies);
  }
  return true;
}

}  // namespace vexlow
