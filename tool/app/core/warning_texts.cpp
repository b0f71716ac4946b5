#include "warning_texts.h"

#include "resource.h"
#include "text_format.h"

namespace vexlow {

WarningTexts ComposeWarningTexts(StringTable& strings, const std::string& machineName) {
  WarningTexts texts;
  texts.title = strings.Load(IDS_APP_TITLE);
  texts.notice = FormatText(strings.Load(IDS_WARNING_NOTICE), machineName);
  texts.instructions = FormatText(strings.Load(IDS_WARNING_INSTRUCTIONS), machineName);
  return texts;
}

}  // namespace vexlow
