// The texts the warning dialog shows, built from the string table and the
// printer model name of the ini file.
#ifndef TOOL_APP_CORE_WARNING_TEXTS_H
#define TOOL_APP_CORE_WARNING_TEXTS_H

#include <string>

#include "startup_seams.h"

namespace vexlow {

struct WarningTexts {
  std::string title;         // window title: string 3000
  std::string notice;        // control 1006: string 2100 with the machine name
  std::string instructions;  // control 1007: string 2101 with the machine name
};

// machineName is UTF-8, like every text the dialog shows.
WarningTexts ComposeWarningTexts(StringTable& strings, const std::string& machineName);

}  // namespace vexlow

#endif  // TOOL_APP_CORE_WARNING_TEXTS_H
