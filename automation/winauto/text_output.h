// The output format of winauto: one record a line, fields separated by tabs.
// Fields are UTF-8; a backslash, tab, carriage return or line feed inside a
// field is written as \\, \t, \r or \n, so every record stays on one line.
#ifndef TESTING_WINAUTO_TEXT_OUTPUT_H
#define TESTING_WINAUTO_TEXT_OUTPUT_H

#include <string>
#include <vector>

namespace winauto {

std::wstring EscapeField(const std::wstring& text);
std::string ToUtf8(const std::wstring& text);

// Writes the fields, escaped and tab-separated, and a line feed to stdout.
void PrintRecord(const std::vector<std::wstring>& fields);
// Writes "winauto: <message>" and a line feed to stderr.
void PrintError(const std::wstring& message);

}  // namespace winauto

#endif  // TESTING_WINAUTO_TEXT_OUTPUT_H
