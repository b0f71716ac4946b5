// The package transfer worker: runs on the progress dialog's thread and sends
// the update's package files one after another, each checked against the
// opened printer's model, feeding the progress record as it goes. Its outcome
// is the transfer client's LastTransferResult.
#ifndef TOOL_TRANSFER_TRANSFER_WORKER_H
#define TOOL_TRANSFER_TRANSFER_WORKER_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ostrand.h"
#include "platform/message_boxes.h"
#include "tool/transfer/package_file.h"
#include "tool/transfer/transfer_client.h"
#include "tool/transfer/transfer_progress.h"

namespace vexlow {

// Full paths of the package files of one run, in sending order.
using PackageFileList = std::vector<std::string>;

// Everything one worker run reaches besides its list.
struct WorkerContext {
  TransferClient& client;
  TransferProgress& progress;
  // Handed to TRSendFile; called on the worker thread after every chunk.
  TRProgressCallback callback;
  // Where a package of another model is reported, with printerIdError
  // (string 1917, UTF-8).
  platform::MessageBoxes& messages;
  std::string printerIdError;
};

// Sends every package of the list in order and stops at the first that fails;
// always returns 0. LastTransferResult says how it went: 0 when all were
// sent, else the code of the failure (7 for a package of another model).
int32_t TransferWorker(const PackageFileList& files, WorkerContext& context);

// Sends one opened package: checks its model identifier, reads its payload
// into memory and calls TRSendFile. True when the library answered 0.
bool SendPackageFile(PackageFile& package, WorkerContext& context);

// The file name of a path without its directory and extension, at most 255
// characters.
std::string GetBaseName(std::string_view path);

}  // namespace vexlow

#endif  // TOOL_TRANSFER_TRANSFER_WORKER_H
