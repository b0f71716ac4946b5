// What the sample information library of the virtual printer's driver tells:
// the model identifier, the feature flags, the papers and margin steps, and
// the few numbers of the other indices. Read from an ini file in the virtual
// printer's dialect (virtual_printer/README.md, "The driver").
#ifndef VIRTUAL_PRINTER_DRIVER_CORE_DRIVER_INFO_CONFIG_H
#define VIRTUAL_PRINTER_DRIVER_CORE_DRIVER_INFO_CONFIG_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// The environment variable that names the library's configuration file; unset,
// the library reads quorbel_info.ini beside itself when there is one.
inline constexpr const char* kDriverInfoEnvironmentVariable = "VEXLOW_DRIVER_INFO";

struct DriverPaper {
  int16_t id = 0;              // a DMPAPER_ value, or 256 and above for the driver's own
  uint16_t widthTenthsMm = 0;  // tenths of a millimetre
  uint16_t lengthTenthsMm = 0;
  std::string name;         // at most 49 characters
  std::string displayName;  // the name after a '|', else the name
};

struct DriverMargin {
  uint8_t key = 0;     // the smallest key the step applies to
  int16_t margin = 0;  // device pixels
};

struct WordPair {
  uint16_t x = 0;
  uint16_t y = 0;
};

struct DriverInfoConfig {
  // None: the virtual printer's model, so that the update matches it.
  std::optional<uint16_t> modelId;
  uint32_t featureFlags = 0;
  uint16_t colours = 2;
  WordPair origin;
  WordPair offset;
  int32_t value276 = 1;
  // Dots per inch of the device measures in the paper records.
  uint16_t resolution = 300;
  // Printing offset of every paper, device pixels.
  WordPair printingOffset{24, 24};
  std::vector<DriverPaper> papers{{9, 2100, 2970, "A4", "A4"},
                                  {300, 620, 1000, "Label 62 x 100", "Label 62 x 100 mm"}};
  std::vector<DriverMargin> margins{{0, 12}, {24, 20}};
};

// Fills *config from ini text, starting from the defaults. False with *error
// ("line N: ...") at the first line that is not understood.
bool ParseDriverInfoConfig(std::string_view text, DriverInfoConfig* config, std::string* error);

}  // namespace vp

#endif  // VIRTUAL_PRINTER_DRIVER_CORE_DRIVER_INFO_CONFIG_H
