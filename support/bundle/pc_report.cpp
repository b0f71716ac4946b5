#include "pc_report.h"

#include <cstdint>
#include <cstdio>

namespace support {

namespace {

uint32_t Le(std::string_view bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
  }
  return value;
}

}  // namespace

std::string DescribeProgramMachine(std::string_view head) {
  if (head.size() < 0x40 || head.substr(0, 2) != "MZ") {
    return "not a Windows program (no MZ header)";
  }
  const uint32_t pe = Le(head, 0x3C, 4);
  if (pe > head.size() || head.size() - pe < 6 ||
      head.substr(pe, 4) != std::string_view("PE\0\0", 4)) {
    return "not a Windows program (no PE header where the MZ header points)";
  }
  switch (Le(head, pe + 4, 2)) {
    case 0x014C:
      return "x86 (32-bit)";
    case 0x8664:
      return "x86-64 (64-bit)";
    case 0xAA64:
      return "ARM64 (64-bit)";
    default: {
      char text[48];
      std::snprintf(text, sizeof text, "machine 0x%04X",
                    static_cast<unsigned>(Le(head, pe + 4, 2)));
      return text;
    }
  }
}

std::string FormatPcReport(const PcReport& report) {
  std::string text = "Windows: " + report.windows + "\r\n";
  text += "Recorder: " + report.recorder + "\r\n\r\n";
  for (const ModuleReport& module : report.modules) {
    text += module.role + ": " + module.path + "\r\n";
    if (module.found) {
      text += "  version " + module.version + ", " + module.machine + "\r\n";
    } else {
      text += "  not found\r\n";
    }
  }
  text += "\r\nPrinters:\r\n";
  if (!report.printerProblem.empty()) {
    text += "  " + report.printerProblem + "\r\n";
  }
  for (const PrinterReport& printer : report.printers) {
    text += "  \"" + printer.name + "\": driver \"" + printer.driver + "\", port \"" +
            printer.port + "\", model " + printer.model + "\r\n";
  }
  if (report.printers.empty() && report.printerProblem.empty()) {
    text += "  none\r\n";
  }
  return text;
}

}  // namespace support
