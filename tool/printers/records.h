// The printer model's fixed-size records, kept as their bytes. Paper and
// margin records are exchanged byte for byte with the drivers' information
// libraries and media records mirror the device mode's private area, so the
// offsets are binding; each field is reached through the bounds-checked view
// at an offset checked against the record's size when it compiles.
#ifndef TOOL_PRINTERS_RECORDS_H
#define TOOL_PRINTERS_RECORDS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "platform/byte_view.h"
#include "tool/printers/information_library.h"
#include "tool/printers/record_array.h"

namespace vexlow {

// A count of records from a driver or the spooler above this is not believed:
// the list it would fill is left as it was.
inline constexpr std::size_t kMaxDriverRecords = 1000;

template <std::size_t N>
class ByteRecord {
 public:
  static constexpr std::size_t kSize = N;

  uint8_t* Bytes() { return bytes_.data(); }
  const uint8_t* Bytes() const { return bytes_.data(); }
  platform::ByteReader Reader() const { return platform::ByteReader(bytes_.data(), N); }

 protected:
  template <typename T, std::size_t Offset>
  T Get() const {
    static_assert(std::is_integral_v<T> && Offset + sizeof(T) <= N, "field outside the record");
    const platform::ByteReader reader = Reader();
    if constexpr (sizeof(T) == 1) {
      return static_cast<T>(reader.U8(Offset).value_or(0));
    } else if constexpr (sizeof(T) == 2) {
      return static_cast<T>(reader.U16(Offset).value_or(0));
    } else {
      return static_cast<T>(reader.U32(Offset).value_or(0));
    }
  }
  template <typename T, std::size_t Offset>
  void Put(T value) {
    static_assert(std::is_integral_v<T> && Offset + sizeof(T) <= N, "field outside the record");
    platform::ByteWriter writer(bytes_.data(), N);
    if constexpr (sizeof(T) == 1) {
      writer.PutU8(Offset, static_cast<uint8_t>(value));
    } else if constexpr (sizeof(T) == 2) {
      writer.PutU16(Offset, static_cast<uint16_t>(value));
    } else {
      writer.PutU32(Offset, static_cast<uint32_t>(value));
    }
  }
  // A text field: up to its first zero, never past the field.
  template <std::size_t Offset, std::size_t Width>
  std::string_view Text() const {
    static_assert(Offset + Width <= N, "field outside the record");
    const char* text = reinterpret_cast<const char*>(bytes_.data() + Offset);
    const void* end = std::memchr(text, '\0', Width);
    return std::string_view(text, end == nullptr ? Width : static_cast<const char*>(end) - text);
  }
  // Stores text cut to the field's width, the rest of the field zero; the
  // text is terminated only when it is shorter than the field.
  template <std::size_t Offset, std::size_t Width>
  void SetText(std::string_view text) {
    static_assert(Offset + Width <= N, "field outside the record");
    uint8_t* field = bytes_.data() + Offset;
    const std::size_t length = text.size() < Width ? text.size() : Width;
    std::memset(field, 0, Width);
    std::memcpy(field, text.data(), length);
  }

 private:
  std::array<uint8_t, N> bytes_{};
};

// A device resolution, dots per inch.
class ResolutionEntry : public ByteRecord<8> {
 public:
  int32_t X() const { return Get<int32_t, 0>(); }
  int32_t Y() const { return Get<int32_t, 4>(); }
  void SetX(int32_t value) { Put<int32_t, 0>(value); }
  void SetY(int32_t value) { Put<int32_t, 4>(value); }
};

// A paper the printer offers. Lengths in tenths of a millimetre; device
// measures in pixels of the printer's information context.
class PaperRecord : public ByteRecord<INFO_PAPER_RECORD_SIZE> {
 public:
  static constexpr std::size_t kNameWidth = 50;
  // Paper flags that steer the page layout.
  static constexpr uint32_t kFlagMarginsAtOffset = 0x10;
  static constexpr uint32_t kFlagNoOrigin = 0x80;

