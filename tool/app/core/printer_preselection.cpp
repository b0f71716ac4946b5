#include "printer_preselection.h"

#include <algorithm>

namespace vexlow {

namespace {

char FoldCase(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

int Find(const std::vector<std::string>& entries, std::string_view name) {
  const auto found = std::ranges::find_if(
      entries, [&](const std::string& entry) { return SameName(entry, name); });
  return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

}  // namespace

int ChoosePreselectedPrinter(const std::vector<std::string>& entries,
                             std::string_view selectedPrinter, std::string_view driverName) {
  if (entries.empty()) {
    return -1;
  }
  int index = Find(entries, selectedPrinter);
  if (index < 0) {
    index = Find(entries, driverName);
  }
  return index < 0 ? 0 : index;
}

}  // namespace vexlow
