#include "tool/printers/record_lookups.h"

namespace vexlow {

const PaperRecord& NoPaper() {
  static const PaperRecord none;
  return none;
}

const MediaRecord& NoMedia() {
  static const MediaRecord none;
  return none;
}

const MarginRecord& NoMarginRecord() {
  static const MarginRecord none;
  return none;
}

const PaperRecord& FindPaper(const PaperList& papers, int16_t id) {
  for (const PaperRecord& paper : papers) {
    if (paper.Id() == id) {
      return paper;
    }
  }
  return NoPaper();
}

const PaperRecord& FindGroupPaper(const PaperList& papers, int16_t id) {
  for (const PaperRecord& paper : papers) {
    if (paper.Id() == id) {
      const int16_t group = paper.GroupId();
      return group != 0 && group != id ? FindPaper(papers, group) : paper;
    }
  }
  return papers.Empty() ? NoPaper() : papers[0];
}

const PaperRecord& FindPaperPiece(const PaperList& papers, int16_t groupId, uint16_t piece) {
  for (const PaperRecord& paper : papers) {
    if (paper.GroupId() == groupId && paper.PieceNumber() == piece) {
      return paper;
    }
  }
  return papers.Empty() ? NoPaper() : papers[0];
}

const MediaRecord& FindMedia(const MediaList& media, uint16_t id) {
  for (const MediaRecord& medium : media) {
    if (medium.Id() == id) {
      return medium;
    }
  }
  return NoMedia();
}

const MarginRecord& FindMarginRecord(const MarginList& margins, uint32_t key) {
  for (std::size_t i = margins.Size(); i > 0; --i) {
    if (margins[i - 1].Key() <= key) {
      return margins[i - 1];
    }
  }
  return NoMarginRecord();
}

}  // namespace vexlow
