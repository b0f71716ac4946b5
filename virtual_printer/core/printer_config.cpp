#include "printer_config.h"

#include <cstdio>

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

std::string DescribeFaults(const FaultConfig& f) {
  std::string text;
  auto add = [&text](const char* format, auto... values) {
    char item[64];
    std::snprintf(item, sizeof item, format, values...);
    text += text.empty() ? "" : ", ";
    text += item;
  };
  auto scope = [](StatusScope s) { return s == StatusScope::kAll ? "all" : "data"; };
  if (f.rejectRequest != 0) {
    add("reject_request %u", f.rejectRequest);
  }
  if (f.breakLinkAfterBytes != 0) {
    add("break_link_after %llu", static_cast<unsigned long long>(f.breakLinkAfterBytes));
  }
  if (f.lateStatusMs != 0) {
    add("late_status %u %s", f.lateStatusMs, scope(f.lateStatusScope));
  }
  if (f.shortStatusBytes >= 0) {
    add("short_status %d %s", static_cast<int>(f.shortStatusBytes), scope(f.shortStatusScope));
  }
  if (f.refuseBeginTransfer) {
    add("%s", "refuse_begin_transfer");
  }
  if (f.slowLinkUsPerByte != 0 || f.slowLinkUsPerCall != 0) {
    add("slow_link %u %u", f.slowLinkUsPerByte, f.slowLinkUsPerCall);
  }
  if (f.wrongModel) {
    add("wrong_model 0x%04X", static_cast<unsigned>(f.wrongModelId));
  }
  if (f.wrongMagic) {
    add("%s", "wrong_magic");
  }
  return text.empty() ? "none" : text;
}

}  // namespace vp
