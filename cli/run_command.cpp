#include <chrono>

#include "client_context.h"
#include "exit_codes.h"
#include "update_commands.h"

namespace cli {

namespace {

using Handler = int (*)(const CommandLine& line, ClientContext& context);

struct CommandHandler {
  Command command;
  Handler run;
};

// A new command is one row here and one in the command line's table.
const CommandHandler kHandlers[] = {
    {Command::kStatus, RunClientCommand},  {Command::kSend, RunClientCommand},
    {Command::kReceive, RunClientCommand}, {Command::kList, RunClientCommand},
    {Command::kDelete, RunClientCommand},  {Command::kPrinters, RunPrinters},
    {Command::kUpdate, RunUpdate},
};

}  // namespace

int RunCommand(const CommandLine& line, ClientContext& context) {
  context.interruption.Reset();
  Report& report = context.report;
  report.command = CommandName(line.command);
  const auto start = std::chrono::steady_clock::now();
  int exit = kExitUsage;
  if (line.command == Command::kHelp) {
    context.out << UsageText();
    exit = kExitOk;
  }
  for (const CommandHandler& handler : kHandlers) {
    if (handler.command == line.command) {
      exit = handler.run(line, context);
    }
  }
  report.exitCode = exit;
  report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return exit;
}

}  // namespace cli
