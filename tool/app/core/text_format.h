// printf-style formatting of a resource string with one argument, a text or a
// number. The format comes from the string table; the argument is user data
// and is only ever substituted, never read as a format.
#ifndef TOOL_APP_CORE_TEXT_FORMAT_H
#define TOOL_APP_CORE_TEXT_FORMAT_H

#include <string>
#include <string_view>

namespace vexlow {

// "%s" takes a text argument and "%d" a number argument, the first such
// directive only: later ones, which printf would fill from nowhere, and
// directives of the other kind stay empty. "%%" gives "%"; any other '%' is
// kept as it is.
std::string FormatText(std::string_view format, std::string_view text);
std::string FormatText(std::string_view format, int number);

}  // namespace vexlow

#endif  // TOOL_APP_CORE_TEXT_FORMAT_H
