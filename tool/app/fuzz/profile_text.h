// An ini file's text, read the way the tool's start-up has the platform read
// vexlow.ini: lines of "[section]" and "key=value", blanks around names and
// values dropped, one pair of enclosing quotes taken off a value, lines that
// begin with ';' ignored, section and key names matched without regard to
// ASCII case, the first section of a name and its first key of a name
// answering. A value ends at a zero byte and is cut to the buffer's capacity
// less one; a missing file, section or key gives the default.
#ifndef TOOL_APP_FUZZ_PROFILE_TEXT_H
#define TOOL_APP_FUZZ_PROFILE_TEXT_H

#include <optional>
#include <string>
#include <string_view>

#include "core/startup_seams.h"

namespace vexlow::fuzzing {

class ProfileText : public ProfileReader {
 public:
  // The file at path holds text; no other file exists.
  ProfileText(std::string path, std::string text)
      : path_(std::move(path)), text_(std::move(text)) {}

  std::string ReadString(const std::string& path, const char* section, const char* key,
                         const char* defaultValue, std::size_t capacity) override;

 private:
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  std::string path_;
  std::string text_;
};

}  // namespace vexlow::fuzzing

#endif  // TOOL_APP_FUZZ_PROFILE_TEXT_H
