// Exit codes of the console client, for scripts and deployment systems. 0 only
// on success. status, send, receive, list and delete exit with the failing
// Ostrand call's result code (1 to 8); update exits with one code per result
// of the update; the client's own failures use codes from 64 on.
#ifndef CLI_EXIT_CODES_H
#define CLI_EXIT_CODES_H

namespace cli {

enum ExitCode : int {
  kExitOk = 0,               // done; for update: the update completed
  kExitCancelled = 8,        // stopped by Ctrl+C or Ctrl+Break (Ostrand's cancel code)
  kExitUsage = 64,           // the command line is wrong
  kExitBadData = 65,         // a package or entry file is not usable
  kExitNoInput = 66,         // a package, entry file or vexlow.ini cannot be read
  kExitNoLibrary = 69,       // ostrand.dll, hobrel.dll or one of their exports is missing
  kExitUnexpected = 70,      // Ostrand answered with a code this call never gives
  kExitNoMemory = 71,        // the payload does not fit in this computer's memory
  kExitCannotWrite = 73,     // the received file cannot be written
  kExitUpdateFailed = 74,    // update: the transfer failed
  kExitWrongModel = 75,      // update: the package is for another model of printer
  kExitNotReady = 76,        // the printer does not answer as a ready printer (of its model)
  kExitVerifyMismatch = 77,  // --verify: the printer does not hold the package's payload
};

// Today's name of kExitNotReady, kept for the commands that used it first.
inline constexpr int kExitNotThisPrinter = kExitNotReady;

}  // namespace cli

#endif  // CLI_EXIT_CODES_H
