// Conversions between the texts of the core (UTF-8, or the ANSI code page for
// names and ini values) and the wide characters of the Windows user interface.
#ifndef TOOL_APP_WIN_WIDE_TEXT_H
#define TOOL_APP_WIN_WIDE_TEXT_H

#include <string>
#include <string_view>

namespace vexlow::win {

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
std::string AnsiToUtf8(std::string_view text);
// Printer names go to and come from the controls in the ANSI code page.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_WIDE_TEXT_H
