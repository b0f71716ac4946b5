// What the printer driver's information library adds to the spooler's
// description: feature flags, paper and margin records, colours, origin and
// offset, and the model identifier.
#include <algorithm>

#include "platform/registered_library.h"
#include "tool/printers/classification.h"
#include "tool/printers/feature_flags.h"
#include "tool/printers/printer_info.h"
#include "tool/printers/private_area.h"

namespace vexlow {
namespace {

constexpr int32_t kNoAnswer = -1;
constexpr char kDamagedDriverMessage[] = "The driver is damage. Reinstall the driver.";

Point LowHighWords(int32_t answer) {
  const uint32_t words = static_cast<uint32_t>(answer);
  return Point{static_cast<int32_t>(words & 0xFFFF), static_cast<int32_t>(words >> 16)};
}

}  // namespace

bool PrinterInfo::LoadDriverExtension() {
  extension_.featureFlags = 0;
  if (LookUpDriver(environment_, driverName_.data(), libraryPath_.data(), libraryPath_.size()) ==
      kDriverNotSupported) {
    return false;
  }
  platform::LibraryLoader& loader = environment_.loader;
  const platform::LibraryLoader::Handle library =
      platform::LoadRegisteredLibrary(loader, libraryPath_.data());
  if (library == nullptr) {
    environment_.messages.Show(kDamagedDriverMessage, platform::MessageIcon::Exclamation,
                               platform::MessageButtons::Ok);
    return false;
  }
  const auto query =
      reinterpret_cast<MyDeviceCapabilitiesFn>(loader.Resolve(library, INFO_LIBRARY_EXPORT));
  if (query == nullptr) {
    loader.Free(library);
    return true;
  }
  // Every question names the driver; the two that fill records name the
  // printer.
  const auto ask = [&](uint16_t index) {
    return query(driverName_.data(), portName_.data(), index, nullptr, devMode_);
  };
  const int32_t features = ask(INFO_FEATURE_FLAGS);
  extension_.featureFlags = features == kNoAnswer ? 0 : static_cast<uint32_t>(features);

  const uint16_t paperIndex = extension_.paperListMode == kPaperListModel
                                  ? uint16_t{INFO_MODEL_PAPER_RECORDS}
                                  : uint16_t{INFO_PAPER_RECORDS};
  if (ReadLibraryRecords(query, paperIndex, papers_) &&
      std::any_of(papers_.begin(), papers_.end(),
                  [](const PaperRecord& paper) { return paper.PieceNumber() > 1; })) {
    extension_.presentationFlags[1] |= kPaperOfPieces;
  }
  ReadLibraryRecords(query, INFO_MARGIN_RECORDS, margins_);
  ComputeMinimumOffsets(papers_, margins_, geometry_);
  DeriveSettingMasks(capabilities_.deviceModeFields, capabilities_.maximumCopies, platformClass_,
                     extension_);

  extension_.colourCount = 1;
  if ((extension_.featureFlags & kFeatureColourCount) != 0) {
    if (const int32_t colours = ask(INFO_COLOUR_COUNT); colours != kNoAnswer) {
      extension_.colourCount = static_cast<uint32_t>(colours) & 0xFFFF;
    }
  }
  if (const int32_t origin = ask(INFO_ORIGIN); origin != kNoAnswer) {
    extension_.origin = LowHighWords(origin);
  }
  if (const int32_t offset = ask(INFO_OFFSET); offset != kNoAnswer) {
    extension_.offset = LowHighWords(offset);
  }
  const int32_t value276 = ask(INFO_VALUE_276);
  extension_.value276 = value276 == kNoAnswer ? int16_t{1} : static_cast<int16_t>(value276);
  ReadModelIdentity(ask(INFO_MODEL_ID));
  loader.Free(library);
  return true;
}

// Records of an index: the count, then the records into a block of that many.
// A count that is no answer, negative or above kMaxDriverRecords leaves the
// list as it was, and so does a second call that writes nothing; of the rest
// only as many records as the library says it wrote are taken. True when the
// list was replaced.
template <typename Record>
bool PrinterInfo::ReadLibraryRecords(MyDeviceCapabilitiesFn query, uint16_t index,
                                     RecordArray<Record>& list) {
  const int32_t count = query(driverName_.data(), portName_.data(), index, nullptr, devMode_);
  if (count == 0) {
    list.SetSize(0);
    return true;
  }
  if (count < 0 || static_cast<std::size_t>(count) > kMaxDriverRecords) {
    return false;
  }
  RecordArray<Record> records;
  records.SetSize(static_cast<std::size_t>(count));
  const int32_t written =
      query(printerName_.data(), portName_.data(), index, records.Data(), devMode_);
  if (written < 0) {
    return false;
  }
  records.SetSize(std::min(written, count));
  list = std::move(records);
  return true;
}

void PrinterInfo::ReadModelIdentity(int32_t answer) {
  const uint32_t features = extension_.featureFlags;
  if (answer == kNoAnswer) {
    extension_.modelId = 0;
  } else {
    extension_.modelId = static_cast<uint32_t>(answer);
    const auto mode = DevMode().PrivateArea().Reader().U16(kPrivateSpecialTapeOffset);
    if ((features & kFeatureSpecialTape) != 0 && mode == kSpecialTapeOn) {
      extension_.modelId |= 0x10000;
    }
  }
  int16_t paperListMode = kPaperListDefault;
  if ((features & kFeatureModelFlags) != 0) {
    const char series = static_cast<char>(extension_.modelId & 0xFF);
    paperListMode = series == '1'   ? kPaperListUser
                    : series == '2' ? kPaperListModel
                                    : kPaperListDefault;
  } else if ((features & kFeatureModelPaperList) != 0) {
    paperListMode = kPaperListUser;
  }
  extension_.paperListMode = paperListMode;
  extension_.paperListModeCopy = paperListMode;
}

}  // namespace vexlow
