// The client's commands over Ostrand's protocol core, the virtual printer and
// the update tool's core, each Run one process of the client: each outcome's
// exit code and words, and what the printer holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "cli/client_context.h"
#include "cli/exit_codes.h"
#include "cli/tests/tool_fakes.h"
#include "virtual_printer/tests/printer_fixture.h"

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

class CommandsTest : public vp_test::PrinterFixture {
 public:
  void SetUp() override {
    Write("update.kx7", 3000);
    Write("sample.kx7", 3000);
    Write("other.kx7", 3000, 0x0416);
    Write("cut.kx7", 2999, 0x0415, 3000);
    fs::resize_file(Write("short.kx7", 0), 40);
    Write("empty.kx7", 0);
    Write("one.kx7", 1);
    Write("huge.kx7", 16, 0x0415, 0x80000010);     // negative as a signed count
    Write("largest.kx7", 16, 0x0415, 0x7F000010);  // a package may announce it
    Connect();
  }
  void TearDown() override { cli_test::coreLibrary = nullptr; }

  // A printer built from config_, and the library in front of it.
  void Connect() {
    Build();
    library_ = std::make_unique<ostrand::TransferLibrary>(printer_->Port(), clock_);
    cli_test::coreLibrary = library_.get();
    cli_test::corePort = &printer_->Port();
  }

  // Runs the command line, its words split at '|', a word "@name" standing for
  // that file in the test's folder.
  int Run(const std::string& words) {
    std::vector<std::string> args = {"ostrandcli"};
    std::istringstream split(words);
    for (std::string word; std::getline(split, word, '|');) {
      args.push_back(word.starts_with('@') ? packages_.Path(word.substr(1)) : word);
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
      argv.push_back(arg.c_str());
    }
    CommandLine line;
    std::string error;
    EXPECT_TRUE(ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &line, &error))
        << error;
    out_.str("");
    err_.str("");
    report_ = Report{};
    tool_ = std::make_unique<cli_test::FakeTool>(exports_);
    tool_->printers.listed = listed_;
    tool_->printers.onSelect = onSelect_;
    tool_->text.values = ini_;
    tool_->core.programDirectory = packages_.Path("tool");
    ClientContext context{exports_,      out_,    err_,       BarStyle::kRedrawn,
                          interruption_, report_, tool_->core};
    return RunCommand(line, context);
  }

  // A package file in the test's folder: a header of that model announcing
  // `announced` bytes (else the payload's size), and the payload. The one
  // vexlow.ini names lies where the tool composes its path, with a backslash
  // (on Linux a name in the folder).
  std::string Write(const std::string& name, uint32_t payloadSize, uint16_t model = 0x0415,
                    uint32_t announced = 0) {
    return packages_.Write(name == "update.kx7" ? "tool\\update.kx7" : name, model,
                           announced ? announced : payloadSize, payloadSize);
  }
  bool Traced(const char* what) { return TraceText().find(what) != std::string::npos; }

  vp_test::PackageFolder packages_;
  std::unique_ptr<ostrand::TransferLibrary> library_;
  TRFunctions exports_ = cli_test::kCoreExports;
  // The driver's printers, as the tool's list gives them, and vexlow.ini.
  std::vector<ListedPrinter> listed_ = {{vp_test::kPrinterName, vp::kDefaultModelId}};
  std::map<std::string, std::string> ini_;
  std::function<void()> onSelect_;
  Interruption interruption_;
  std::unique_ptr<cli_test::FakeTool> tool_;
  Report report_;
  std::ostringstream out_;
  std::ostringstream err_;
};

std::function<void(CommandsTest&)> Faults(vp::FaultConfig faults) {
  return [faults](CommandsTest& f) { f.config_.faults = faults; };
}

// A printer that stores a damaged copy of what it was sent.
int32_t OSTRAND_CALL SendAndDamage(const void* header, const void* data, const uint32_t* size,
                                   void* status, uint32_t timeout, TRProgressCallback progress) {
  std::vector<uint8_t> damaged(static_cast<const uint8_t*>(data),
                               static_cast<const uint8_t*>(data) + *size);
  damaged[*size / 2] ^= 0xFF;
  return cli_test::CoreSendFile(header, damaged.data(), size, status, timeout, progress);
}

