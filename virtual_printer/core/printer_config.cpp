#include "printer_config.h"

namespace vp {

namespace {

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size(); ++i) {
    if (b[i] == '\0' || LowerAscii(a[i]) != LowerAscii(b[i])) {
      return false;
    }
  }
  return b[i] == '\0';
}

}  // namespace

bool PrinterConfig::AnswersTo(const char* printerName) const {
  if (printerName == nullptr) {
    return false;
  }
  for (const std::string& name : names) {
    if (EqualIgnoringAsciiCase(name, printerName)) {
      return true;
    }
  }
  return false;
}

}  // namespace vp
