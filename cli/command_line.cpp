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

// Where each operand of a command goes, in order.
using Operand = std::string CommandLine::*;

struct CommandShape {
  const char* name;
  Command command;
  size_t required;
  std::vector<Operand> operands;
};

// A new command is one row here and one entry of the dispatch (run_command.cpp).
const CommandShape kCommands[] = {
    {"status", Command::kStatus, 1, {&CommandLine::printer}},
    {"send", Command::kSend, 2, {&CommandLine::printer, &CommandLine::package}},
    {"receive",
     Command::kReceive,
     3,
     {&CommandLine::printer, &CommandLine::entry, &CommandLine::output}},
    {"list", Command::kList, 1, {&CommandLine::printer}},
    {"delete", Command::kDelete, 2, {&CommandLine::printer, &CommandLine::entry}},
    {"printers", Command::kPrinters, 0, {}},
    {"update", Command::kUpdate, 0, {&CommandLine::printer, &CommandLine::package}},
};

// Which commands take an option other than --timeout, --quiet and --json.
struct OptionRule {
  bool CommandLine::*flag;
  const char* name;
  std::vector<Command> commands;
};

const OptionRule kOptionRules[] = {
    {&CommandLine::verify, "--verify", {Command::kSend, Command::kUpdate}},
    {&CommandLine::dryRun, "--dry-run", {Command::kUpdate}},
};

bool Takes(const std::vector<Command>& commands, Command command) {
  for (Command c : commands) {
    if (c == command) {
      return true;
    }
  }
  return false;
}

}  // namespace

const char* CommandName(Command command) {
  for (const CommandShape& s : kCommands) {
    if (s.command == command) {
      return s.name;
    }
  }
  return "help";
}

const char* UsageText() {
  return "usage: ostrandcli [OPTIONS] COMMAND [ARGUMENTS]\n"
         "  printers                       list the driver's printers, their model and\n"
         "                                 whether each answers as a ready printer\n"
         "  update [PRINTER] [PACKAGE]     update the printer as Vexlow.exe does, without\n"
         "                                 dialogs (PRINTER: the only printer of the\n"
         "                                 driver; PACKAGE: the one vexlow.ini names)\n"
         "  status PRINTER                 show the printer's status block\n"
         "  send PRINTER PACKAGE           send a package file to the printer\n"
         "  receive PRINTER ENTRY OUT      fetch a stored file into OUT (header and payload)\n"
         "  list PRINTER                   list the files the printer holds\n"
         "  delete PRINTER ENTRY           remove a stored file\n"
         "  bundle OUT.zip                 write the support bundle (README: Support)\n"
         "                                 (it stands first and takes no option)\n"
         "ENTRY is a position in the list (1 is the first) or a file whose first 64 bytes\n"
         "are the entry, such as the package file that was sent.\n"
         "Options:\n"
         "  --driver NAME  the printer driver (default: DriverName of vexlow.ini)\n"
         "  --dry-run      update: every step up to the send, then stop; nothing changes\n"
         "  --verify       send, update: read the stored file back and compare it\n"
         "  --json         one JSON object on standard output; the text goes to standard\n"
         "                 error\n"
         "  --timeout MS   time-out of each call of status, send, receive, list and delete\n"
         "                 (default 500000 for send and receive, 10000 otherwise)\n"
         "  --quiet        no progress bar\n"
         "Exit codes:\n"
         "  0      done; update: the update completed (a dry run: it would go ahead)\n"
         "  1-7    status, send, receive, list, delete: the failing call's result code\n"
         "  8      cancelled (Ctrl+C or Ctrl+Break)\n"
         "  64     the command line is wrong, or several printers and none named\n"
         "  65     a package or entry file is not usable\n"
         "  66     a package, entry file or vexlow.ini cannot be read\n"
         "  69     ostrand.dll, hobrel.dll or one of their exports is missing\n"
         "  70     ostrand.dll answered with a code the call never gives\n"
         "  71     the payload does not fit in memory\n"
         "  73     the received file cannot be written\n"
         "  74     update: the transfer failed\n"
         "  75     update: the package is for another model of printer\n"
         "  76     the printer does not answer as a ready printer of its model, or none\n"
         "         of the driver is installed\n"
         "  77     --verify: the printer does not hold the package's payload\n";
}

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* line, std::string* error) {
  *line = CommandLine{};
  std::vector<const char*> words;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      *line = CommandLine{};
      return true;
    }
    if (std::strcmp(arg, "--quiet") == 0) {
      line->quiet = true;
    } else if (std::strcmp(arg, "--json") == 0) {
      line->json = true;
    } else if (std::strcmp(arg, "--verify") == 0) {
      line->verify = true;
    } else if (std::strcmp(arg, "--dry-run") == 0) {
      line->dryRun = true;
    } else if (std::strcmp(arg, "--timeout") == 0) {
      if (!hasValue || !ParseTimeout(argv[i + 1], &line->timeoutMs)) {
        *error = "--timeout needs a number of milliseconds from 1 to 2147483647";
        return false;
      }
      ++i;
    } else if (std::strcmp(arg, "--driver") == 0) {
      if (!hasValue || argv[i + 1][0] == '\0' || std::strlen(argv[i + 1]) > kMaxPrinterName) {
        *error = "--driver needs a driver name of 1 to 259 characters";
        return false;
      }
      line->driver = argv[++i];
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
    *line = CommandLine{};
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
  const size_t given = words.size() - 1;
  if (given < shape->required || given > shape->operands.size()) {
    const size_t more = shape->required == 0 ? 0 : shape->required - 1;
    *error =
        std::string("'") + shape->name + "' takes " +
        (shape->required == 0 ? "at most " + std::to_string(shape->operands.size()) + " arguments"
                              : "the printer name and " + std::to_string(more) + " more argument" +
                                    (more == 1 ? "" : "s"));
    return false;
  }
  line->command = shape->command;
  for (size_t i = 0; i < given; ++i) {
    line->*(shape->operands[i]) = words[i + 1];
  }
  if (given > 0 && (line->printer.empty() || line->printer.size() > kMaxPrinterName)) {
    *error = "a printer name has 1 to 259 characters";
    return false;
  }
  for (const OptionRule& rule : kOptionRules) {
    if (line->*(rule.flag) && !Takes(rule.commands, line->command)) {
      *error = std::string(rule.name) + " does not go with '" + shape->name + "'";
      return false;
    }
  }
  if (!line->driver.empty() && line->command != Command::kPrinters &&
      line->command != Command::kUpdate) {
    *error = std::string("--driver does not go with '") + shape->name + "'";
    return false;
  }
  return true;
}

}  // namespace cli
