// Reads the compiled resources of this program in a given language, without
// the loader's choice of language: string table entries and dialog headers.
#ifndef TOOL_APP_TESTS_WIN_RESOURCE_READER_H
#define TOOL_APP_TESTS_WIN_RESOURCE_READER_H

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexlow::win::testing {

std::optional<std::wstring> StringInLanguage(unsigned id, LANGID language);

struct DialogHeader {
  int width = 0;
  int height = 0;
  std::wstring caption;
  int pointSize = 0;
  std::wstring typeface;
  // (x, y, width, height) and text of each control, in template order.
  struct Control {
    unsigned id;
    short x, y, cx, cy;
    std::wstring text;
  };
  std::vector<Control> controls;
};

std::optional<DialogHeader> DialogInLanguage(unsigned id, LANGID language);

}  // namespace vexlow::win::testing

#endif  // TOOL_APP_TESTS_WIN_RESOURCE_READER_H
