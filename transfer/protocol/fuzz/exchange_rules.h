// The contract of the transfer library's exports, checked against the journal
// of one call over the hostile port: what went over the wire, in what order,
// within what time, and whether the result code tells the truth about it.
// Each check stops the run (FUZZ_CHECK) at the first rule broken.
#ifndef TRANSFER_PROTOCOL_FUZZ_EXCHANGE_RULES_H
#define TRANSFER_PROTOCOL_FUZZ_EXCHANGE_RULES_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "hostile_port.h"

namespace ostrand_fuzz {

using Bytes = std::vector<uint8_t>;
using StatusBytes = std::array<uint8_t, 32>;

// One TRSendFile or TRReceiveFile as the harness made it, and what it left.
struct TransferCall {
  bool sending = true;
  bool libraryOpen = true;  // a printer had been opened before the call
  std::string printerName;  // the name the library keeps
  uint64_t startMs = 0;     // true time when the call began
  uint32_t timeoutMs = 0;
  Bytes header;
  Bytes payload;  // send: the payload; receive: the caller's buffer after the call
  uint32_t total = 0;
  StatusBytes statusBefore{};
  StatusBytes statusAfter{};
  int32_t result = 0;
};

void CheckTransfer(const TransferCall& call, const Journal& journal);

// The commands outside a transfer, each with one time budget for the call.
enum class Command { kCmdInit, kGetStatus, kFileCount, kFileEntries, kDeleteFile };

struct CommandCall {
  Command command = Command::kCmdInit;
  bool libraryOpen = true;
  uint64_t startMs = 0;
  uint32_t timeoutMs = 0;
  Bytes entry;               // delete: the file entry
  uint32_t countBefore = 0;  // file list: the caller's count before the call
  uint32_t countAfter = 0;
  int32_t result = 0;
};

void CheckCommand(const CommandCall& call, const Journal& journal);

// TRInitPrinter: the name the port is given and the name kept afterwards.
void CheckInitPrinter(const std::string& keptName, int32_t result, const Journal& journal);

}  // namespace ostrand_fuzz

#endif  // TRANSFER_PROTOCOL_FUZZ_EXCHANGE_RULES_H
