#include "config_parser.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vp {

namespace {

std::string_view Trim(std::string_view s) {
  const char* blanks = " \t\r\n";
  size_t first = s.find_first_not_of(blanks);
  if (first == std::string_view::npos) {
    return {};
  }
  size_t last = s.find_last_not_of(blanks);
  return s.substr(first, last - first + 1);
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

// Decimal, or hexadecimal with a 0x prefix; no sign, no trailing text.
bool ParseNumber(std::string_view s, uint64_t max, uint64_t* value) {
  unsigned base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) {
    return false;
  }
  uint64_t v = 0;
  for (char c : s) {
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return false;
    }
    if (v > (std::numeric_limits<uint64_t>::max() - digit) / base) {
      return false;
    }
    v = v * base + digit;
  }
  if (v > max) {
    return false;
  }
  *value = v;
  return true;
}

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

// "A B": the value split at its first run of blanks; second is empty for one word.
void SplitTwo(std::string_view s, std::string_view* first, std::string_view* second) {
  size_t blank = s.find_first_of(" \t");
  if (blank == std::string_view::npos) {
    *first = s;
    *second = {};
    return;
  }
  *first = s.substr(0, blank);
  *second = Trim(s.substr(blank));
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

// The line up to its comment: from a ';' that starts the line or follows a
// blank. A ';' inside a word (a name such as "Desk;2") stays.
std::string_view WithoutComment(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ';' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
      return line.substr(0, i);
    }
  }
  return line;
}

class LineParser {
 public:
  explicit LineParser(PrinterConfig* config) : config_(config) {}

  // Empty string when the line is understood, else what is wrong with it.
  std::string Parse(std::string_view line) {
    line = Trim(WithoutComment(line));
    if (line.empty() || line[0] == '#') {
      return {};
    }
    if (line.front() == '[') {
      if (line.back() != ']') {
        return "a section header must end with ']'";
      }
      section_ = Lower(Trim(line.substr(1, line.size() - 2)));
      if (section_ != "printer" && section_ != "faults") {
        return "unknown section [" + section_ + "]; the sections are [printer] and [faults]";
      }
      return {};
    }
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      return "expected 'key = value'";
    }
    std::string key = Lower(Trim(line.substr(0, equals)));
    std::string_view value = Trim(line.substr(equals + 1));
    if (section_.empty()) {
      return "'" + key + "' stands before any section";
    }
    return section_ == "printer" ? PrinterKey(key, value) : FaultKey(key, value);
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
  std::string section_;
  bool namesGiven_ = false;
};

}  // namespace

bool ParsePrinterConfig(std::string_view text, PrinterConfig* config, std::string* error) {
  *config = PrinterConfig{};
  LineParser parser(config);
  size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    std::string problem = parser.Parse(line);
    if (!problem.empty()) {
      *error = "line " + std::to_string(lineNumber) + ": " + problem;
      return false;
    }
  }
  return true;
}

bool LoadPrinterConfigFile(const std::string& path, PrinterConfig* config, std::string* error) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    *error = path + ": cannot be opened";
    return false;
  }
  std::string text;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text.append(buffer, got);
  }
  std::fclose(file);
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
