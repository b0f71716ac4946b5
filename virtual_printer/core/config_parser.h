// Reads a virtual printer's ini file (format in virtual_printer/README.md).
// A mistyped line is an error with its line number, never silently ignored: a
// fault that quietly did not apply would make a test prove nothing.
#ifndef VIRTUAL_PRINTER_CORE_CONFIG_PARSER_H
#define VIRTUAL_PRINTER_CORE_CONFIG_PARSER_H

#include <string>
#include <string_view>

#include "printer_config.h"

namespace vp {

// The environment variable that names the configuration file.
inline constexpr const char* kConfigEnvironmentVariable = "VEXLOW_VIRTUAL_PRINTER";

// Fills *config from ini text, starting from the defaults. False with *error
// ("line N: ...") at the first line that is not understood.
bool ParsePrinterConfig(std::string_view text, PrinterConfig* config, std::string* error);

// Reads and parses the file at path.
bool LoadPrinterConfigFile(const std::string& path, PrinterConfig* config, std::string* error);

// The file named by VEXLOW_VIRTUAL_PRINTER, or the defaults when it is unset or empty.
bool LoadPrinterConfigFromEnvironment(PrinterConfig* config, std::string* error);

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_CONFIG_PARSER_H
