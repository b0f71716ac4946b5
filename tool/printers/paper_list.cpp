#include "tool/printers/paper_list.h"

namespace vexlow {
namespace {

// Paper names are kept to 49 characters and their zero.
constexpr std::size_t kMaxPaperNameLength = PaperRecord::kNameWidth - 1;

}  // namespace

void SetPaperNames(PaperRecord& paper, std::string_view entry, bool split) {
  const std::string_view name = entry.substr(0, kMaxPaperNameLength);
  const std::size_t bar = split ? name.rfind('|') : std::string_view::npos;
  if (bar == std::string_view::npos) {
    paper.SetPaperName(name);
    paper.SetDisplayName(name);
  } else {
    paper.SetPaperName(name.substr(0, bar));
    paper.SetDisplayName(name.substr(bar + 1));
  }
}

void FilterPapersForPlainModel(PaperList& papers, const DevModeView& devMode) {
  papers.KeepIf([](const PaperRecord& paper) {
    return paper.Id() != kPaperUserSize && paper.Id() != kPaperDriverUserSize;
  });
  if (devMode.PaperSize() == kPaperUserSize && !papers.Empty()) {
    devMode.SetPaperSize(papers[0].Id());
  }
}

void FilterPapersForModel(PaperList& papers, const DevModeView& devMode) {
  papers.KeepIf([](const PaperRecord& paper) {
    return static_cast<uint16_t>(paper.Id()) >= static_cast<uint16_t>(kPaperUserSize);
  });
  if (devMode.PaperSize() < kPaperUserSize && !papers.Empty()) {
    devMode.SetPaperSize(papers[0].Id());
  }
}

}  // namespace vexlow
