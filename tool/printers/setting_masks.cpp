// The settings and option masks a driver's feature flags give, and the option
// bits the device mode holds.
#include "tool/printers/classification.h"
#include "tool/printers/devmode.h"
#include "tool/printers/extension_data.h"
#include "tool/printers/feature_flags.h"
#include "tool/printers/private_area.h"

namespace vexlow {
namespace {

bool Has(uint32_t bits, uint32_t bit) {
  return (bits & bit) == bit;
}

// Option bits taken one for one from the layout-one option word.
constexpr uint32_t kOptionBitsFromWord[] = {0x01, 0x02, 0x04, 0x40, 0x80, 0x100, 0x200, 0x400};
constexpr uint32_t kOptionColourCount = 0x40;
constexpr uint32_t kOptionTrayBits = 0xF000;
constexpr uint32_t kSettingTray = 0x2000;

// A mask bit that every feature bit of `when` sets.
struct BitRule {
  uint32_t when;
  uint32_t set;
};

// Settings that drivers of model flags offer by feature.
constexpr BitRule kModelSettingRules[] = {{0x01, 0x01}, {0x02, 0x10}, {0x20, 0x40}};
constexpr BitRule kSettingRules[] = {{0x04, 0x02}, {0x40000000, 0x400}, {0x80000000, 0x1800}};
constexpr BitRule kOptionRules[] = {
    {0x10, 0x01},  {0x08000000, 0x02}, {0x40, 0x04},    {kFeatureColourCount, kOptionColourCount},
    {0x400, 0x80}, {0x800, 0x100},     {0x8000, 0x200}, {kFeatureModelFlags | 0x1000, 0x400}};

template <std::size_t N>
uint32_t Apply(const BitRule (&rules)[N], uint32_t features, uint32_t mask) {
  for (const BitRule& rule : rules) {
    if (Has(features, rule.when)) {
      mask |= rule.set;
    }
  }
  return mask;
}

void ReadLayoutOneOptions(const platform::ByteReader& area, int16_t dmColor,
                          DriverExtension& extension) {
  const uint32_t word = area.U32(kPrivateOptionBitsOffset).value_or(0);
  uint32_t& bits = extension.optionBits;
  for (const uint32_t bit : kOptionBitsFromWord) {
    if (Has(extension.optionMask, bit)) {
      bits = (bits & ~bit) | (word & bit);
    }
  }
  if (Has(extension.optionMask, kOptionColour)) {
    bits = dmColor == kDmColorColor ? bits | kOptionColour : bits & ~kOptionColour;
  }
  if ((word & kOptionTrayBits) != 0) {
    extension.optionMask |= kOptionTrayBits;
    extension.settingsMask |= kSettingTray;
    bits &= ~kOptionTrayBits;
    for (const uint32_t tray : {0x1000u, 0x2000u, 0x4000u}) {
      if ((word & tray) != 0) {
        bits |= tray;
        break;
      }
    }
  }
}

void ReadLayoutTwoOptions(uint8_t byte, DriverExtension& extension) {
  const auto follow = [&extension](uint32_t bit, bool on) {
    if (Has(extension.optionMask, bit)) {
      extension.optionBits = on ? extension.optionBits | bit : extension.optionBits & ~bit;
    }
  };
  follow(0x01, (byte & 0x40) != 0);
  follow(0x02, (byte & 0x40) != 0);
  follow(0x04, (byte & 0x80) != 0);
}

}  // namespace

void DeriveSettingMasks(uint32_t deviceModeFields, uint32_t maximumCopies, int16_t platformClass,
                        DriverExtension& extension) {
  const uint32_t f = extension.featureFlags;
  uint32_t s = Has(f, 0x200) ? 0x5D : 0x55;
  if (Has(f, kFeatureModelFlags)) {
    s = Apply(kModelSettingRules, f, s);
    if (Has(f, 0x08)) {
      s &= ~0x04u;
    }
  } else if (Has(f, 0x08)) {
    s &= ~0xFFu | 0xAAu;  // of the low byte only 0xAA stays
  }
  if (maximumCopies == 1) {
    s &= ~(0x10u | 0x40u);
  }
  if (platformClass == kPlatformWindows9x) {
    s |= 0x100;
  }
  s = Apply(kSettingRules, f, s);
  if (Has(f, 0x20000000)) {
    s = (s & ~0x100u) | 0x200;
  }
  extension.presentationFlags[0] |= 0x0F;

  uint32_t o = Apply(kOptionRules, f, 0);
  if (Has(deviceModeFields, kDmColor)) {
    o |= kOptionColour;
  }
  if (Has(f, kFeatureModelFlags | 0x2000)) {
    s |= 0x4000;
  }
  extension.settingsMask = s;
  extension.optionMask = o;
  extension.colourCount = Has(o, kOptionColourCount) ? 4 : Has(o, kOptionColour) ? 0xFFFFFF : 2;
}

void ReadOptionBits(const platform::ByteReader& privateArea, int16_t dmColor,
                    DriverExtension& extension) {
  const uint32_t features = extension.featureFlags;
  if (UsesPrivateLayoutOne(features)) {
    if (!PassesPrivateAreaCheck(privateArea)) {
      return;
    }
    ReadLayoutOneOptions(privateArea, dmColor, extension);
  } else if (UsesPrivateLayoutTwo(features)) {
    // An area too short to hold the option byte has nothing to say.
    if (const auto byte = privateArea.U8(kPrivateOptionByteOffset)) {
      ReadLayoutTwoOptions(*byte, extension);
    }
  }
  extension.optionBits &= extension.optionMask;
  extension.defaultOptionBits = extension.optionBits;
}

}  // namespace vexlow