// The failures of the protocol itself have their own tests: one (opening, the
// lowest result code) shows a code passing through to the exit code and words.
TEST_F(CommandsTest, EachOutcomeHasItsExitCodeAndWords) {
  struct Row {
    const char* what;
    std::function<void(CommandsTest&)> arrange;
    const char* args;
    int exit;
    const char* said;
    size_t stored;
  };
  const auto none = Faults({});
  const Row rows[] = {
    {"update completed, the only printer", none, "update|--verify", kExitOk,
     "Completed the update for Glinterra.", 1},
    {"update, not ready", Faults({.wrongMagic = true}), "update|Virtual Printer", kExitNotReady,
     "Cannot communicate with the printer.", 0},
    {"update, wrong model", none, "update|Virtual Printer|@other.kx7", kExitWrongModel,
     "A printer ID error occurred.", 0},
    {"update failed", Faults({.breakLinkAfterBytes = 1000}), "update", kExitUpdateFailed,
     "Failed to transfer.", 0},
    {"update, verify mismatch", [](CommandsTest& f) { f.exports_.sendFile = &SendAndDamage; },
     "update|--verify", kExitVerifyMismatch, "the stored file differs from the package's payload",
     1},
    {"update, no printer", [](CommandsTest& f) { f.listed_.clear(); }, "update", kExitNotReady,
     "A compatible printer cannot be found. (driver \"Quorbel ZN-418\")", 0},
    {"update, several printers, none named",
     [](CommandsTest& f) {
       f.listed_.push_back({"Second Printer", 0x0415});
     },
     "update", kExitUsage, "2 printers of the driver \"Quorbel ZN-418\" are installed", 0},
    // The tool's list would fall back to another printer: never for a name.
    {"update, printer not of the driver", none, "update|Desk Printer", kExitUsage,
     "\"Desk Printer\" is no printer of the driver \"Quorbel ZN-418\"; its printers:\n  "
     "Virtual Printer",
     0},
    {"update, no vexlow.ini", [](CommandsTest& f) { f.ini_.clear(); }, "update", kExitNoInput,
     "is not there: name the driver with --driver", 0},
    {"printers, no vexlow.ini", [](CommandsTest& f) { f.ini_.clear(); }, "printers", kExitNoInput,
     "is not there: name the driver with --driver", 0},
    {"dry run", none, "update|--dry-run", kExitOk, "Nothing was sent.", 0},
    {"dry run, wrong model", none, "update|--dry-run|Virtual Printer|@other.kx7", kExitWrongModel,
     "A printer ID error occurred.", 0},
    {"send verified", none, "send|--verify|Virtual Printer|@sample.kx7", kExitOk,
     "(3000 payload bytes) to \"Virtual Printer\"", 1},
    {"status", none, "status|Virtual Printer", kExitOk,
     "model 0x0415, acceptance byte 1, accept count 1048576\nThe printer is ready.", 0},
    {"no such printer", none, "status|No Such Printer", 1,
     "opening \"No Such Printer\": the port library could not open the printer", 0},
    {"status of another printer", Faults({.wrongMagic = true}), "status|Virtual Printer",
     kExitNotThisPrinter, "does not begin with 81 20 42 (80 21 41)", 0},
    // As the update tool does: a package of another model is never sent.
    {"send to another model", Faults({.wrongModel = true, .wrongModelId = 0x7777}),
     "send|Virtual Printer|@sample.kx7", TR_REJECTED,
     "a package for model 0x0415, but \"Virtual Printer\" is model 0x7777", 0},
    {"delete, no such entry", none, "delete|Virtual Printer|3", kExitUsage,
     "\"Virtual Printer\" holds 0 files; there is no entry 3", 0},
    {"package missing", none, "send|Virtual Printer|@missing.kx7", kExitNoInput, "cannot be opened",
     0},
    {"package short", none, "send|Virtual Printer|@short.kx7", kExitBadData,
     "is shorter than a 64-byte header", 0},
    {"package empty", none, "send|Virtual Printer|@empty.kx7", kExitBadData,
     "announces an empty payload", 0},
    {"package of one byte", none, "send|Virtual Printer|@one.kx7", kExitOk, "(1 payload bytes)", 1},
    {"package cut", none, "send|Virtual Printer|@cut.kx7", kExitBadData,
     "is shorter than the header and the payload it announces", 0},
    {"package of 2 GiB", none, "send|Virtual Printer|@huge.kx7", kExitBadData,
     "announces a payload of 2 GiB or more", 0},
    {"entry of 2 GiB", none, "receive|Virtual Printer|@huge.kx7|@out.kx7", kExitBadData,
     "the entry announces a payload of 2 GiB or more", 0},
#if defined(__SANITIZE_ADDRESS__)  // only the sanitizer build refuses a large allocation
    {"entry too large", none, "receive|Virtual Printer|@largest.kx7|@out.kx7", kExitNoMemory,
     "the entry announces a payload too large for the memory", 0},
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
    EXPECT_EQ(err_.str().find("could not be stopped"), std::string::npos);
    EXPECT_EQ(StoredFiles(), r.stored);
    EXPECT_FALSE(fs::exists(packages_.Path("out.kx7"))) << "no output file";
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
  std::ofstream(packages_.Path("sample.kx7"), std::ios::app) << "trailing";
  ASSERT_EQ(Run("--quiet|receive|Virtual Printer|1|@back.kx7"), kExitOk) << err_.str();
  EXPECT_EQ(out_.str().find('%'), std::string::npos) << "--quiet draws no bar";
  std::ifstream back(packages_.Path("back.kx7"), std::ios::binary), sent(Write("again.kx7", 3000));
  EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(back), {},
                         std::istreambuf_iterator<char>(sent), {}));
  ASSERT_EQ(Run("delete|Virtual Printer|@sample.kx7"), kExitOk) << err_.str();
  EXPECT_EQ(StoredFiles(), 0u);
  // A package file of 2 GiB or more (here its trailing bytes) is measured in
  // 64 bits: a 32-bit length fails or wraps and the package reads as too short.
  fs::resize_file(packages_.Path("sample.kx7"), 0x80000000ULL + 100);
  EXPECT_EQ(Run("--quiet|send|Virtual Printer|@sample.kx7"), kExitOk) << err_.str();
  EXPECT_EQ(StoredFiles(), 1u);
}

