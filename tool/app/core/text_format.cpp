#include "text_format.h"

#include <charconv>

namespace vexlow {

namespace {

// Puts `argument` in place of the first "%<directive>"; other "%s" and "%d"
// become nothing, "%%" becomes "%".
std::string Substitute(std::string_view format, char directive, std::string_view argument) {
  std::string out;
  out.reserve(format.size() + argument.size());
  bool argumentUsed = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (format[i] != '%' || (next != 's' && next != 'd' && next != '%')) {
      out += format[i];
      continue;
    }
    if (next == '%') {
      out += '%';
    } else if (next == directive && !argumentUsed) {
      out += argument;
      argumentUsed = true;
    }
    ++i;
  }
  return out;
}

}  // namespace

std::string FormatText(std::string_view format, std::string_view text) {
  return Substitute(format, 's', text);
}

std::string FormatText(std::string_view format, int number) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof(digits), number).ptr;
  return Substitute(format, 'd', std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

}  // namespace vexlow
