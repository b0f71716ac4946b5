#include "ini_text.h"

#include <cstdio>
#include <limits>

namespace vp {

namespace {

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

class LineReader {
 public:
  explicit LineReader(IniHandler& handler) : handler_(handler) {}

  std::string Read(std::string_view line) {
    line = Trim(WithoutComment(line));
    if (line.empty() || line[0] == '#') {
      return {};
    }
    if (line.front() == '[') {
      if (line.back() != ']') {
        return "a section header must end with ']'";
      }
      section_ = Lower(Trim(line.substr(1, line.size() - 2)));
      return handler_.Section(section_);
    }
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      return "expected 'key = value'";
    }
    std::string key = Lower(Trim(line.substr(0, equals)));
    if (section_.empty()) {
      return "'" + key + "' stands before any section";
    }
    return handler_.Key(section_, key, Trim(line.substr(equals + 1)));
  }

 private:
  IniHandler& handler_;
  std::string section_;
};

}  // namespace

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

bool ParseIni(std::string_view text, IniHandler& handler, std::string* error) {
  LineReader reader(handler);
  size_t lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    std::string problem = reader.Read(line);
    if (!problem.empty()) {
      *error = "line " + std::to_string(lineNumber) + ": " + problem;
      return false;
    }
  }
  return true;
}

bool ReadTextFile(const std::string& path, std::string* text) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  text->clear();
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    text->append(buffer, got);
  }
  std::fclose(file);
  return true;
}

}  // namespace vp
