// What one command came to, as the JSON object that --json writes to standard
// output at the end: for a deployment system to record each PC's outcome.
#ifndef CLI_REPORT_H
#define CLI_REPORT_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace cli {

struct ListedPrinterReport {
  std::string name;
  std::optional<uint16_t> model;  // absent when the driver gave none
  bool ready = false;
};

struct VerifyReport {
  bool matched = false;
  std::string words;
};

struct Report {
  std::string command;
  std::string printer;
  std::optional<uint16_t> model;
  std::string package;
  std::string version;  // update: NewVersion of vexlow.ini
  bool dryRun = false;
  int exitCode = 0;
  std::string words;  // what came of it, in the tool's or the client's words
  // The last result code of ostrand.dll that decided the outcome, if any.
  std::optional<int32_t> transferResult;
  uint64_t bytes = 0;  // payload bytes sent or received
  double seconds = 0;
  std::optional<VerifyReport> verify;
  std::vector<ListedPrinterReport> printers;  // printers
};

// A short name for each exit code: "completed", "not ready", ...
const char* ExitName(int exitCode);

// One line of JSON (UTF-8; texts that are not UTF-8 are carried with the
// replacement character) and its line end.
std::string ReportJson(const Report& report);

}  // namespace cli

#endif  // CLI_REPORT_H
