#include "text_output.h"

#include <windows.h>

#include <cstdio>

namespace winauto {

std::wstring EscapeField(const std::wstring& text) {
  std::wstring escaped;
  escaped.reserve(text.size());
  for (wchar_t c : text) {
    switch (c) {
      case L'\\':
        escaped += L"\\\\";
        break;
      case L'\t':
        escaped += L"\\t";
        break;
      case L'\r':
        escaped += L"\\r";
        break;
      case L'\n':
        escaped += L"\\n";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int size = static_cast<int>(text.size());
  const int needed =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(needed > 0 ? needed : 0, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), needed, nullptr, nullptr);
  return utf8;
}

void PrintRecord(const std::vector<std::wstring>& fields) {
  std::wstring line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      line += L'\t';
    }
    line += EscapeField(fields[i]);
  }
  const std::string utf8 = ToUtf8(line) + "\n";
  fwrite(utf8.data(), 1, utf8.size(), stdout);
  fflush(stdout);
}

void PrintError(const std::wstring& message) {
  const std::string utf8 = "winauto: " + ToUtf8(message) + "\n";
  fwrite(utf8.data(), 1, utf8.size(), stderr);
  fflush(stderr);
}

}  // namespace winauto
