// The console client's commands over Ostrand's exports: each opens the named
// printer, runs its exchange, says in words what came of it, and returns the
// exit code (exit_codes.h).
#ifndef CLI_CLIENT_COMMANDS_H
#define CLI_CLIENT_COMMANDS_H

#include <ostream>

#include "command_line.h"
#include "ostrand.h"
#include "progress_bar.h"

namespace cli {

// Results and the progress bar (drawn in barStyle) go to out; failures to err.
int RunCommand(const CommandLine& line, const TRFunctions& ostrand, std::ostream& out,
               std::ostream& err, BarStyle barStyle);

// Safe from a console control handler: the transfer under way stops at its next
// progress call, with the stop written to the printer.
void RequestCancel();

}  // namespace cli

#endif  // CLI_CLIENT_COMMANDS_H
