// The exports the console client calls, as ostrand.dll gives them, over one
// instance of the protocol core that a test or fuzz target puts in front of
// its printer.
#ifndef CLI_TESTS_CORE_EXPORTS_H
#define CLI_TESTS_CORE_EXPORTS_H

#include "cli/ostrand_functions.h"
#include "transfer/protocol/transfer_library.h"

namespace cli_test {

// The instance the exports call; set it before a command runs.
inline ostrand::TransferLibrary* coreLibrary = nullptr;

inline const cli::OstrandFunctions kCoreExports{
    .initPrinter = [](const char* name,
                      void* block) { return coreLibrary->InitPrinter(name, block); },
    .checkSupportPrinter = nullptr,
    .cmdInit = [](uint32_t timeout) { return coreLibrary->CmdInit(timeout); },
    .getStatus = [](void* status,
                    uint32_t timeout) { return coreLibrary->GetStatus(status, timeout); },
    .getFileList = [](void* list, uint32_t* count,
                      uint32_t timeout) { return coreLibrary->GetFileList(list, count, timeout); },
    .sendFile =
        [](const void* header, const void* data, const uint32_t* size, void* status,
           uint32_t timeout, TRProgressCallback progress) {
          return coreLibrary->SendFile(header, data, size, status, timeout, progress);
        },
    .receiveFile =
        [](const void* header, void* data, const uint32_t* size, void* status, uint32_t timeout,
           TRProgressCallback progress) {
          return coreLibrary->ReceiveFile(header, data, size, status, timeout, progress);
        },
    .deleteFile = [](const void* entry,
                     uint32_t timeout) { return coreLibrary->DeleteFile(entry, timeout); },
    .checkSupportPrinter2 = nullptr};

}  // namespace cli_test

#endif  // CLI_TESTS_CORE_EXPORTS_H
