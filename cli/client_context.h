// What every command of the console client works with, and the one entry that
// runs a command line.
#ifndef CLI_CLIENT_CONTEXT_H
#define CLI_CLIENT_CONTEXT_H

#include <ostream>

#include "command_line.h"
#include "interruption.h"
#include "ostrand.h"
#include "progress_bar.h"
#include "report.h"

namespace cli {

struct ToolCore;

struct ClientContext {
  // ostrand.dll's exports, bound.
  const TRFunctions& ostrand;
  // Results and the progress bar (drawn in barStyle); standard error under --json.
  std::ostream& out;
  std::ostream& err;
  BarStyle barStyle;
  Interruption& interruption;
  // Filled as the command goes; written as JSON under --json.
  Report& report;
  // The update tool's core, for printers and update.
  ToolCore& tool;
};

// Runs the command, fills the report (command, exit code, seconds) and
// returns the exit code (exit_codes.h). A new command starts without an
// earlier interrupt request.
int RunCommand(const CommandLine& line, ClientContext& context);

// The commands over ostrand.dll's exports alone: status, send, receive, list
// and delete. Each opens the named printer, runs its exchange and says in
// words what came of it.
int RunClientCommand(const CommandLine& line, ClientContext& context);

}  // namespace cli

#endif  // CLI_CLIENT_CONTEXT_H
