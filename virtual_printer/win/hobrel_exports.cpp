// hobrel.dll for tests and demonstrations: every port call is answered by one
// virtual printer per process, configured from the file that
// VEXLOW_VIRTUAL_PRINTER names. A configuration that cannot be read is reported
// once on stderr and leaves a printer that opens under no name, so a test never
// runs against faults it did not ask for.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "portio/hobrel_api.h"
#include "virtual_printer/core/config_parser.h"
#include "virtual_printer/core/link_clock.h"
#include "virtual_printer/core/virtual_printer.h"

namespace {

struct Host {
  std::mutex lock;
  vp::SteadyLinkClock clock;
  std::unique_ptr<vp::VirtualPrinter> printer;
};

// Made on first use, not in DllMain: reading files under the loader lock is unsafe.
Host& TheHost() {
  static Host* host = [] {
    auto* h = new Host;
    vp::PrinterConfig config;
    std::string error;
    // Read through Win32, which sees changes a host made with SetEnvironmentVariable.
    char path[1024] = {};
    const DWORD length = GetEnvironmentVariableA(vp::kConfigEnvironmentVariable, path, sizeof path);
    if (length >= sizeof path) {
      std::fprintf(stderr, "virtual printer: %s names a path that is too long\n",
                   vp::kConfigEnvironmentVariable);
      return h;
    }
    if (length > 0 && !vp::LoadPrinterConfigFile(path, &config, &error)) {
      std::fprintf(stderr, "virtual printer: %s\n", error.c_str());
      return h;
    }
    h->printer = vp::VirtualPrinter::Create(config, h->clock, &error);
    if (!h->printer) {
      std::fprintf(stderr, "virtual printer: %s\n", error.c_str());
    }
    return h;
  }();
  return *host;
}

}  // namespace

extern "C" {

int32_t HOBREL_CALL VirtualPrinterOpen(const char* printerName, void* openBlock) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  return host.printer && host.printer->Port().Open(printerName, openBlock) ? 1 : 0;
}

int32_t HOBREL_CALL VirtualPrinterWrite(const void* buffer, uint32_t count, uint32_t* written,
                                        uint32_t timeoutMs) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  return host.printer && host.printer->Port().Write(buffer, count, written, timeoutMs) ? 1 : 0;
}

int32_t HOBREL_CALL VirtualPrinterRead(void* buffer, uint32_t count, uint32_t* read,
                                       uint32_t timeoutMs) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  return host.printer && host.printer->Port().Read(buffer, count, read, timeoutMs) ? 1 : 0;
}

int32_t HOBREL_CALL VirtualPrinterPurge(void) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  if (host.printer) {
    host.printer->Port().Purge();
  }
  return 1;
}

int32_t HOBREL_CALL VirtualPrinterBeginTransfer(const char* printerName, uint32_t reserved,
                                                uint32_t timeoutMs) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  return host.printer && host.printer->Port().BeginTransfer(printerName, reserved, timeoutMs) ? 1
                                                                                              : 0;
}

int32_t HOBREL_CALL VirtualPrinterEndTransfer(void) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  if (host.printer) {
    host.printer->Port().EndTransfer();
  }
  return 1;
}

int32_t HOBREL_CALL SKWriteFile(const char* printerName, uint32_t reserved, const void* buffer,
                                uint32_t count, uint32_t* written, uint32_t timeoutMs) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  return host.printer && host.printer->Port().WriteByName(printerName, reserved, buffer, count,
                                                          written, timeoutMs)
             ? 1
             : 0;
}

int32_t HOBREL_CALL SKReadFile(const char* printerName, uint32_t reserved, void* buffer,
                               uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  return host.printer && host.printer->Port().ReadByName(printerName, reserved, buffer, count, read,
                                                         timeoutMs)
             ? 1
             : 0;
}

}  // extern "C"
