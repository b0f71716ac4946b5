// The update tool's seams as the client's tests and fuzz target give them: a
// printer list of the driver's printers a test names, the tool's English
// strings, no code-page conversion, an ini, a clock that lets each pause pass
// at once, and the loader that binds the exports of core_exports.h.
#ifndef CLI_TESTS_TOOL_FAKES_H
#define CLI_TESTS_TOOL_FAKES_H

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cli/tests/core_exports.h"
#include "cli/tool_core.h"
#include "core/progress_session.h"
#include "platform/testing/fake_library_loader.h"
#include "resource.h"

namespace cli_test {

// Selects as the tool's list does: the named printer, else the first.
class FakeCatalog : public cli::PrinterCatalog {
 public:
  std::vector<cli::ListedPrinter> PrintersOfDriver(const std::string& driver) override {
    askedDriver = driver;
    return listed;
  }
  bool SelectPrinter(const char* name) override {
    if (onSelect) {
      onSelect();
    }
    for (const cli::ListedPrinter& p : listed) {
      if (p.name == name) {
        current_ = p;
        return true;
      }
    }
    if (listed.empty()) {
      return false;
    }
    current_ = listed.front();
    return true;
  }
  bool GetCurrentPrinterName(std::string& out) const override {
    out = current_.name;
    return !out.empty();
  }
  uint32_t GetCurrentModelId() const override { return current_.model.value_or(0); }

  std::vector<cli::ListedPrinter> listed;
  std::string askedDriver;
  std::function<void()> onSelect;  // stands for what happens meanwhile

 private:
  cli::ListedPrinter current_;
};

struct EnglishStrings : vexlow::StringTable {
  std::string Load(unsigned id) override {
    static const std::map<unsigned, std::string> texts = {
        {IDS_CANNOT_COMMUNICATE, "Cannot communicate with the printer."},
        {IDS_TRANSFER_FAILED, "Failed to transfer."},
        {IDS_TRANSFER_CANCELLED, "Transferring cancelled."},
        {IDS_PRINTER_ID_ERROR, "A printer ID error occurred."},
        {IDS_NO_COMPATIBLE_PRINTER, "A compatible printer cannot be found."},
        {IDS_UPDATE_COMPLETED, "Completed the update for Glinterra."}};
    const auto found = texts.find(id);
    return found == texts.end() ? std::string() : found->second;
  }
};

struct SameText : vexlow::TextCodec {
  std::string AnsiToUtf8(const std::string& ansi) override { return ansi; }
};

// vexlow.ini's values, by key, in a file that exists only when ini is set.
struct FakeIni : vexlow::ProfileReader, vexlow::FilePresence {
  std::string ReadString(const std::string&, const char*, const char* key, const char* fallback,
                         std::size_t) override {
    const auto found = values.find(key);
    return found == values.end() ? fallback : found->second;
  }
  bool Exists(const std::string&) override { return !values.empty(); }
  std::map<std::string, std::string> values;
};

// Each reading a whole pause on: the pause after a transfer passes at once.
struct PauseClock : platform::TickClock {
  uint32_t NowMs() override { return now += vexlow::kOperatingWindowPauseMs; }
  uint32_t now = 0;
};

inline platform::testing::FakeLibraryLoader::Exports ExportsOf(const TRFunctions& f) {
  using Symbol = platform::LibraryLoader::Symbol;
  return {{"TRInitPrinter", reinterpret_cast<Symbol>(f.initPrinter)},
          {"TRCheckSupportPrinter", reinterpret_cast<Symbol>(&CoreCheckSupportPrinter)},
          {"TRCmdInit", reinterpret_cast<Symbol>(f.cmdInit)},
          {"TRGetStatus", reinterpret_cast<Symbol>(f.getStatus)},
          {"TRGetFileList", reinterpret_cast<Symbol>(f.getFileList)},
          {"TRSendFile", reinterpret_cast<Symbol>(f.sendFile)},
          {"TRReceiveFile", reinterpret_cast<Symbol>(f.receiveFile)},
          {"TRDeleteFile", reinterpret_cast<Symbol>(f.deleteFile)}};
}

// The tool's core over the exports and the virtual printer's port, as one
// process of the client builds it.
struct FakeTool {
  explicit FakeTool(const TRFunctions& exports = kCoreExports) {
    using Symbol = platform::LibraryLoader::Symbol;
    loader.Provide("Ostrand.dll", ExportsOf(exports));
    loader.Provide("hobrel.dll", {{"SKWriteFile", reinterpret_cast<Symbol>(&CoreWriteByName)},
                                  {"SKReadFile", reinterpret_cast<Symbol>(&CoreReadByName)}});
  }

  platform::testing::FakeLibraryLoader loader;
  vexlow::TransferClient client{loader};
  vexlow::PortBinding port{loader};
  FakeCatalog printers;
  EnglishStrings strings;
  SameText codec;
  FakeIni ini;
  PauseClock clock;
  cli::ToolCore core{client, port, printers, strings, codec, ini, ini, clock, "C:\\Tools"};
};

}  // namespace cli_test

#endif  // CLI_TESTS_TOOL_FAKES_H
