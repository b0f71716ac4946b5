// The paper and media lists of a printer that its information library does
// not supply: built from the spooler's paper capabilities, or read from the
// device mode's private area.
#ifndef TOOL_PRINTERS_PAPER_LIST_H
#define TOOL_PRINTERS_PAPER_LIST_H

#include <cstdint>
#include <string_view>

#include "platform/byte_view.h"
#include "tool/printers/devmode.h"
#include "tool/printers/records.h"

namespace vexlow {

// Paper identifiers the plain model never offers.
inline constexpr int16_t kPaperUserSize = 256;
inline constexpr int16_t kPaperDriverUserSize = 262;

// Names a paper from one DC_PAPERNAMES entry (read up to its zero, at most
// its 64 bytes), cut to 49 characters. With split, "name|display" gives the
// two names either side of the last '|'; else both are the whole name.
void SetPaperNames(PaperRecord& paper, std::string_view entry, bool split);

// For a printer without a model identifier: drops the user sizes 256 and
// 262; a device mode that named 256 then names the first paper left.
void FilterPapersForPlainModel(PaperList& papers, const DevModeView& devMode);
// For a printer with a model identifier: keeps only the driver's own papers
// (256 and above); a device mode that named a standard paper then names the
// first paper left.
void FilterPapersForModel(PaperList& papers, const DevModeView& devMode);

// The media list from the private area: up to 20 layout-one entries, or the
// layout-two entries, each only as far as the area holds it. True when the
// list is not empty afterwards. Entries not read are all zero.
bool ReadMediaRecords(uint32_t features, const platform::ByteReader& privateArea,
                      const PaperList& papers, MediaList& media);

}  // namespace vexlow

#endif  // TOOL_PRINTERS_PAPER_LIST_H
