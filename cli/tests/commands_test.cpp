// The client's commands over Ostrand's protocol core, the virtual printer and
// the update tool's core: each outcome's exit code and words, what the printer
// was sent and what it holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/exit_codes.h"
#include "cli/tests/client_fixture.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer build refuses allocations above 1 GiB instead of ending the
// process, so a payload that does not fit in memory can be tried for real.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:max_allocation_size_mb=1024";
}
#endif

namespace cli {
namespace {

namespace fs = std::filesystem;
using Fixture = cli_test::ClientFixture;

class CommandsTest : public Fixture {
 public:
  void SetUp() override {
    Fixture::SetUp();
    Write("update.kx7", 3000);
    Write("sample.kx7", 3000);
    Write("other.kx7", 3000, 0x0416);
    fs::resize_file(Write("cut.kx7", 3000), 64 + 2999);
    fs::resize_file(Write("short.kx7", 0), 40);
    Write("empty.kx7", 0);
    Patch(Write("huge.kx7", 16), 19, 0x80);     // 0x80000010 bytes: negative as a signed count
    Patch(Write("largest.kx7", 16), 19, 0x7F);  // 0x7F000010 bytes: a package may announce it
  }
  void Patch(const std::string& path, std::streamoff at, uint8_t byte) {
    std::fstream(path, std::ios::binary | std::ios::in | std::ios::out)
        .seekp(at)
        .put(static_cast<char>(byte));
  }
  bool Traced(const char* what) { return TraceText().find(what) != std::string::npos; }
};

std::function<void(Fixture&)> Faults(vp::FaultConfig faults) {
  return [faults](Fixture& f) { f.config_.faults = faults; };
}

// A printer that stores a damaged copy of what it was sent.
int32_t OSTRAND_CALL SendAndDamage(const void* header, const void* data, const uint32_t* size,
                                   void* status, uint32_t timeout, TRProgressCallback progress) {
  std::vector<uint8_t> damaged(static_cast<const uint8_t*>(data),
                               static_cast<const uint8_t*>(data) + *size);
  damaged[*size / 2] ^= 0xFF;
  return cli_test::CoreSendFile(header, damaged.data(), size, status, timeout, progress);
}

TEST_F(CommandsTest, EachOutcomeHasItsExitCodeAndWords) {
  struct Row {
    const char* what;
    std::function<void(Fixture&)> arrange;
    const char* args;
    int exit;
    const char* said;
    size_t stored;
    bool modeCommand;
  };
  const auto none = Faults({});
  const Row rows[] = {
    {"update completed, the only printer", none, "update|--verify", kExitOk,
     "Completed the update for Glinterra.", 1, true},
    {"update, not ready", Faults({.wrongMagic = true}), "update|Virtual Printer", kExitNotReady,
     "Cannot communicate with the printer.", 0, false},
    // The driver gave no model, which no printer's status block carries.
    {"update, model unknown", [](Fixture& f) { f.listed_[0].model.reset(); }, "update",
     kExitNotReady, "Cannot communicate with the printer.", 0, false},
    {"update, wrong model", none, "update|Virtual Printer|@other.kx7", kExitWrongModel,
     "A printer ID error occurred.", 0, true},
    {"update failed", Faults({.breakLinkAfterBytes = 1000}), "update", kExitUpdateFailed,
     "Failed to transfer.", 0, true},
    {"update, verify mismatch", [](Fixture& f) { f.exports_.sendFile = &SendAndDamage; },
     "update|--verify", kExitVerifyMismatch, "the stored file differs from the package's payload",
     1, true},
    {"update, no printer", [](Fixture& f) { f.listed_.clear(); }, "update", kExitNotReady,
     "A compatible printer cannot be found. (driver \"Quorbel ZN-418\")", 0, false},
    {"update, several printers, none named",
     [](Fixture& f) {
       f.listed_.push_back({"Second Printer", 0x0415});
     },
     "update", kExitUsage, "2 printers of the driver \"Quorbel ZN-418\" are installed", 0, false},
    // The tool's list would fall back to another printer: never for a name.
    {"update, printer not of the driver", none, "update|Desk Printer", kExitUsage,
     "\"Desk Printer\" is no printer of the driver \"Quorbel ZN-418\"; its printers:\n  "
     "Virtual Printer",
     0, false},
    {"update, no vexlow.ini", [](Fixture& f) { f.ini_.clear(); }, "update", kExitNoInput,
     "is not there: name the driver with --driver", 0, false},
    {"dry run", none, "update|--dry-run", kExitOk, "Nothing was sent.", 0, false},
    {"dry run, wrong model", none, "update|--dry-run|Virtual Printer|@other.kx7", kExitWrongModel,
     "A printer ID error occurred.", 0, false},
    {"dry run, not ready", Faults({.wrongMagic = true}), "update|--dry-run", kExitNotReady,
     "Cannot communicate with the printer.", 0, false},
    {"send verified", none, "send|--verify|Virtual Printer|@sample.kx7", kExitOk,
     "(3000 payload bytes) to \"Virtual Printer\"", 1, false},
    {"status", none, "status|Virtual Printer", kExitOk,
     "model 0x0415, acceptance byte 1, accept count 1048576\nThe printer is ready.", 0, false},
    {"list, none", none, "list|Virtual Printer", kExitOk, "\"Virtual Printer\" holds 0 files.", 0,
     false},
    {"no such printer", none, "status|No Such Printer", 1,
     "opening \"No Such Printer\": the port library could not open the printer", 0, false},
    {"request rejected", Faults({.rejectRequest = 1}), "send|Virtual Printer|@sample.kx7", 7,
     "the printer rejected the request (result 7)", 0, false},
    {"transfer refused", Faults({.refuseBeginTransfer = true}), "send|Virtual Printer|@sample.kx7",
     5, "did not answer in time, or would not begin the transfer", 0, false},
    {"link broken", Faults({.breakLinkAfterBytes = 1000}), "send|Virtual Printer|@sample.kx7", 3,
     "writing to the printer failed", 0, false},
    {"status cut short", Faults({.shortStatusBytes = 8}), "status|Virtual Printer", 4,
     "reading from the printer failed", 0, false},
    {"status of another printer", Faults({.wrongMagic = true}), "status|Virtual Printer",
     kExitNotThisPrinter, "does not begin with 81 20 42 (80 21 41)", 0, false},
    // As the update tool does: a package of another model is never sent.
    {"send to another model", Faults({.wrongModel = true, .wrongModelId = 0x7777}),
     "send|Virtual Printer|@sample.kx7", TR_REJECTED,
     "a package for model 0x0415, but \"Virtual Printer\" is model 0x7777", 0, false},
    {"delete, no such entry", none, "delete|Virtual Printer|3", kExitUsage,
     "\"Virtual Printer\" holds 0 files; there is no entry 3", 0, false},
    {"package missing", none, "send|Virtual Printer|@missing.kx7", kExitNoInput, "cannot be opened",
     0, false},
    {"package short", none, "send|Virtual Printer|@short.kx7", kExitBadData,
     "is shorter than a 64-byte header", 0, false},
    {"package empty", none, "send|Virtual Printer|@empty.kx7", kExitBadData,
     "announces an empty payload", 0, false},
    {"package cut", none, "send|Virtual Printer|@cut.kx7", kExitBadData,
     "is shorter than the header and the payload it announces", 0, false},
    {"package of 2 GiB", none, "send|Virtual Printer|@huge.kx7", kExitBadData,
     "announces a payload of 2 GiB or more", 0, false},
    {"entry of 2 GiB", none, "receive|Virtual Printer|@huge.kx7|@out.kx7", kExitBadData,
     "the entry announces a payload of 2 GiB or more", 0, false},
#if defined(__SANITIZE_ADDRESS__)  // only the sanitizer build refuses a large allocation
    {"entry too large", none, "receive|Virtual Printer|@largest.kx7|@out.kx7", kExitNoMemory,
     "the entry announces a payload too large for the memory", 0, false},
#endif
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    config_ = vp::PrinterConfig{};
    exports_ = cli_test::kCoreExports;
    listed_ = {{vp_test::kPrinterName, vp::kDefaultModelId}};
    ini_ = {
        {"DriverName", "Quorbel ZN-418"}, {"NewVersion", "2.10"}, {"KX7FileName", "update.kx7"}};
    r.arrange(*this);
    Connect();
    EXPECT_EQ(Run(r.args), r.exit) << err_.str();
    EXPECT_NE((out_.str() + err_.str()).find(r.said), std::string::npos) << err_.str();
    EXPECT_EQ(report_.exitCode, r.exit);
    EXPECT_EQ(StoredFiles(), r.stored);
    EXPECT_EQ(Traced("mode command"), r.modeCommand);
    EXPECT_FALSE(!r.modeCommand && std::string(r.args).starts_with("update") &&
                 Traced("transfer begun"))
        << "no transfer before the mode command";
    EXPECT_FALSE(fs::exists(folder_ / "out.kx7")) << "no output file";
  }
}

TEST_F(CommandsTest, ListReceiveAndDeleteWhatWasSent) {
  ASSERT_EQ(Run("send|Virtual Printer|@sample.kx7"), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("100%"), std::string::npos) << "the progress bar reached the end";
  ASSERT_EQ(Run("list|Virtual Printer"), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("\"Virtual Printer\" holds 1 file:\n"
                            "  1. model 0x0415, 3000 payload bytes, entry 90 40 15 04"),
            std::string::npos)
      << out_.str();
  // Trailing bytes after the payload are not part of the package.
  std::ofstream(folder_ / "sample.kx7", std::ios::app) << "trailing";
  ASSERT_EQ(Run("--quiet|receive|Virtual Printer|1|@back.kx7"), kExitOk) << err_.str();
  EXPECT_EQ(out_.str().find('%'), std::string::npos) << "--quiet draws no bar";
  std::ifstream back(folder_ / "back.kx7", std::ios::binary), sent(Write("again.kx7", 3000));
  EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(back), {},
                         std::istreambuf_iterator<char>(sent), {}));
  ASSERT_EQ(Run("delete|Virtual Printer|@sample.kx7"), kExitOk) << err_.str();
  EXPECT_EQ(StoredFiles(), 0u);
  // A package file of 2 GiB or more (here its trailing bytes) is measured in
  // 64 bits: a 32-bit length fails or wraps and the package reads as too short.
  fs::resize_file(folder_ / "sample.kx7", 0x80000000ULL + 100);
  EXPECT_EQ(Run("--quiet|send|Virtual Printer|@sample.kx7"), kExitOk) << err_.str();
  EXPECT_EQ(StoredFiles(), 1u);
}

