#include "text_format.h"

namespace vexlow {

std::string FormatWithString(std::string_view format, std::string_view argument) {
  std::string out;
  out.reserve(format.size() + argument.size());
  bool argumentUsed = false;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (format[i] != '%' || (next != 's' && next != '%')) {
      out += format[i];
      continue;
    }
    if (next == '%') {
      out += '%';
    } else if (!argumentUsed) {
      out += argument;
      argumentUsed = true;
    }
    ++i;
  }
  return out;
}

}  // namespace vexlow
