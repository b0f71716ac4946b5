#include "about_dialog.h"

#include "core/text_format.h"
#include "resource.h"
#include "wide_text.h"

namespace vexlow::win {

BOOL AboutDialog::OnInitDialog() {
  SetDlgItemTextW(Window(), IDC_ABOUT_PRODUCT, Utf8ToWide(strings_.Load(IDS_APP_TITLE)).c_str());
  SetDlgItemTextW(Window(), IDC_ABOUT_VERSION,
                  Utf8ToWide(FormatText(strings_.Load(IDS_VERSION_FORMAT), version_)).c_str());
  return TRUE;
}

}  // namespace vexlow::win
