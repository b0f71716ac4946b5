// Lookups over the printer model's records. Identifiers compare as 16-bit
// values. A lookup that finds nothing gives a shared all-zero record, which is
// never written.
#ifndef TOOL_PRINTERS_RECORD_LOOKUPS_H
#define TOOL_PRINTERS_RECORD_LOOKUPS_H

#include <cstdint>

#include "tool/printers/records.h"

namespace vexlow {

const PaperRecord& NoPaper();
const MediaRecord& NoMedia();
const MarginRecord& NoMarginRecord();

// The first paper of that identifier.
const PaperRecord& FindPaper(const PaperList& papers, int16_t id);
// The paper of that identifier, or the paper of its group when it belongs to
// another; the first paper when none has the identifier.
const PaperRecord& FindGroupPaper(const PaperList& papers, int16_t id);
// The piece of a group; the first paper when no paper is that piece.
const PaperRecord& FindPaperPiece(const PaperList& papers, int16_t groupId, uint16_t piece);
const MediaRecord& FindMedia(const MediaList& media, uint16_t id);
// The last margin record whose key is at most key.
const MarginRecord& FindMarginRecord(const MarginList& margins, uint32_t key);

}  // namespace vexlow

#endif  // TOOL_PRINTERS_RECORD_LOOKUPS_H
