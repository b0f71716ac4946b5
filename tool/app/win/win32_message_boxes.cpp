#include "win32_message_boxes.h"

#include "wide_text.h"

namespace vexlow::win {

namespace {

UINT IconStyle(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::Stop:
      return MB_ICONSTOP;
    case platform::MessageIcon::Information:
      return MB_ICONINFORMATION;
    case platform::MessageIcon::Exclamation:
      break;
  }
  // The tool's boxes that name no icon show the exclamation mark too.
  return MB_ICONEXCLAMATION;
}

}  // namespace

platform::MessageAnswer Win32MessageBoxes::Show(const std::string& text, platform::MessageIcon icon,
                                                platform::MessageButtons buttons) {
  const UINT style =
      IconStyle(icon) | (buttons == platform::MessageButtons::YesNo ? MB_YESNO : MB_OK);
  const int pressed =
      MessageBoxW(owner_.Get(), Utf8ToWide(text).c_str(), Utf8ToWide(title_.Text()).c_str(), style);
  if (buttons == platform::MessageButtons::Ok) {
    return platform::MessageAnswer::Ok;
  }
  return pressed == IDYES ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
}

}  // namespace vexlow::win