// Stand in for the console's Ctrl+C: one request once a quarter of the payload
// has gone, or as the file list is asked for.
Interruption* interrupted = nullptr;
TRProgressCallback progressOfSend = nullptr;
int32_t OSTRAND_CALL ProgressThenInterrupt(int32_t percent) {
  if (percent >= 25 && !interrupted->Requested()) {
    interrupted->Request();
  }
  return progressOfSend(percent);
}
int32_t OSTRAND_CALL SendThenInterrupt(const void* header, const void* data, const uint32_t* size,
                                       void* status, uint32_t timeout,
                                       TRProgressCallback progress) {
  progressOfSend = progress;
  return cli_test::CoreSendFile(header, data, size, status, timeout, &ProgressThenInterrupt);
}
int32_t OSTRAND_CALL ListThenInterrupt(void* list, uint32_t* count, uint32_t timeout) {
  interrupted->Request();
  return cli_test::CoreGetFileList(list, count, timeout);
}

// A transfer stops at its next step; outside one the process would end at
// once, and if it did not, the run still changes nothing.
TEST_F(CommandsTest, AnInterruptStopsBeforeAnyChange) {
  Write("big.kx7", 20000);
  ini_ = {{"DriverName", "Quorbel ZN-418"}};
  interrupted = &interruption_;
  exports_.sendFile = &SendThenInterrupt;
  for (const char* command : {"send|Virtual Printer|@big.kx7", "update|Virtual Printer|@big.kx7"}) {
    SCOPED_TRACE(command);
    Connect();
    EXPECT_EQ(Run(command), kExitCancelled) << err_.str();
    EXPECT_EQ(out_.str().find("100%"), std::string::npos);
    EXPECT_NE(err_.str().find("ancelled"), std::string::npos) << err_.str();
    EXPECT_EQ(StoredFiles(), 0u);
    EXPECT_TRUE(Traced("length word 0: stop word"));
  }
  exports_ = cli_test::kCoreExports;
  Connect();
  onSelect_ = [this] { EXPECT_EQ(interruption_.Request(), Interruption::Answer::kEndNow); };
  EXPECT_EQ(Run("update|Virtual Printer|@sample.kx7"), kExitCancelled);
  EXPECT_FALSE(Traced("mode command"));
  onSelect_ = nullptr;
  // The next command starts without the old request.
  ASSERT_EQ(Run("send|Virtual Printer|@sample.kx7"), kExitOk) << err_.str();
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
  EXPECT_EQ(report_.words, "3 printers, 1 ready");
}

}  // namespace
}  // namespace cli
