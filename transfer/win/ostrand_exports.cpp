// The nine exports of ostrand.dll. Each forwards to the one library instance of
// the process. The instances live in static storage, so their state is zero
// when the DLL is loaded; there is no DllMain, as nothing is to be done when
// threads attach or detach. No <windows.h> here: it would rename DeleteFile.
#include "ostrand.h"
#include "platform/win/win32_machine_registry.h"
#include "platform/win/win32_printer_spooler.h"
#include "transfer/protocol/transfer_library.h"
#include "transfer/support/support_check.h"
#include "transfer/win/hobrel_port_io.h"
#include "transfer/win/win_tick_clock.h"

namespace {

ostrand::HobrelPortIo port;
ostrand::WinTickClock tickClock;
ostrand::TransferLibrary library(port, tickClock);

platform::Win32PrinterSpooler spooler;
platform::Win32MachineRegistry registry;
ostrand::SupportCheck supportCheck(spooler, registry);

}  // namespace

int32_t OSTRAND_CALL TRInitPrinter(const char* printerName, void* openBlock) {
  return library.InitPrinter(printerName, openBlock);
}

int32_t OSTRAND_CALL TRCmdInit(uint32_t timeoutMs) {
  return library.CmdInit(timeoutMs);
}

int32_t OSTRAND_CALL TRGetStatus(void* status, uint32_t timeoutMs) {
  return library.GetStatus(status, timeoutMs);
}

int32_t OSTRAND_CALL TRGetFileList(void* list, uint32_t* count, uint32_t timeoutMs) {
  return library.GetFileList(list, count, timeoutMs);
}

int32_t OSTRAND_CALL TRSendFile(const void* header, const void* data, const uint32_t* size,
                                void* status, uint32_t timeoutMs, TRProgressCallback progress) {
  return library.SendFile(header, data, size, status, timeoutMs, progress);
}

int32_t OSTRAND_CALL TRReceiveFile(const void* header, void* data, const uint32_t* size,
                                   void* status, uint32_t timeoutMs, TRProgressCallback progress) {
  return library.ReceiveFile(header, data, size, status, timeoutMs, progress);
}

int32_t OSTRAND_CALL TRDeleteFile(const void* entry, uint32_t timeoutMs) {
  return library.DeleteFile(entry, timeoutMs);
}

uint32_t OSTRAND_CALL TRCheckSupportPrinter(const char* printerName) {
  return supportCheck.CheckSupportPrinter(printerName);
}

uint32_t OSTRAND_CALL TRCheckSupportPrinter2(const char* printerName, const char* companyName) {
  return supportCheck.CheckSupportPrinter2(printerName, companyName);
}
