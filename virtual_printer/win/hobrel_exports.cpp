// hobrel.dll for tests and demonstrations: every port call is answered by one
// virtual printer per process, configured from the file that
// VEXLOW_VIRTUAL_PRINTER names, or, when it names a recording to replay, by
// that recording (where the program parts from it is said on stderr and in
// the trace). A configuration that cannot be read is reported
// once on stderr and leaves a printer that opens under no name, so a test never
// runs against faults it did not ask for.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>

#include "portio/hobrel_api.h"
#include "support/recording/recording_format.h"
#include "virtual_printer/core/config_parser.h"
#include "virtual_printer/core/link_clock.h"
#include "virtual_printer/core/replay_port.h"
#include "virtual_printer/core/virtual_printer.h"

namespace {

struct Host {
  std::mutex lock;
  vp::SteadyLinkClock clock;
  std::unique_ptr<vp::VirtualPrinter> printer;
  std::unique_ptr<vp::ReplayPort> replay;  // answers instead of the printer's model
};

void Say(const std::string& problem) {
  std::fprintf(stderr, "virtual printer: %s\n", problem.c_str());
  std::fflush(stderr);
}

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
      return h;
    }
    if (!config.replayPath.empty()) {
      std::vector<support::RecordedCall> calls;
      if (!support::LoadRecordingFile(config.replayPath, &calls, &error)) {
        Say(error);
        h->printer.reset();
        return h;
      }
      h->printer->GetTrace().Line("    replays %u calls of %s", static_cast<unsigned>(calls.size()),
                                  config.replayPath.c_str());
      h->replay =
          std::make_unique<vp::ReplayPort>(std::move(calls), h->printer->GetTrace(), h->clock, Say);
    }
    return h;
  }();
  return *host;
}

// Runs one port call on the process's printer, one call at a time; 0 when the
// printer could not be made or the call failed. A replay answers what was recorded.
template <typename Call>
int32_t OnPrinter(Call call) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  if (host.replay) {
    return call(*host.replay);
  }
  return host.printer && call(host.printer->Port()) ? 1 : 0;
}

// Purge and end transfer of the model answer 1 whatever happens: callers
// ignore their result. A replay answers what was recorded.
template <typename Call>
int32_t Unchecked(Call call) {
  Host& host = TheHost();
  std::lock_guard<std::mutex> guard(host.lock);
  if (host.replay) {
    return call(*host.replay);
  }
  if (host.printer) {
    call(host.printer->Port());
  }
  return 1;
}

}  // namespace

extern "C" {

int32_t HOBREL_CALL VirtualPrinterOpen(const char* printerName, void* openBlock) {
  return OnPrinter([&](auto& port) { return port.Open(printerName, openBlock); });
}

int32_t HOBREL_CALL VirtualPrinterWrite(const void* buffer, uint32_t count, uint32_t* written,
                                        uint32_t timeoutMs) {
  return OnPrinter([&](auto& port) { return port.Write(buffer, count, written, timeoutMs); });
}

int32_t HOBREL_CALL VirtualPrinterRead(void* buffer, uint32_t count, uint32_t* read,
                                       uint32_t timeoutMs) {
  return OnPrinter([&](auto& port) { return port.Read(buffer, count, read, timeoutMs); });
}

int32_t HOBREL_CALL VirtualPrinterPurge(void) {
  return Unchecked([](auto& port) { return port.Purge(); });
}

int32_t HOBREL_CALL VirtualPrinterBeginTransfer(const char* printerName, uint32_t reserved,
                                                uint32_t timeoutMs) {
  return OnPrinter(
      [&](auto& port) { return port.BeginTransfer(printerName, reserved, timeoutMs); });
}

int32_t HOBREL_CALL VirtualPrinterEndTransfer(void) {
  return Unchecked([](auto& port) { return port.EndTransfer(); });
}

int32_t HOBREL_CALL SKWriteFile(const char* printerName, uint32_t reserved, const void* buffer,
                                uint32_t count, uint32_t* written, uint32_t timeoutMs) {
  return OnPrinter([&](auto& port) {
    return port.WriteByName(printerName, reserved, buffer, count, written, timeoutMs);
  });
}

int32_t HOBREL_CALL SKReadFile(const char* printerName, uint32_t reserved, void* buffer,
                               uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  return OnPrinter([&](auto& port) {
    return port.ReadByName(printerName, reserved, buffer, count, read, timeoutMs);
  });
}

}  // extern "C"
