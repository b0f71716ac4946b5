// The exports of ostrand.dll that the console client calls, as the loader
// resolved them. Tests fill the table with functions over the portable core.
#ifndef CLI_OSTRAND_FUNCTIONS_H
#define CLI_OSTRAND_FUNCTIONS_H

#include "ostrand.h"

namespace cli {

struct OstrandFunctions {
  TRInitPrinterFn initPrinter = nullptr;
  TRCmdInitFn cmdInit = nullptr;
  TRGetStatusFn getStatus = nullptr;
  TRGetFileListFn getFileList = nullptr;
  TRSendFileFn sendFile = nullptr;
  TRReceiveFileFn receiveFile = nullptr;
  TRDeleteFileFn deleteFile = nullptr;
};

}  // namespace cli

#endif  // CLI_OSTRAND_FUNCTIONS_H