  int16_t Id() const { return Get<int16_t, 0>(); }
  void SetId(int16_t value) { Put<int16_t, 0>(value); }
  int16_t PhysicalHeight() const { return Get<int16_t, 2>(); }
  void SetPhysicalHeight(int16_t value) { Put<int16_t, 2>(value); }
  int16_t PaperLength() const { return Get<int16_t, 4>(); }
  void SetPaperLength(int16_t value) { Put<int16_t, 4>(value); }
  int16_t OffsetY() const { return Get<int16_t, 6>(); }
  void SetOffsetY(int16_t value) { Put<int16_t, 6>(value); }
  int16_t PrintableHeight() const { return Get<int16_t, 8>(); }
  void SetPrintableHeight(int16_t value) { Put<int16_t, 8>(value); }
  void SetWord10(uint16_t value) { Put<uint16_t, 10>(value); }
  std::string_view PaperName() const { return Text<12, kNameWidth>(); }
  void SetPaperName(std::string_view name) { SetText<12, kNameWidth>(name); }
  std::string_view DisplayName() const { return Text<62, kNameWidth>(); }
  void SetDisplayName(std::string_view name) { SetText<62, kNameWidth>(name); }
  int16_t PhysicalWidth() const { return Get<int16_t, 112>(); }
  void SetPhysicalWidth(int16_t value) { Put<int16_t, 112>(value); }
  int16_t PaperWidth() const { return Get<int16_t, 114>(); }
  void SetPaperWidth(int16_t value) { Put<int16_t, 114>(value); }
  int16_t OffsetX() const { return Get<int16_t, 116>(); }
  void SetOffsetX(int16_t value) { Put<int16_t, 116>(value); }
  int16_t PrintableWidth() const { return Get<int16_t, 118>(); }
  void SetPrintableWidth(int16_t value) { Put<int16_t, 118>(value); }
  void SetWord120(uint16_t value) { Put<uint16_t, 120>(value); }
  void SetWord122(uint16_t value) { Put<uint16_t, 122>(value); }
  uint32_t Flags() const { return Get<uint32_t, 124>(); }
  void SetFlags(uint32_t value) { Put<uint32_t, 124>(value); }
  // The paper whose margins bound a paper of several pieces; the paper's own
  // identifier, or 0, for a paper of one piece.
  int16_t GroupId() const { return Get<int16_t, 128>(); }
  void SetGroupId(int16_t value) { Put<int16_t, 128>(value); }
  uint8_t PieceNumber() const { return Get<uint8_t, 130>(); }
  void SetPieceNumber(uint8_t value) { Put<uint8_t, 130>(value); }
};

// A margin step: applies from its key on; records come in ascending keys.
class MarginRecord : public ByteRecord<INFO_MARGIN_RECORD_SIZE> {
 public:
  uint8_t Key() const { return Get<uint8_t, 0>(); }
  void SetKey(uint8_t value) { Put<uint8_t, 0>(value); }
  int16_t Margin() const { return Get<int16_t, 1>(); }
  void SetMargin(int16_t value) { Put<int16_t, 1>(value); }
};

// A medium the driver keeps in the device mode's private area.
class MediaRecord : public ByteRecord<150> {
 public:
  static constexpr std::size_t kNameWidth = 64;
  // Bytes 130 to 143 come whole from a layout-one entry.
  static constexpr std::size_t kTailOffset = 130;
  static constexpr std::size_t kTailSize = 14;

  uint16_t Id() const { return Get<uint16_t, 0>(); }
  void SetId(uint16_t value) { Put<uint16_t, 0>(value); }
  std::string_view Name() const { return Text<2, kNameWidth>(); }
  void SetName(std::string_view name) { SetText<2, kNameWidth>(name); }
  std::string_view SecondName() const { return Text<66, kNameWidth>(); }
  void SetSecondName(std::string_view name) { SetText<66, kNameWidth>(name); }
  uint16_t PaperId() const { return Get<uint16_t, 130>(); }
  void SetPaperId(uint16_t value) { Put<uint16_t, 130>(value); }
  uint16_t Length() const { return Get<uint16_t, 132>(); }
  void SetLength(uint16_t value) { Put<uint16_t, 132>(value); }
  uint16_t Width() const { return Get<uint16_t, 134>(); }
  void SetWidth(uint16_t value) { Put<uint16_t, 134>(value); }
  // Words 136 and 138 are the driver's: carried, not read.
  void SetWord136(uint16_t value) { Put<uint16_t, 136>(value); }
  void SetWord138(uint16_t value) { Put<uint16_t, 138>(value); }
  uint16_t PieceNumber() const { return Get<uint16_t, 140>(); }
  void SetPieceNumber(uint16_t value) { Put<uint16_t, 140>(value); }
  // Copies the bytes 130 to 143 of an entry laid out like this record.
  bool CopyTail(const platform::ByteReader& entry) {
    return entry.Copy(kTailOffset, Bytes() + kTailOffset, kTailSize);
  }
};

static_assert(sizeof(ResolutionEntry) == 8);
static_assert(sizeof(PaperRecord) == 138);
static_assert(sizeof(MarginRecord) == 103);
static_assert(sizeof(MediaRecord) == 150);

using ResolutionList = RecordArray<ResolutionEntry>;
using PaperList = RecordArray<PaperRecord>;
using MarginList = RecordArray<MarginRecord>;
using MediaList = RecordArray<MediaRecord>;

}  // namespace vexlow

#endif  // TOOL_PRINTERS_RECORDS_H
