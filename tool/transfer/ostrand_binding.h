// Binding ostrand.dll's exports by name at run time, shared by the update tool
// and the console client: one table (TRFunctions of ostrand.h), filled in one
// order.
#ifndef TOOL_TRANSFER_OSTRAND_BINDING_H
#define TOOL_TRANSFER_OSTRAND_BINDING_H

#include "ostrand.h"
#include "platform/library_loader.h"

namespace vexlow {

// Resolves the eight exports its callers use, all but TRCheckSupportPrinter2,
// in this order: TRInitPrinter, TRCheckSupportPrinter, TRCmdInit, TRGetStatus,
// TRGetFileList, TRSendFile, TRReceiveFile, TRDeleteFile. Stops at the first
// name the library lacks and returns it (the entries found so far stay); null
// when all eight resolved.
const char* BindOstrandExports(platform::LibraryLoader& loader,
                               platform::LibraryLoader::Handle library, TRFunctions* entries);

}  // namespace vexlow

#endif  // TOOL_TRANSFER_OSTRAND_BINDING_H
