/* A C caller of ostrand.h as a developer writes one: it links against an
 * import library and takes every export into the header's table, so the link
 * must resolve all nine under the symbols the header's declarations ask for. */
#include "ostrand.h"

void FillOstrandTable(TRFunctions* table) {
  table->initPrinter = TRInitPrinter;
  table->checkSupportPrinter = TRCheckSupportPrinter;
  table->cmdInit = TRCmdInit;
  table->getStatus = TRGetStatus;
  table->getFileList = TRGetFileList;
  table->sendFile = TRSendFile;
  table->receiveFile = TRReceiveFile;
  table->deleteFile = TRDeleteFile;
  table->checkSupportPrinter2 = TRCheckSupportPrinter2;
}
