// The ini dialect of the virtual printer's configuration files: sections,
// "key = value" lines, comments after ';' or '#', numbers in decimal or 0x
// hex. A line that is not understood is an error naming its line.
#ifndef VIRTUAL_PRINTER_CORE_INI_TEXT_H
#define VIRTUAL_PRINTER_CORE_INI_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace vp {

std::string_view Trim(std::string_view s);
std::string Lower(std::string_view s);

// Decimal, or hexadecimal with a 0x prefix; no sign, no trailing text, at
// most max.
bool ParseNumber(std::string_view s, uint64_t max, uint64_t* value);

// "A B": the value split at its first run of blanks; second is empty for one word.
void SplitTwo(std::string_view s, std::string_view* first, std::string_view* second);

// What a file's lines mean: each answers empty text when the line is
// understood, else what is wrong with it.
class IniHandler {
 public:
  virtual ~IniHandler() = default;
  // "[name]", the name lower-cased.
  virtual std::string Section(const std::string& name) = 0;
  // "key = value" under a section, the key lower-cased.
  virtual std::string Key(const std::string& section, const std::string& key,
                          std::string_view value) = 0;
};

// Hands every line of text to handler. False with *error ("line N: ...") at
// the first line that is not understood.
bool ParseIni(std::string_view text, IniHandler& handler, std::string* error);

// The whole file; false when it cannot be opened.
bool ReadTextFile(const std::string& path, std::string* text);

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_INI_TEXT_H