// Stands in for the console's Ctrl+C: one request once the progress bar has
// been drawn four times.
class InterruptAtBar : public std::stringbuf {
 public:
  explicit InterruptAtBar(Interruption& interruption) : interruption_(interruption) {}

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    if (++drawings_ == 4) {
      interruption_.Request();
    }
    return std::stringbuf::xsputn(s, n);
  }

 private:
  Interruption& interruption_;
  int drawings_ = 0;
};

Interruption* listInterrupted = nullptr;
int32_t OSTRAND_CALL ListThenInterrupt(void* list, uint32_t* count, uint32_t timeout) {
  listInterrupted->Request();
  return cli_test::CoreGetFileList(list, count, timeout);
}

// A transfer stops at its next step; outside one the process would end at
// once, and if it did not, the run still changes nothing.
TEST_F(CommandsTest, AnInterruptStopsBeforeAnyChange) {
  Write("big.kx7", 20000);
  ini_ = {{"DriverName", "Quorbel ZN-418"}};
  for (const char* command : {"send|Virtual Printer|@big.kx7", "update|Virtual Printer|@big.kx7"}) {
    SCOPED_TRACE(command);
    Connect();
    InterruptAtBar console(interruption_);
    std::ostream out(&console);
    EXPECT_EQ(Run(command, &out), kExitCancelled) << err_.str();
    EXPECT_EQ(console.str().find("100%"), std::string::npos);
    EXPECT_NE(err_.str().find("ancelled"), std::string::npos) << err_.str();
    EXPECT_EQ(StoredFiles(), 0u);
    EXPECT_TRUE(Traced("length word 0: stop word"));
  }
  Connect();
  onSelect_ = [this] { EXPECT_EQ(interruption_.Request(), Interruption::Answer::kEndNow); };
  EXPECT_EQ(Run("update|Virtual Printer|@sample.kx7"), kExitCancelled);
  EXPECT_FALSE(Traced("mode command"));
  onSelect_ = nullptr;
  // The next command starts without the old request.
  ASSERT_EQ(Run("send|Virtual Printer|@sample.kx7"), kExitOk) << err_.str();
  listInterrupted = &interruption_;
  exports_.getFileList = &ListThenInterrupt;
  EXPECT_EQ(Run("delete|Virtual Printer|1"), kExitCancelled);
  EXPECT_EQ(StoredFiles(), 1u);
}

TEST_F(CommandsTest, PrintersListsTheDriversPrintersWithModelAndReadiness) {
  listed_ = {{vp_test::kPrinterName, vp::kDefaultModelId},
             {"Shelf Printer", vp::kDefaultModelId},
             {"Unknown Printer", std::nullopt}};
  ASSERT_EQ(Run("printers|--driver|Quorbel ZN-418"), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(),
            "Printers of the driver \"Quorbel ZN-418\":\n"
            "  Virtual Printer  model 0x0415  ready\n"
            "  Shelf Printer  model 0x0415  not ready\n"
            "  Unknown Printer  model unknown  not ready\n");
  EXPECT_EQ(tool_->printers.askedDriver, "Quorbel ZN-418");
}

}  // namespace
}  // namespace cli
