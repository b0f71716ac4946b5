#include "config_parser.h"

#include <cstdlib>
#include <limits>

#include "ini_text.h"

namespace vp {

namespace {

bool ParseYesNo(std::string_view s, bool* value) {
  std::string word = Lower(s);
  if (word == "yes" || word == "true" || word == "on" || word == "1") {
    *value = true;
    return true;
  }
  if (word == "no" || word == "false" || word == "off" || word == "0") {
    *value = false;
    return true;
  }
  return false;
}

// "<number> [data]" of the status faults.
bool ParseStatusFault(std::string_view value, uint64_t max, uint64_t* number, StatusScope* scope) {
  std::string_view numberText, scopeText;
  SplitTwo(value, &numberText, &scopeText);
  if (!ParseNumber(numberText, max, number)) {
    return false;
  }
  if (scopeText.empty() || Lower(scopeText) == "all") {
    *scope = StatusScope::kAll;
    return true;
  }
  if (Lower(scopeText) == "data") {
    *scope = StatusScope::kDataOnly;
    return true;
  }
  return false;
}

class LineParser : public IniHandler {
 public:
  explicit LineParser(PrinterConfig* config) : config_(config) {}

  std::string Section(const std::string& name) override {
    if (name != "printer" && name != "faults") {
      return "unknown section [" + name + "]; the sections are [printer] and [faults]";
    }
    return {};
  }

  std::string Key(const std::string& section, const std::string& key,
                  std::string_view value) override {
    return section == "printer" ? PrinterKey(key, value) : FaultKey(key, value);
  }

 private:
  std::string PrinterKey(const std::string& key, std::string_view value) {
    uint64_t n = 0;
    if (key == "name") {
      if (value.empty() || value.size() > 259) {
        return "a printer name has 1 to 259 characters";
      }
      if (!namesGiven_) {
        config_->names.clear();
        namesGiven_ = true;
      }
      config_->names.emplace_back(value);
      return {};
    }
    if (key == "model") {
      if (!ParseNumber(value, 0xFFFF, &n)) {
        return "model must be a number from 0 to 0xFFFF";
      }
      config_->modelId = static_cast<uint16_t>(n);
      return {};
    }
    if (key == "status_accept_count") {
      if (!ParseNumber(value, 0xFFFFFFFFu, &n)) {
        return "status_accept_count must be a 32-bit number";
      }
      config_->statusAcceptCount = static_cast<uint32_t>(n);
      return {};
    }
    if (key == "accept_count") {
      if (!ParseNumber(value, 0xFFFFFFFFu, &n) || n == 0) {
        return "accept_count must be a 32-bit number of at least 1";
      }
      config_->acceptCount = static_cast<uint32_t>(n);
      return {};
    }
    if (key == "capacity") {
      if (!ParseNumber(value, std::numeric_limits<uint64_t>::max(), &n)) {
        return "capacity must be a number of bytes";
      }
      config_->capacityBytes = n;
      return {};
    }
    if (key == "state_dir") {
      config_->stateDir = std::string(value);
      return {};
    }
    if (key == "trace") {
      config_->tracePath = std::string(value);
      return {};
    }
    if (key == "replay") {
      config_->replayPath = std::string(value);
      return {};
    }
    if (key == "trace_times") {
      if (!ParseYesNo(value, &config_->traceTimes)) {
        return "trace_times must be yes or no";
      }
      return {};
    }
    return "unknown key '" + key + "' in [printer]";
  }

  std::string FaultKey(const std::string& key, std::string_view value) {
    FaultConfig& f = config_->faults;
    uint64_t n = 0;
    if (key == "reject_request") {
      if (!ParseNumber(value, 0xFFFFFFFFu, &n) || n == 0) {
        return "reject_request must be a request number of at least 1";
      }
      f.rejectRequest = static_cast<uint32_t>(n);
      return {};
    }
    if (key == "break_link_after") {
      if (!ParseNumber(value, std::numeric_limits<uint64_t>::max(), &n) || n == 0) {
        return "break_link_after must be a byte count of at least 1";
      }
      f.breakLinkAfterBytes = n;
      return {};
    }
    if (key == "late_status") {
      if (!ParseStatusFault(value, 0x7FFFFFFF, &n, &f.lateStatusScope)) {
        return "late_status must read '<milliseconds> [all|data]'";
      }
      f.lateStatusMs = static_cast<uint32_t>(n);
      return {};
    }
    if (key == "short_status") {
      if (!ParseStatusFault(value, 31, &n, &f.shortStatusScope)) {
        return "short_status must read '<bytes 0..31> [all|data]'";
      }
      f.shortStatusBytes = static_cast<int32_t>(n);
      return {};
    }
    if (key == "refuse_begin_transfer") {
      if (!ParseYesNo(value, &f.refuseBeginTransfer)) {
        return "refuse_begin_transfer must be yes or no";
      }
      return {};
    }
    if (key == "slow_link") {
      std::string_view perByte, perCall;
      SplitTwo(value, &perByte, &perCall);
      uint64_t byteUs = 0, callUs = 0;
      if (!ParseNumber(perByte, 0xFFFFFFFFu, &byteUs) ||
          (!perCall.empty() && !ParseNumber(perCall, 0xFFFFFFFFu, &callUs))) {
        return "slow_link must read '<microseconds per byte> [<microseconds per call>]'";
      }
      f.slowLinkUsPerByte = static_cast<uint32_t>(byteUs);
      f.slowLinkUsPerCall = static_cast<uint32_t>(callUs);
      return {};
    }
    if (key == "wrong_model") {
      if (!ParseNumber(value, 0xFFFF, &n)) {
        return "wrong_model must be a model number from 0 to 0xFFFF";
      }
      f.wrongModel = true;
      f.wrongModelId = static_cast<uint16_t>(n);
      return {};
    }
    if (key == "wrong_magic") {
      if (!ParseYesNo(value, &f.wrongMagic)) {
        return "wrong_magic must be yes or no";
      }
      return {};
    }
    return "unknown fault '" + key + "'";
  }

  PrinterConfig* config_;
  bool namesGiven_ = false;
};

}  // namespace

bool ParsePrinterConfig(std::string_view text, PrinterConfig* config, std::string* error) {
  *config = PrinterConfig{};
  LineParser parser(config);
  return ParseIni(text, parser, error);
}

bool LoadPrinterConfigFile(const std::string& path, PrinterConfig* config, std::string* error) {
  std::string text;
  if (!ReadTextFile(path, &text)) {
    *error = path + ": cannot be opened";
    return false;
  }
  if (!ParsePrinterConfig(text, config, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

bool LoadPrinterConfigFromEnvironment(PrinterConfig* config, std::string* error) {
  const char* path = std::getenv(kConfigEnvironmentVariable);
  if (path == nullptr || *path == '\0') {
    *config = PrinterConfig{};
    return true;
  }
  return LoadPrinterConfigFile(path, config, error);
}

}  // namespace vp
