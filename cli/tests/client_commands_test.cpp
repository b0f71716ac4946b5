// The client's commands over Ostrand's protocol core and the virtual printer:
// what the technician sees, the exit codes, and the files on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

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
using vp_test::Bytes;

using ClientCommandsTest = cli_test::ClientFixture;

TEST_F(ClientCommandsTest, SendListReceiveAndDeleteARoundTrip) {
  Bytes file = PackageBytes(1000);
  file.insert(file.end(), 5, 0xEE);
  const std::string package = Write("sample.kx7", file);
  const char* name = vp_test::kPrinterName;

  ASSERT_EQ(Run({"status", name}), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("model 0x0415, acceptance byte 1, accept count 1048576\n"
                            "The printer is ready."),
            std::string::npos)
      << out_.str();

  ASSERT_EQ(Run({"send", name, package.c_str()}), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("100%"), std::string::npos) << "the progress bar reached the end";
  EXPECT_NE(out_.str().find("(1000 payload bytes) to \"Virtual Printer\""), std::string::npos);

  ASSERT_EQ(Run({"list", name}), kExitOk) << err_.str();
  EXPECT_NE(out_.str().find("\"Virtual Printer\" holds 1 file:\n"
                            "  1. model 0x0415, 1000 payload bytes, entry 90 40 15 04"),
            std::string::npos)
      << out_.str();

  const std::string back = (folder_ / "back.kx7").string();
  ASSERT_EQ(Run({"--quiet", "receive", name, "1", back.c_str()}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str().find('%'), std::string::npos) << "--quiet draws no bar";
  std::ifstream in(back, std::ios::binary);
  EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), {}), PackageBytes(1000))
      << "without the trailing bytes";

  ASSERT_EQ(Run({"delete", name, package.c_str()}), kExitOk) << err_.str();
  ASSERT_EQ(Run({"list", name}), kExitOk);
  EXPECT_EQ(out_.str(), "\"Virtual Printer\" holds 0 files.\n");

  // A package file of 2 GiB or more (here its trailing bytes) is measured in
  // 64 bits: a 32-bit length fails or wraps and the package reads as too short.
  fs::resize_file(package, 0x80000000ULL + 100);  // sparse where the file system allows
  EXPECT_EQ(Run({"--quiet", "send", name, package.c_str()}), kExitOk) << err_.str();
  EXPECT_EQ(StoredFiles(), 1u);
}

