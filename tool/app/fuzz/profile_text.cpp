#include "profile_text.h"

namespace vexlow::fuzzing {
namespace {

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

std::optional<std::string_view> ProfileText::Find(std::string_view section,
                                                  std::string_view key) const {
  bool inSection = false;
  std::string_view rest = text_;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    line = Trim(line);
    if (line.empty() || line.front() == ';') {
      continue;
    }
    if (line.front() == '[') {
      if (inSection) {
        return std::nullopt;  // only the first section of the name answers
      }
      const std::string_view name = line.substr(1, line.find(']') - 1);
      inSection = SameName(Trim(name), section);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inSection && SameName(Trim(line.substr(0, equals)), key)) {
      return equals == std::string_view::npos ? std::string_view()
                                              : Unquoted(Trim(line.substr(equals + 1)));
    }
  }
  return std::nullopt;
}

std::string ProfileText::ReadString(const std::string& path, const char* section, const char* key,
                                    const char* defaultValue, std::size_t capacity) {
  const std::optional<std::string_view> found = path == path_ ? Find(section, key) : std::nullopt;
  std::string value(found ? *found : std::string_view(defaultValue));
  value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
  if (capacity == 0) {
    return {};
  }
  return value.substr(0, capacity - 1);
}

}  // namespace vexlow::fuzzing
