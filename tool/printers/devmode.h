// A device mode handled as the bytes the spooler gives: the public DEVMODEA
// fields at their Windows offsets, and the driver-private area that follows.
#ifndef TOOL_PRINTERS_DEVMODE_H
#define TOOL_PRINTERS_DEVMODE_H

#include <cstddef>
#include <cstdint>

#include "platform/byte_view.h"

namespace vexlow {

// DEVMODEA offsets (dmDeviceName is 32 bytes).
inline constexpr std::size_t kDmSpecVersionOffset = 32;
inline constexpr std::size_t kDmDriverVersionOffset = 34;
inline constexpr std::size_t kDmSizeOffset = 36;
inline constexpr std::size_t kDmDriverExtraOffset = 38;
inline constexpr std::size_t kDmFieldsOffset = 40;
inline constexpr std::size_t kDmOrientationOffset = 44;
inline constexpr std::size_t kDmPaperSizeOffset = 46;
inline constexpr std::size_t kDmPaperLengthOffset = 48;
inline constexpr std::size_t kDmPaperWidthOffset = 50;
inline constexpr std::size_t kDmScaleOffset = 52;
inline constexpr std::size_t kDmCopiesOffset = 54;
inline constexpr std::size_t kDmDefaultSourceOffset = 56;
inline constexpr std::size_t kDmPrintQualityOffset = 58;
inline constexpr std::size_t kDmColorOffset = 60;
inline constexpr std::size_t kDmDuplexOffset = 62;
inline constexpr std::size_t kDmYResolutionOffset = 64;
// sizeof(DEVMODEA): the dmSize of a device mode of today's layout.
inline constexpr std::size_t kDevModeASize = 156;

// dmFields bits (DM_...), also the bits of DC_FIELDS.
inline constexpr uint32_t kDmOrientation = 0x00000001;
inline constexpr uint32_t kDmPaperSize = 0x00000002;
inline constexpr uint32_t kDmPaperLength = 0x00000004;
inline constexpr uint32_t kDmPaperWidth = 0x00000008;
inline constexpr uint32_t kDmScale = 0x00000010;
inline constexpr uint32_t kDmCopies = 0x00000100;
inline constexpr uint32_t kDmPrintQuality = 0x00000400;
inline constexpr uint32_t kDmColor = 0x00000800;
inline constexpr uint32_t kDmYResolution = 0x00002000;

inline constexpr int16_t kDmOrientPortrait = 1;
inline constexpr int16_t kDmColorColor = 2;
inline constexpr int16_t kDmPaperUser = 256;

// A device mode block of `size` bytes. Fields outside the block read as 0 and
// are not written.
class DevModeView {
 public:
  DevModeView() = default;
  DevModeView(void* block, std::size_t size)
      : block_(static_cast<uint8_t*>(block)), size_(block == nullptr ? 0 : size) {}

  uint16_t DmSize() const { return Reader().U16(kDmSizeOffset).value_or(0); }
  uint16_t DriverExtra() const { return Reader().U16(kDmDriverExtraOffset).value_or(0); }
  uint32_t Fields() const { return Reader().U32(kDmFieldsOffset).value_or(0); }
  void AddFields(uint32_t fields) const { Writer().PutU32(kDmFieldsOffset, Fields() | fields); }

  int16_t Orientation() const { return Short(kDmOrientationOffset); }
  void SetOrientation(int16_t value) const { SetShort(kDmOrientationOffset, value); }
  int16_t PaperSize() const { return Short(kDmPaperSizeOffset); }
  void SetPaperSize(int16_t value) const { SetShort(kDmPaperSizeOffset, value); }
  int16_t PaperLength() const { return Short(kDmPaperLengthOffset); }
  int16_t PaperWidth() const { return Short(kDmPaperWidthOffset); }
  void SetScale(int16_t value) const { SetShort(kDmScaleOffset, value); }
  int16_t PrintQuality() const { return Short(kDmPrintQualityOffset); }
  int16_t Color() const { return Short(kDmColorOffset); }
  int16_t YResolution() const { return Short(kDmYResolutionOffset); }

  // The driver-private area: the dmDriverExtra bytes from dmSize on, never
  // more than the block holds; empty when dmSize lies outside the block.
  platform::ByteWriter PrivateArea() const {
    const std::size_t start = DmSize();
    if (start >= size_) {
      return platform::ByteWriter();
    }
    const std::size_t extra = DriverExtra();
    return platform::ByteWriter(block_ + start, extra < size_ - start ? extra : size_ - start);
  }

 private:
  platform::ByteReader Reader() const { return platform::ByteReader(block_, size_); }
  platform::ByteWriter Writer() const { return platform::ByteWriter(block_, size_); }
  int16_t Short(std::size_t offset) const {
    return static_cast<int16_t>(Reader().U16(offset).value_or(0));
  }
  void SetShort(std::size_t offset, int16_t value) const {
    Writer().PutU16(offset, static_cast<uint16_t>(value));
  }

  uint8_t* block_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace vexlow

#endif  // TOOL_PRINTERS_DEVMODE_H