// Each row: the printer's faults, the command, its exit code and what it says;
// nothing may be stored.
TEST_F(ClientCommandsTest, FailuresExitWithTheirCodeAndSayWhy) {
  const std::string package = Write("sample.kx7", PackageBytes(3000));
  const std::string shortFile = Write("short.kx7", Bytes(40, 0x90));
  const std::string emptyFile = Write("empty.kx7", PackageBytes(0));
  Bytes cut = PackageBytes(3000);
  cut.pop_back();
  const std::string cutFile = Write("cut.kx7", cut);
  const std::string missing = (folder_ / "missing.kx7").string();
  Bytes huge = PackageBytes(16);
  huge[19] = 0x80;  // payload size 0x80000010: negative as a signed count
  const std::string hugeEntry = Write("huge-entry.kx7", huge);
  huge[19] = 0x7F;  // 0x7F000010 bytes: a package may announce it
  const std::string largestEntry = Write("largest-entry.kx7", huge);
  const char* printer = vp_test::kPrinterName;

  struct Case {
    vp::FaultConfig faults;
    std::vector<std::string> args;
    int exit;
    const char* said;
  };
  const Case cases[] = {
    {{},
     {"status", "No Such Printer"},
     1,
     "opening \"No Such Printer\": the port library could not open the printer"},
    {{.rejectRequest = 1},
     {"send", printer, package},
     7,
     "the printer rejected the request (result 7)"},
    {{.refuseBeginTransfer = true},
     {"send", printer, package},
     5,
     "did not answer in time, or would not begin the transfer"},
    {{.breakLinkAfterBytes = 1000}, {"send", printer, package}, 3, "writing to the printer failed"},
    {{.shortStatusBytes = 8}, {"status", printer}, 4, "reading from the printer failed"},
    {{.wrongMagic = true},
     {"status", printer},
     kExitNotThisPrinter,
     "does not begin with 81 20 42 (80 21 41)"},
    {{.wrongMagic = true},
     {"send", printer, package},
     kExitNotThisPrinter,
     "does not begin with 81 20 42"},
    // As the update tool does: a package of another model is never sent.
    {{.wrongModel = true, .wrongModelId = 0x7777},
     {"send", printer, package},
     TR_REJECTED,
     "a package for model 0x0415, but \"Virtual Printer\" is model 0x7777"},
    {{},
     {"delete", printer, "3"},
     kExitUsage,
     "\"Virtual Printer\" holds 0 files; there is no entry 3"},
    {{}, {"send", printer, missing}, kExitNoInput, "cannot be opened"},
    {{}, {"send", printer, shortFile}, kExitBadData, "is shorter than a 64-byte header"},
    {{}, {"send", printer, emptyFile}, kExitBadData, "announces an empty payload"},
    {{},
     {"receive", printer, hugeEntry, missing},
     kExitBadData,
     "the entry announces a payload of 2 GiB or more"},
    {{}, {"send", printer, hugeEntry}, kExitBadData, "announces a payload of 2 GiB or more"},
    {{},
     {"send", printer, cutFile},
     kExitBadData,
     "is shorter than the header and the payload it announces"},
#if defined(__SANITIZE_ADDRESS__)  // only the sanitizer build refuses a large allocation
    {{},
     {"receive", printer, largestEntry, missing},
     kExitNoMemory,
     "the entry announces a payload too large for the memory"},
#endif
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.said);
    config_.faults = c.faults;
    Connect();
    std::vector<const char*> args;
    for (const std::string& arg : c.args) {
      args.push_back(arg.c_str());
    }
    EXPECT_EQ(Run(args), c.exit);
    EXPECT_NE(err_.str().find(c.said), std::string::npos) << err_.str();
    EXPECT_EQ(StoredFiles(), 0u);
    EXPECT_FALSE(fs::exists(missing)) << "no output file";
  }
}

TEST_F(ClientCommandsTest, ACancelDuringTheSendStopsItAndStoresNothing) {
  const std::string package = Write("sample.kx7", PackageBytes(5000));
  cli_test::InterruptAtBar console(interruption_, 4);
  std::ostream out(&console);
  EXPECT_EQ(Run({"send", vp_test::kPrinterName, package.c_str()}, &out), TR_CANCELLED);
  EXPECT_NE(err_.str().find("cancelled; the printer was told to stop (result 8)"),
            std::string::npos);
  EXPECT_EQ(console.str().find("100%"), std::string::npos);
  EXPECT_EQ(StoredFiles(), 0u);
  EXPECT_NE(TraceText().find("length word 0: stop word"), std::string::npos);

  // The next command starts without the old request.
  ASSERT_EQ(Run({"send", vp_test::kPrinterName, package.c_str()}), kExitOk) << err_.str();
  EXPECT_EQ(StoredFiles(), 1u);
}

// Ctrl+C while delete reads the list: the process would end at once; the
// delete never begins.
Interruption* listInterrupted = nullptr;
int32_t OSTRAND_CALL ListThenInterrupt(void* list, uint32_t* count, uint32_t timeout) {
  listInterrupted->Request();
  return cli_test::CoreGetFileList(list, count, timeout);
}

TEST_F(ClientCommandsTest, AnInterruptBeforeTheDeleteKeepsTheFile) {
  Seed(vp_test::MakePackage(vp::kDefaultModelId, 100));
  listInterrupted = &interruption_;
  exports_.getFileList = &ListThenInterrupt;
  EXPECT_EQ(Run({"delete", vp_test::kPrinterName, "1"}), kExitCancelled);
  EXPECT_EQ(StoredFiles(), 1u);
  EXPECT_EQ(TraceText().find("command R (delete"), std::string::npos);
}

}  // namespace
}  // namespace cli
