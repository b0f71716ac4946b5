// Exit codes of the console client, for scripts. 0 only on success; a failed
// Ostrand call exits with its result code (1 to 8); the client's own failures
// use codes from 64 on.
#ifndef CLI_EXIT_CODES_H
#define CLI_EXIT_CODES_H

namespace cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitUsage = 64,           // the command line is wrong
  kExitBadData = 65,         // a package or entry file is not usable
  kExitNoInput = 66,         // a package or entry file cannot be read
  kExitNoLibrary = 69,       // ostrand.dll or one of its exports is missing
  kExitUnexpected = 70,      // Ostrand answered with a code this call never gives
  kExitNoMemory = 71,        // the payload does not fit in this computer's memory
  kExitCannotWrite = 73,     // the received file cannot be written
  kExitNotThisPrinter = 76,  // the status block is not that of a ready printer
};

}  // namespace cli

#endif  // CLI_EXIT_CODES_H
