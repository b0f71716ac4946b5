#include "command_line.h"

#include <cstring>
#include <vector>

namespace cli {

namespace {

constexpr size_t kMaxPrinterName = 259;

bool ParseTimeout(const char* text, uint32_t* value) {
  if (*text == '\0') {
    return false;
  }
  uint64_t v = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') {
      return false;
    }
    v = v * 10 + static_cast<uint64_t>(*c - '0');
    if (v > 0x7FFFFFFF) {
      return false;
    }
  }
  if (v == 0) {
    return false;
  }
  *value = static_cast<uint32_t>(v);
  return true;
}

struct CommandShape {
  const char* name;
  Command command;
  size_t operands;  // after the printer name
};

const CommandShape kCommands[] = {
    {"status", Command::kStatus, 0},   {"send", Command::kSend, 1},
    {"receive", Command::kReceive, 2}, {"list", Command::kList, 0},
    {"delete", Command::kDelete, 1},
};

}  // namespace

const char* UsageText() {
  return "usage: ostrandcli [--timeout MS] [--quiet] COMMAND PRINTER [ARGUMENTS]\n"
         "  status PRINTER                 show the printer's status block\n"
         "  send PRINTER PACKAGE           send a package file to the printer\n"
         "  receive PRINTER ENTRY OUT      fetch a stored file into OUT (header and payload)\n"
         "  list PRINTER                   list the files the printer holds\n"
         "  delete PRINTER ENTRY           remove a stored file\n"
         "ENTRY is a position in the list (1 is the first) or a file whose first 64 bytes\n"
         "are the entry, such as the package file that was sent.\n"
         "--timeout MS   time-out of each call (default 500000 for send and receive,\n"
         "               10000 otherwise); --quiet   no progress bar.\n"
         "Exit code 0 on success; 1-8 the failing call's result code; 64 and up: the\n"
         "command line (64), a package or entry (65, 66), ostrand.dll (69), a payload\n"
         "too large for memory (71), the output file (73), a printer that does not\n"
         "answer as a ready printer (76).\n";
}

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error) {
  *line = CommandLine{};
  std::vector<const char*> words;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      line->command = Command::kHelp;
      return true;
    }
    if (std::strcmp(arg, "--quiet") == 0) {
      line->quiet = true;
    } else if (std::strcmp(arg, "--timeout") == 0) {
      if (i + 1 >= argc || !ParseTimeout(argv[i + 1], &line->timeoutMs)) {
        *error = "--timeout needs a number of milliseconds from 1 to 2147483647";
        return false;
      }
      ++i;
    } else if (std::strncmp(arg, "--", 2) == 0) {
      *error = std::string("unknown option ") + arg;
      return false;
    } else {
      words.push_back(arg);
    }
  }
  if (words.empty()) {
    *error = "no command given";
    return false;
  }
  if (std::strcmp(words[0], "help") == 0 && words.size() == 1) {
    line->command = Command::kHelp;
    return true;
  }
  const CommandShape* shape = nullptr;
  for (const CommandShape& s : kCommands) {
    if (std::strcmp(words[0], s.name) == 0) {
      shape = &s;
    }
  }
  if (shape == nullptr) {
    *error = std::string("unknown command '") + words[0] + "'";
    return false;
  }
  if (words.size() != 2 + shape->operands) {
    *error = std::string("'") + shape->name + "' takes the printer name and " +
             std::to_string(shape->operands) + " more argument" + (shape->operands == 1 ? "" : "s");
    return false;
  }
  line->command = shape->command;
  line->printer = words[1];
  if (line->printer.empty() || line->printer.size() > kMaxPrinterName) {
    *error = "a printer name has 1 to 259 characters";
    return false;
  }
  switch (line->command) {
    case Command::kSend:
      line->package = words[2];
      break;
    case Command::kReceive:
      line->entry = words[2];
      line->output = words[3];
      break;
    case Command::kDelete:
      line->entry = words[2];
      break;
    default:
      break;
  }
  return true;
}

}  // namespace cli
