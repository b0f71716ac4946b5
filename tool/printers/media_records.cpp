// The media entries a driver keeps in the device mode's private area.
#include <string>

#include "tool/printers/feature_flags.h"
#include "tool/printers/paper_list.h"
#include "tool/printers/private_area.h"
#include "tool/printers/record_lookups.h"

namespace vexlow {
namespace {

using platform::ByteReader;

// Layout-two media take identifiers from this one on.
constexpr uint16_t kFirstLayoutTwoMedium = 306;
constexpr std::size_t kLayoutTwoNameOffset = 0;
constexpr std::size_t kLayoutTwoPaperOffset = 64;
constexpr std::size_t kLayoutTwoLengthOffset = 66;
constexpr std::size_t kLayoutTwoByteOffset = 68;
constexpr std::size_t kLayoutTwoWordOffset = 69;

// A 64-character name field of an entry, up to its first zero.
std::string NameField(const ByteReader& entry, std::size_t offset) {
  std::string name(MediaRecord::kNameWidth, '\0');
  entry.Copy(offset, name.data(), name.size());
  name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
  return name;
}

void ReadLayoutOne(const ByteReader& area, const PaperList& papers, MediaList& media) {
  if (!PassesPrivateAreaCheck(area)) {
    return;
  }
  const std::size_t count = area.U16(kPrivateMediaCountOffset).value_or(0);
  media.SetSize(0);
  media.SetSize(count);
  for (std::size_t i = 0; i < count && i * kPrivateMediaEntrySize < kPrivateMediaBytes; ++i) {
    const std::size_t at = kPrivateMediaOffset + i * kPrivateMediaEntrySize;
    if (!area.Contains(at, kPrivateMediaEntrySize)) {
      break;  // entries past the area are absent
    }
    const ByteReader entry = area.From(at);
    MediaRecord& medium = media[i];
    medium.SetId(entry.U16(0).value_or(0));
    medium.SetName(NameField(entry, 2));
    medium.SetSecondName(NameField(entry, 66));
    medium.CopyTail(entry);
    if (medium.PieceNumber() == 0) {
      medium.SetPieceNumber(1);
    }
    const int16_t group = static_cast<int16_t>(medium.PaperId());
    medium.SetPaperId(
        static_cast<uint16_t>(FindPaperPiece(papers, group, medium.PieceNumber()).Id()));
    const PaperRecord& paper = FindPaper(papers, static_cast<int16_t>(medium.PaperId()));
    if (medium.Width() == 0 && &paper != &NoPaper()) {
      medium.SetWidth(static_cast<uint16_t>(paper.PhysicalWidth()));
    }
  }
}

void ReadLayoutTwo(const ByteReader& area, const PaperList& papers, MediaList& media) {
  const auto count = area.U8(kPrivateMediaCountTwoOffset);
  if (!count) {
    return;  // an area too short for this layout
  }
  media.SetSize(0);
  media.SetSize(*count);
  for (std::size_t i = 0; i < *count; ++i) {
    const std::size_t at = kPrivateMediaTwoOffset + i * kPrivateMediaEntryTwoSize;
    if (!area.Contains(at, kPrivateMediaEntryTwoSize)) {
      break;
    }
    const ByteReader entry = area.From(at);
    MediaRecord& medium = media[i];
    const std::string name = NameField(entry, kLayoutTwoNameOffset);
    medium.SetId(static_cast<uint16_t>(kFirstLayoutTwoMedium + i));
    medium.SetName(name);
    medium.SetSecondName(name);
    medium.SetPaperId(entry.U16(kLayoutTwoPaperOffset).value_or(0));
    medium.SetLength(entry.U16(kLayoutTwoLengthOffset).value_or(0));
    medium.SetWord136(entry.U8(kLayoutTwoByteOffset).value_or(0));
    medium.SetWord138(entry.U16(kLayoutTwoWordOffset).value_or(0));
    medium.SetPieceNumber(1);
    // The entry names its paper by position from the first paper's identifier.
    if (!papers.Empty()) {
      const int32_t position = static_cast<int16_t>(medium.PaperId()) - papers[0].Id();
      if (position >= 0 && static_cast<std::size_t>(position) < papers.Size()) {
        medium.SetWidth(static_cast<uint16_t>(papers[position].PhysicalWidth()));
      }
    }
  }
}

}  // namespace

bool ReadMediaRecords(uint32_t features, const ByteReader& privateArea, const PaperList& papers,
                      MediaList& media) {
  if (UsesPrivateLayoutOne(features)) {
    ReadLayoutOne(privateArea, papers, media);
  } else if (UsesPrivateLayoutTwo(features)) {
    ReadLayoutTwo(privateArea, papers, media);
  }
  return !media.Empty();
}

}  // namespace vexlow
