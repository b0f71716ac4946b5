// The special-tape suffix: a printer whose driver offers special tape is
// listed a second time under its name followed directly by this text, and a
// display name that holds it asks for the printer in special-tape mode. Every
// test is a case-sensitive substring test, anywhere in the name.
#ifndef TOOL_PRINTERS_SPECIAL_TAPE_H
#define TOOL_PRINTERS_SPECIAL_TAPE_H

#include <string>
#include <string_view>

#include "tool/printers/name_buffer.h"
#include "tool/printers/printer_seams.h"

namespace vexlow {

inline constexpr char kDefaultSpecialTapeSuffix[] = "(Special Tape)";

// The suffix from the text of string resource 10000: "(" + text + ")", or
// "(Special Tape)" when the resources hold no such string.
std::string SpecialTapeSuffixFromResource(std::string_view resourceText);
// The environment's suffix, "(Special Tape)" when it was left empty.
std::string GetSpecialTapeSuffix(const PrinterEnvironment& environment);

bool HasSpecialTapeSuffix(std::string_view name, std::string_view suffix);
// Appends the suffix unless the name already holds it.
void AppendSpecialTapeSuffix(std::string& name, std::string_view suffix);
// The same in a name buffer. True when the name holds the suffix afterwards;
// false, with the name unchanged, when name and suffix together would pass 259
// characters.
bool AppendSpecialTapeSuffix(NameBuffer& name, std::string_view suffix);
// Ends the name where the first occurrence of the suffix begins.
void CutSpecialTapeSuffix(NameBuffer& name, std::string_view suffix);

}  // namespace vexlow

#endif  // TOOL_PRINTERS_SPECIAL_TAPE_H
