// printf-style formatting of a resource string with one string argument.
// The format comes from the string table; the argument is user data and is
// only ever substituted, never read as a format.
#ifndef TOOL_APP_CORE_TEXT_FORMAT_H
#define TOOL_APP_CORE_TEXT_FORMAT_H

#include <string>
#include <string_view>

namespace vexlow {

// "%s" takes `argument` (only the first one: later ones, which printf would
// fill from nowhere, stay empty); "%%" gives "%"; any other '%' is kept as it is.
std::string FormatWithString(std::string_view format, std::string_view argument);

}  // namespace vexlow

#endif  // TOOL_APP_CORE_TEXT_FORMAT_H
