// What a printer's driver extension (its information library) tells the
// printer object beyond the spooler, and the settings and option masks
// derived from it. The meaning of the single feature, settings, option and
// presentation bits belongs to the drivers; they are carried as numbers.
#ifndef TOOL_PRINTERS_EXTENSION_DATA_H
#define TOOL_PRINTERS_EXTENSION_DATA_H

#include <array>
#include <cstdint>

#include "platform/byte_view.h"
#include "tool/printers/page_geometry.h"

namespace vexlow {

// Paper-list modes: which index gives the paper records.
inline constexpr int16_t kPaperListDefault = 0;
inline constexpr int16_t kPaperListModel = 2;  // INFO_MODEL_PAPER_RECORDS
inline constexpr int16_t kPaperListUser = 10;

// Bits of the second presentation byte.
inline constexpr uint8_t kMediaPresent = 0x01;
inline constexpr uint8_t kPaperOfPieces = 0x02;
// Bit of the first presentation byte: the printer offers landscape.
inline constexpr uint8_t kLandscapeOffered = 0x10;
inline constexpr uint32_t kSettingCopies = 0x20;
// The option bit of a printer that prints in colour.
inline constexpr uint32_t kOptionColour = 0x08;

struct DriverExtension {
  static constexpr uint32_t kLoaded = 0x1;

  uint32_t state = 0;       // kLoaded: the library answered, or a fallback paper list was built
  uint32_t optionMask = 0;  // the option bits this printer offers
  uint32_t optionBits = 0;  // always within optionMask
  uint32_t defaultOptionBits = 0;  // as the device mode held them at attach
  uint32_t featureFlags = 0;
  Point origin;
  Point offset;
  int16_t value276 = 0;
  int16_t paperListMode = 0;
  uint32_t layoutCounter = 0;
  uint32_t modelId = 0;  // bit 16 added in special-tape mode
  std::array<uint8_t, 2> presentationFlags{};
  uint16_t copiesLimit = 0;
  uint32_t colourCount = 0;
  uint32_t settingsMask = 0;
  int16_t paperListModeCopy = 0;
};

// The settings mask, option mask, colour count and first presentation byte
// from the feature flags, the DC_FIELDS bits, the maximum copies and the
// platform class.
void DeriveSettingMasks(uint32_t deviceModeFields, uint32_t maximumCopies, int16_t platformClass,
                        DriverExtension& extension);

// The option bits the device mode's private area holds, within the option
// mask; the default option bits follow. A layout-one area that fails the
// private-area check changes nothing.
void ReadOptionBits(const platform::ByteReader& privateArea, int16_t dmColor,
                    DriverExtension& extension);

}  // namespace vexlow

#endif  // TOOL_PRINTERS_EXTENSION_DATA_H
