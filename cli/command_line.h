// The console client's command line:
//   ostrandcli [options] printers
//   ostrandcli [options] update [PRINTER] [PACKAGE]
//   ostrandcli [options] status PRINTER
//   ostrandcli [options] send PRINTER PACKAGE
//   ostrandcli [options] receive PRINTER ENTRY OUT
//   ostrandcli [options] list PRINTER
//   ostrandcli [options] delete PRINTER ENTRY
// ENTRY is a position in the printer's list (1 is the first), or a file whose
// first 64 bytes are the entry (a package file names the file it was sent as).
// Options may stand anywhere.
#ifndef CLI_COMMAND_LINE_H
#define CLI_COMMAND_LINE_H

#include <cstdint>
#include <string>

namespace cli {

enum class Command { kHelp, kStatus, kSend, kReceive, kList, kDelete, kPrinters, kUpdate };

struct CommandLine {
  Command command = Command::kHelp;
  std::string printer;  // "" for printers, and for an update that leaves it out
  std::string package;  // send; update ("" for the one vexlow.ini names)
  std::string entry;    // receive, delete
  std::string output;   // receive
  std::string driver;   // printers, update: "" for the one vexlow.ini names
  // 0: each call's own default (500000 ms for send and receive, 10000 ms otherwise).
  uint32_t timeoutMs = 0;
  bool quiet = false;
  bool json = false;    // one JSON object on standard output, the text on standard error
  bool verify = false;  // send, update: read the stored file back and compare
  bool dryRun = false;  // update: every step up to the send, then stop
};

// The command's name as the command line spells it.
const char* CommandName(Command command);

// False with *error when the arguments do not form a command.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error);

const char* UsageText();

}  // namespace cli

#endif  // CLI_COMMAND_LINE_H
