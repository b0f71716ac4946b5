// The seams the client's tests and fuzz target give it: ostrand.dll's exports
// (WINAPI, as the table's types ask) and hobrel.dll's writes and reads by name
// over one protocol core and one virtual printer's port; the tool's core with
// a printer list a test names, the tool's English strings, an ini and a clock
// that lets each pause pass at once.
#ifndef CLI_TESTS_TOOL_FAKES_H
#define CLI_TESTS_TOOL_FAKES_H

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli/tool_core.h"
#include "core/progress_session.h"
#include "ostrand.h"
#include "platform/testing/fake_library_loader.h"
#include "portio/hobrel_api.h"
#include "resource.h"
#include "transfer/protocol/transfer_library.h"
#include "virtual_printer/core/virtual_port.h"

namespace cli_test {

// The instances the exports call; set them before a command runs.
inline ostrand::TransferLibrary* coreLibrary = nullptr;
inline vp::VirtualPort* corePort = nullptr;

inline int32_t HOBREL_CALL CoreWriteByName(const char* name, uint32_t reserved, const void* buffer,
                                           uint32_t count, uint32_t* written, uint32_t timeout) {
  return corePort->WriteByName(name, reserved, buffer, count, written, timeout) ? 1 : 0;
}
inline int32_t HOBREL_CALL CoreReadByName(const char* name, uint32_t reserved, void* buffer,
                                          uint32_t count, uint32_t* read, uint32_t timeout) {
  return corePort->ReadByName(name, reserved, buffer, count, read, timeout) ? 1 : 0;
}
inline int32_t OSTRAND_CALL CoreSendFile(const void* header, const void* data, const uint32_t* size,
                                         void* status, uint32_t timeout, TRProgressCallback cb) {
  return coreLibrary->SendFile(header, data, size, status, timeout, cb);
}
inline int32_t OSTRAND_CALL CoreGetFileList(void* list, uint32_t* count, uint32_t timeout) {
  return coreLibrary->GetFileList(list, count, timeout);
}

inline const TRFunctions kCoreExports{
    .initPrinter = [](const char* name, void* block)
                       OSTRAND_CALL { return coreLibrary->InitPrinter(name, block); },
    .checkSupportPrinter = [](const char*) OSTRAND_CALL -> uint32_t { return 1; },
    .cmdInit = [](uint32_t timeout) OSTRAND_CALL { return coreLibrary->CmdInit(timeout); },
    .getStatus = [](void* status, uint32_t timeout)
                     OSTRAND_CALL { return coreLibrary->GetStatus(status, timeout); },
    .getFileList = CoreGetFileList,
    .sendFile = CoreSendFile,
    .receiveFile =
        [](const void* header, void* data, const uint32_t* size, void* status, uint32_t timeout,
           TRProgressCallback cb) OSTRAND_CALL {
          return coreLibrary->ReceiveFile(header, data, size, status, timeout, cb);
        },
    .deleteFile = [](const void* entry, uint32_t timeout)
                      OSTRAND_CALL { return coreLibrary->DeleteFile(entry, timeout); },
    .checkSupportPrinter2 = nullptr};

// Selects as the tool's list does: the named printer, else the first.
class FakeCatalog : public cli::PrinterCatalog {
 public:
  std::vector<cli::ListedPrinter> PrintersOfDriver(const std::string&) override { return listed; }
  bool SelectPrinter(const char* name) override {
    if (onSelect) {
      onSelect();
    }
    current_ = listed.empty() ? cli::ListedPrinter{} : listed.front();
    for (const cli::ListedPrinter& p : listed) {
      if (p.name == name) {
        current_ = p;
      }
    }
    return !listed.empty();
  }
  bool GetCurrentPrinterName(std::string& out) const override {
    out = current_.name;
    return !out.empty();
  }
  uint32_t GetCurrentModelId() const override { return current_.model.value_or(0); }

  std::vector<cli::ListedPrinter> listed;
  std::function<void()> onSelect;  // stands for what happens meanwhile

 private:
  cli::ListedPrinter current_;
};

// The tool's English strings, no code-page conversion, and vexlow.ini's values
// by key in a file that exists only when values are set.
struct FakeText : vexlow::StringTable,
                  vexlow::TextCodec,
                  vexlow::ProfileReader,
                  vexlow::FilePresence {
  std::string Load(unsigned id) override {
    static const std::map<unsigned, std::string> texts = {
        {IDS_CANNOT_COMMUNICATE, "Cannot communicate with the printer."},
        {IDS_TRANSFER_FAILED, "Failed to transfer."},
        {IDS_TRANSFER_CANCELLED, "Transferring cancelled."},
        {IDS_PRINTER_ID_ERROR, "A printer ID error occurred."},
        {IDS_NO_COMPATIBLE_PRINTER, "A compatible printer cannot be found."},
        {IDS_UPDATE_COMPLETED, "Completed the update for Glinterra."}};
    return texts.count(id) != 0 ? texts.at(id) : std::string();
  }
  std::string AnsiToUtf8(const std::string& ansi) override { return ansi; }
  std::string ReadString(const std::string&, const char*, const char* key, const char* fallback,
                         std::size_t) override {
    return values.count(key) != 0 ? values.at(key) : fallback;
  }
  bool Exists(const std::string&) override { return !values.empty(); }
  std::map<std::string, std::string> values;
};

// Each reading a whole pause on: the pause after a transfer passes at once,
// after a reading or two; a wait that never ends reads it without end.
struct PauseClock : platform::TickClock {
  uint32_t NowMs() override {
    if (++readings == 1000) {
      ADD_FAILURE() << "the clock was read 1000 times: a wait that does not end";
    }
    return now += vexlow::kOperatingWindowPauseMs;
  }
  uint32_t now = 0, readings = 0;
};

// The tool's core over the exports and the virtual printer's port, as one
// process of the client builds it.
struct FakeTool {
  using Symbol = platform::LibraryLoader::Symbol;
  explicit FakeTool(const TRFunctions& f = kCoreExports) {
    loader.Provide("Ostrand.dll",
                   {{"TRInitPrinter", reinterpret_cast<Symbol>(f.initPrinter)},
                    {"TRCheckSupportPrinter", reinterpret_cast<Symbol>(f.checkSupportPrinter)},
                    {"TRCmdInit", reinterpret_cast<Symbol>(f.cmdInit)},
                    {"TRGetStatus", reinterpret_cast<Symbol>(f.getStatus)},
                    {"TRGetFileList", reinterpret_cast<Symbol>(f.getFileList)},
                    {"TRSendFile", reinterpret_cast<Symbol>(f.sendFile)},
                    {"TRReceiveFile", reinterpret_cast<Symbol>(f.receiveFile)},
                    {"TRDeleteFile", reinterpret_cast<Symbol>(f.deleteFile)}});
    loader.Provide("hobrel.dll", {{"SKWriteFile", reinterpret_cast<Symbol>(&CoreWriteByName)},
                                  {"SKReadFile", reinterpret_cast<Symbol>(&CoreReadByName)}});
  }

  platform::testing::FakeLibraryLoader loader;
  vexlow::TransferClient client{loader};
  vexlow::PortBinding port{loader};
  FakeCatalog printers;
  FakeText text;
  PauseClock clock;
  cli::ToolCore core{client, port, printers, text, text, text, text, clock, "C:\\Tools"};
};

}  // namespace cli_test

#endif  // CLI_TESTS_TOOL_FAKES_H
