#include "result_messages.h"

#include <cstdio>

#include "ostrand.h"

namespace cli {

const char* ResultMessage(int32_t code) {
  switch (code) {
    case TR_OK:
      return "done";
    case TR_OPEN_FAILED:
      return "the port library could not open the printer; check its name and that it is "
             "connected and switched on";
    case TR_NOT_OPEN:
      return "no printer is open";
    case TR_WRITE_FAILED:
      return "writing to the printer failed; the connection may be broken";
    case TR_READ_FAILED:
      return "reading from the printer failed, or its reply was cut short";
    case TR_TIMEOUT:
      return "the printer did not answer in time, or would not begin the transfer; is it in "
             "transfer mode?";
    case TR_FILE_COUNT:
      return "the printer delivered its file count";
    case TR_REJECTED:
      return "the printer rejected the request";
    case TR_CANCELLED:
      return "cancelled; the printer was told to stop";
    default:
      return "Ostrand answered with an unknown result code";
  }
}

std::string ModelText(uint32_t model) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(model & 0xFFFF));
  return text;
}

}  // namespace cli
