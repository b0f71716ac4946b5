// The exports the console client calls, as ostrand.dll gives them (WINAPI, as
// the table's types ask), over one instance of the protocol core that a test or
// fuzz target puts in front of its printer, and hobrel.dll's writes and reads
// by name over that printer's port.
#ifndef CLI_TESTS_CORE_EXPORTS_H
#define CLI_TESTS_CORE_EXPORTS_H

#include "ostrand.h"
#include "portio/hobrel_api.h"
#include "transfer/protocol/transfer_library.h"
#include "virtual_printer/core/virtual_port.h"

namespace cli_test {

// The instances the exports call; set them before a command runs.
inline ostrand::TransferLibrary* coreLibrary = nullptr;
inline vp::VirtualPort* corePort = nullptr;

inline uint32_t OSTRAND_CALL CoreCheckSupportPrinter(const char* /*name*/) {
  return 1;
}
inline int32_t HOBREL_CALL CoreWriteByName(const char* name, uint32_t reserved, const void* buffer,
                                           uint32_t count, uint32_t* written, uint32_t timeout) {
  return corePort->WriteByName(name, reserved, buffer, count, written, timeout) ? 1 : 0;
}
inline int32_t HOBREL_CALL CoreReadByName(const char* name, uint32_t reserved, void* buffer,
                                          uint32_t count, uint32_t* read, uint32_t timeout) {
  return corePort->ReadByName(name, reserved, buffer, count, read, timeout) ? 1 : 0;
}

inline int32_t OSTRAND_CALL CoreInitPrinter(const char* name, void* block) {
  return coreLibrary->InitPrinter(name, block);
}
inline int32_t OSTRAND_CALL CoreCmdInit(uint32_t timeout) {
  return coreLibrary->CmdInit(timeout);
}
inline int32_t OSTRAND_CALL CoreGetStatus(void* status, uint32_t timeout) {
  return coreLibrary->GetStatus(status, timeout);
}
inline int32_t OSTRAND_CALL CoreGetFileList(void* list, uint32_t* count, uint32_t timeout) {
  return coreLibrary->GetFileList(list, count, timeout);
}
inline int32_t OSTRAND_CALL CoreSendFile(const void* header, const void* data, const uint32_t* size,
                                         void* status, uint32_t timeout,
                                         TRProgressCallback progress) {
  return coreLibrary->SendFile(header, data, size, status, timeout, progress);
}
inline int32_t OSTRAND_CALL CoreReceiveFile(const void* header, void* data, const uint32_t* size,
                                            void* status, uint32_t timeout,
                                            TRProgressCallback progress) {
  return coreLibrary->ReceiveFile(header, data, size, status, timeout, progress);
}
inline int32_t OSTRAND_CALL CoreDeleteFile(const void* entry, uint32_t timeout) {
  return coreLibrary->DeleteFile(entry, timeout);
}

inline const TRFunctions kCoreExports{.initPrinter = CoreInitPrinter,
                                      .checkSupportPrinter = nullptr,
                                      .cmdInit = CoreCmdInit,
                                      .getStatus = CoreGetStatus,
                                      .getFileList = CoreGetFileList,
                                      .sendFile = CoreSendFile,
                                      .receiveFile = CoreReceiveFile,
                                      .deleteFile = CoreDeleteFile,
                                      .checkSupportPrinter2 = nullptr};

}  // namespace cli_test

#endif  // CLI_TESTS_CORE_EXPORTS_H
