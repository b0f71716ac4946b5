// printers and update: the update tool's steps on its own core (tool_core.h),
// without dialogs.
#ifndef CLI_UPDATE_COMMANDS_H
#define CLI_UPDATE_COMMANDS_H

#include "client_context.h"

namespace cli {

// The driver's printers, each with its model and whether it answers as a
// ready printer of it.
int RunPrinters(const CommandLine& line, ClientContext& context);

// The tool's update: identification, readiness, the mode command, the
// transfer with its progress, the pause; --dry-run stops before the first
// change, --verify reads the stored file back.
int RunUpdate(const CommandLine& line, ClientContext& context);

}  // namespace cli

#endif  // CLI_UPDATE_COMMANDS_H
