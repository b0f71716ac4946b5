// Which entry the printer-selection list selects when it is filled.
#ifndef TOOL_APP_CORE_PRINTER_PRESELECTION_H
#define TOOL_APP_CORE_PRINTER_PRESELECTION_H

#include <string>
#include <string_view>
#include <vector>

namespace vexlow {

// The index of the entry equal to selectedPrinter (the printer of the last
// update), else of the entry equal to driverName, else 0; -1 for no entries.
// Whole names are compared with ASCII letters in either case alike; texts are
// UTF-8, whose multi-byte characters never hold an ASCII byte.
int ChoosePreselectedPrinter(const std::vector<std::string>& entries,
                             std::string_view selectedPrinter, std::string_view driverName);

}  // namespace vexlow

#endif  // TOOL_APP_CORE_PRINTER_PRESELECTION_H
