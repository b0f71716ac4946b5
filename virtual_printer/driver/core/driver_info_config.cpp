#include "virtual_printer/driver/core/driver_info_config.h"

#include "virtual_printer/core/ini_text.h"

namespace vp {
namespace {

// Paper names fill a 50-byte field with its terminating zero.
constexpr std::size_t kMaxPaperName = 49;
// Keeps every device measure of a paper within 16 bits at the highest resolution.
constexpr uint64_t kMaxPaperTenthsMm = 6000;
constexpr uint64_t kMaxPrintingOffset = 1000;

// "X Y", each at most max.
bool ParsePair(std::string_view value, uint64_t max, WordPair* pair) {
  std::string_view first, second;
  SplitTwo(value, &first, &second);
  uint64_t x = 0, y = 0;
  if (!ParseNumber(first, max, &x) || !ParseNumber(second, max, &y)) {
    return false;
  }
  *pair = {static_cast<uint16_t>(x), static_cast<uint16_t>(y)};
  return true;
}

// "ID WIDTH LENGTH NAME[|DISPLAY NAME]"
bool ParsePaper(std::string_view value, DriverPaper* paper) {
  std::string_view id, rest, width, length, name;
  SplitTwo(value, &id, &rest);
  SplitTwo(rest, &width, &rest);
  SplitTwo(rest, &length, &name);
  uint64_t n[3] = {};
  if (!ParseNumber(id, 0x7FFF, &n[0]) || n[0] == 0 ||
      !ParseNumber(width, kMaxPaperTenthsMm, &n[1]) || n[1] == 0 ||
      !ParseNumber(length, kMaxPaperTenthsMm, &n[2]) || n[2] == 0) {
    return false;
  }
  const std::string_view::size_type bar = name.find('|');
  const std::string_view plain = name.substr(0, bar);
  const std::string_view display = bar == std::string_view::npos ? plain : name.substr(bar + 1);
  if (plain.empty() || plain.size() > kMaxPaperName || display.empty() ||
      display.size() > kMaxPaperName) {
    return false;
  }
  *paper = {static_cast<int16_t>(n[0]), static_cast<uint16_t>(n[1]), static_cast<uint16_t>(n[2]),
            std::string(plain), std::string(display)};
  return true;
}

// "KEY MARGIN"
bool ParseMargin(std::string_view value, DriverMargin* margin) {
  WordPair pair;
  if (!ParsePair(value, 0x7FFF, &pair) || pair.x > 0xFF) {
    return false;
  }
  *margin = {static_cast<uint8_t>(pair.x), static_cast<int16_t>(pair.y)};
  return true;
}

class DriverLines : public IniHandler {
 public:
  explicit DriverLines(DriverInfoConfig* config) : config_(config) {}

  std::string Section(const std::string& name) override {
    return name == "driver" ? std::string()
                            : "unknown section [" + name + "]; the section is [driver]";
  }

  std::string Key(const std::string&, const std::string& key, std::string_view value) override {
    uint64_t n = 0;
    if (key == "model") {
      if (!ParseNumber(value, 0xFFFF, &n)) {
        return "model must be a number from 0 to 0xFFFF";
      }
      config_->modelId = static_cast<uint16_t>(n);
    } else if (key == "features") {
      if (!ParseNumber(value, 0xFFFFFFFFu, &n)) {
        return "features must be a 32-bit number";
      }
      config_->featureFlags = static_cast<uint32_t>(n);
    } else if (key == "colours") {
      if (!ParseNumber(value, 0xFFFF, &n)) {
        return "colours must be a number from 0 to 0xFFFF";
      }
      config_->colours = static_cast<uint16_t>(n);
    } else if (key == "origin" || key == "offset") {
      if (!ParsePair(value, 0xFFFF, key == "origin" ? &config_->origin : &config_->offset)) {
        return key + " must read '<x> <y>', each from 0 to 0xFFFF";
      }
    } else if (key == "value_276") {
      if (!ParseNumber(value, 0x7FFFFFFF, &n)) {
        return "value_276 must be a number from 0 to 0x7FFFFFFF";
      }
      config_->value276 = static_cast<int32_t>(n);
    } else if (key == "resolution") {
      if (!ParseNumber(value, 1200, &n) || n < 72) {
        return "resolution must be from 72 to 1200 dots per inch";
      }
      config_->resolution = static_cast<uint16_t>(n);
    } else if (key == "printing_offset") {
      if (!ParsePair(value, kMaxPrintingOffset, &config_->printingOffset)) {
        return "printing_offset must read '<x> <y>', each from 0 to 1000 pixels";
      }
    } else if (key == "paper") {
      return AddRecord(
          value, config_->papers, papersGiven_, ParsePaper,
          "paper must read '<id> <width> <length> <name>[|<display name>]': id 1 to "
          "32767, sizes 1 to 6000 tenths of a millimetre, names of 1 to 49 characters");
    } else if (key == "margin") {
      return AddRecord(value, config_->margins, marginsGiven_, ParseMargin,
                       "margin must read '<key 0..255> <margin 0..32767>'");
    } else {
      return "unknown key '" + key + "' in [driver]";
    }
    return {};
  }

 private:
  // The first line of a list replaces the defaults; "none" leaves it empty.
  template <typename Record>
  static std::string AddRecord(std::string_view value, std::vector<Record>& list, bool& given,
                               bool (*parse)(std::string_view, Record*), const char* problem) {
    if (!given) {
      list.clear();
      given = true;
    }
    if (Lower(value) == "none") {
      return {};
    }
    Record record;
    if (!parse(value, &record)) {
      return problem;
    }
    list.push_back(record);
    return {};
  }

  DriverInfoConfig* config_;
  bool papersGiven_ = false;
  bool marginsGiven_ = false;
};

}  // namespace

bool ParseDriverInfoConfig(std::string_view text, DriverInfoConfig* config, std::string* error) {
  *config = DriverInfoConfig{};
  DriverLines lines(config);
  return ParseIni(text, lines, error);
}

}  // namespace vp
