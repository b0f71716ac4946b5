// The console client's command line:
//   ostrandcli [--timeout MS] [--quiet] status PRINTER
//   ostrandcli [options] send PRINTER PACKAGE
//   ostrandcli [options] receive PRINTER ENTRY OUT
//   ostrandcli [options] list PRINTER
//   ostrandcli [options] delete PRINTER ENTRY
// ENTRY is a position in the printer's list (1 is the first), or a file whose
// first 64 bytes are the entry (a package file names the file it was sent as).
#ifndef CLI_COMMAND_LINE_H
#define CLI_COMMAND_LINE_H

#include <cstdint>
#include <string>

namespace cli {

enum class Command { kHelp, kStatus, kSend, kReceive, kList, kDelete };

struct CommandLine {
  Command command = Command::kHelp;
  std::string printer;
  std::string package;  // send
  std::string entry;    // receive, delete
  std::string output;   // receive
  // 0: each call's own default (500000 ms for send and receive, 10000 ms otherwise).
  uint32_t timeoutMs = 0;
  bool quiet = false;
};

// False with *error when the arguments do not form a command.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error);

const char* UsageText();

}  // namespace cli

#endif  // CLI_COMMAND_LINE_H
