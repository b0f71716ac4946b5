#include "tool/printers/printer_info.h"

#include "tool/printers/classification.h"
#include "tool/printers/paper_list.h"
#include "tool/printers/private_area.h"
#include "tool/printers/special_tape.h"

namespace vexlow {
namespace {

constexpr uint16_t kCopiesLimit = 5000;
// The settings a printer offers that its driver says nothing about.
constexpr uint32_t kFallbackSettings = 0x51;

}  // namespace

PrinterInfo::PrinterInfo(PrinterEnvironment& environment) : PrinterDeviceInfo(environment) {}

PrinterInfo::~PrinterInfo() = default;

bool PrinterInfo::Attach(const char* name, uint32_t /*modelId*/) {
  if (name == nullptr || name[0] == '\0') {
    return false;
  }
  const std::string suffix = GetSpecialTapeSuffix(environment_);
  SetName(displayName_, name);
  const uint16_t wantedMode = HasSpecialTapeSuffix(DisplayName(), suffix) ? kSpecialTapeOn : 0;
  printerName_ = displayName_;
  CutSpecialTapeSuffix(printerName_, suffix);
  if (!Open()) {
    return false;
  }
  // The registration is looked up under the printer's name here: only a
  // printer named like its driver is switched to the wanted mode.
  if (LookUpDriver(environment_, printerName_.data(), libraryPath_.data(), libraryPath_.size()) ==
      kDriverSpecialTape) {
    SwitchSpecialTape(wantedMode);
  }
  ResetExtension();
  if (LoadDriverExtension()) {
    extension_.state |= DriverExtension::kLoaded;
    if (papers_.Empty()) {
      BuildFallbackPaperList(true);
    }
    const platform::ByteReader area = DevMode().PrivateArea().Reader();
    if (ReadMediaRecords(extension_.featureFlags, area, papers_, media_)) {
      extension_.presentationFlags[1] |= kMediaPresent;
    }
    ReadOptionBits(area, DevMode().Color(), extension_);
  } else {
    ApplyFallbackDefaults();
  }
  geometry_.resolution = capabilities_.resolution;
  extension_.copiesLimit = capabilities_.maximumCopies < kCopiesLimit
                               ? static_cast<uint16_t>(capabilities_.maximumCopies)
                               : kCopiesLimit;
  if (capabilities_.maximumCopies > 1 && (capabilities_.deviceModeFields & kDmCopies) != 0) {
    extension_.settingsMask |= kSettingCopies;
  }
  if (capabilities_.orientation != 0) {
    extension_.presentationFlags[0] |= kLandscapeOffered;
  }
  ComputeExtents(capabilities_.minimumExtent, capabilities_.maximumExtent, extension_.featureFlags,
                 papers_, geometry_);
  ComputeLayout();
  return true;
}

// The driver is asked to rewrite the device mode in the wanted special-tape
// mode, which changes what the printer offers. A private area too short to
// hold the mode has none to switch.
void PrinterInfo::SwitchSpecialTape(uint16_t wantedMode) {
  platform::ByteWriter area = DevMode().PrivateArea();
  const auto mode = area.Reader().U16(kPrivateSpecialTapeOffset);
  if (!mode || *mode == wantedMode) {
    return;
  }
  area.PutU16(kPrivateSpecialTapeOffset, wantedMode == kSpecialTapeOn ? kSpecialTapeOn : 0);
  if (wantedMode == kSpecialTapeOn) {
    AppendSpecialTapeSuffix(displayName_, GetSpecialTapeSuffix(environment_));
  }
  const uint16_t state = area.Reader().U16(kPrivateStateOffset).value_or(0);
  area.PutU16(kPrivateStateOffset, state | kPrivateChangingSettings);
  MergeDevMode(devMode_);
  capabilities_.resolutions.SetSize(0);
  ReadStandardCapabilities();
  // The driver has rewritten the block: its private area is found again.
  area = DevMode().PrivateArea();
  if (const auto rewritten = area.Reader().U16(kPrivateStateOffset)) {
    area.PutU16(kPrivateStateOffset, *rewritten & ~kPrivateChangingSettings);
  }
}

void PrinterInfo::ResetExtension() {
  layout_.maximumMargins = Rect{};
  extension_.origin = Point{};
  extension_.offset = Point{};
  extension_.optionMask = 0;
  extension_.optionBits = 0;
  extension_.featureFlags = 0;
  extension_.paperListMode = kPaperListDefault;
  extension_.value276 = 0;
  extension_.presentationFlags = {};
  media_.SetSize(0);
}

// Without a usable information library the printer is described from the
// spooler alone.
void PrinterInfo::ApplyFallbackDefaults() {
  extension_.settingsMask = kFallbackSettings;
  extension_.presentationFlags = {0x09, 0x00};
  if ((capabilities_.deviceModeFields & kDmColor) != 0) {
    extension_.colourCount = 0xFFFFFF;
    extension_.optionMask |= kOptionColour;
  } else {
    extension_.colourCount = 2;
  }
  if (papers_.Empty() && BuildFallbackPaperList(false)) {
    extension_.state |= DriverExtension::kLoaded;
  }
  if (capabilities_.resolution.x == 0) {
    ResolutionFromPaper(papers_, capabilities_.resolutions, capabilities_.resolution);
  }
  extension_.origin = Point{};
  extension_.offset = Point{};
  extension_.paperListMode = kPaperListModel;
  extension_.paperListModeCopy = kPaperListModel;
  extension_.value276 = 1;
}

void PrinterInfo::ComputeLayout() {
  const LayoutInputs inputs{
      DevMode(), extension_.featureFlags, papers_,           margins_,
      media_,    extension_.origin,       extension_.offset, geometry_.resolution.x};
  vexlow::ComputeLayout(inputs, layout_);
  extension_.layoutCounter = 0;
}

const uint32_t* PrinterInfo::GetModelId() const {
  return (extension_.state & DriverExtension::kLoaded) != 0 ? &extension_.modelId : nullptr;
}

bool PrinterInfo::SetOptionBits(uint32_t bits) {
  extension_.optionBits = bits & extension_.optionMask;
  return true;
}

void PrinterInfo::Release() {
  if ((extension_.state & DriverExtension::kLoaded) != 0) {
    papers_.SetSize(0);
    media_.SetSize(0);
    margins_.SetSize(0);
    extension_.state &= ~DriverExtension::kLoaded;
  }
  PrinterDeviceInfo::Release();
}

}  // namespace vexlow
