#include "tool/printers/special_tape.h"

namespace vexlow {

std::string SpecialTapeSuffixFromResource(std::string_view resourceText) {
  if (resourceText.empty()) {
    return kDefaultSpecialTapeSuffix;
  }
  std::string suffix(1, '(');
  suffix.append(resourceText);
  suffix.push_back(')');
  return suffix;
}

std::string GetSpecialTapeSuffix(const PrinterEnvironment& environment) {
  return environment.specialTapeSuffix.empty() ? kDefaultSpecialTapeSuffix
                                               : environment.specialTapeSuffix;
}

bool HasSpecialTapeSuffix(std::string_view name, std::string_view suffix) {
  return name.find(suffix) != std::string_view::npos;
}

void AppendSpecialTapeSuffix(std::string& name, std::string_view suffix) {
  if (!HasSpecialTapeSuffix(name, suffix)) {
    name += suffix;
  }
}

bool AppendSpecialTapeSuffix(NameBuffer& name, std::string_view suffix) {
  const std::string_view held = NameOf(name);
  if (HasSpecialTapeSuffix(held, suffix)) {
    return true;
  }
  if (held.size() + suffix.size() > kMaxNameLength) {
    return false;
  }
  std::string joined(held);
  joined += suffix;
  SetName(name, joined);
  return true;
}

void CutSpecialTapeSuffix(NameBuffer& name, std::string_view suffix) {
  const std::size_t at = NameOf(name).find(suffix);
  if (at != std::string_view::npos) {
    name[at] = '\0';
  }
}

}  // namespace vexlow
