// The console client under any command line, any package and entry file, and a
// virtual printer that may be faulty, hold files or be of another model. The
// sanitizers catch what goes wrong in memory; the checks below are the promises
// an administrator relies on: an exit code of the documented set, and a command
// that exits 0 has done what it says.
#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/client_context.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "cli/tests/tool_fakes.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/package_bytes.h"
#include "fuzz/printer_faults.h"
#include "fuzz/scratch_files.h"
#include "virtual_printer/core/byte_order.h"
#include "virtual_printer/core/virtual_printer.h"
#include "virtual_printer/tests/sim_clock.h"

// Payloads above 64 MiB do not fit in this process's memory: the client's
// own answer to that (exit 71) is tried instead of a real allocation.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:max_allocation_size_mb=64";
}

namespace cli::fuzzing {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr const char* kWords[] = {
    "status", "send",     "receive",         "list",   "delete",   "printers",  "update",
    "help",   "--verify", "--dry-run",       "--json", "--driver", "--timeout", "--quiet",
    "-h",     "--bogus",  "Virtual Printer", "1",      "0",        "65537",     ""};

void RunOne(fuzz::FuzzInput& input) {
  const vp::PrinterConfig config = fuzz::FaultyPrinter(input);
  vp_test::SimClock clock;
  std::string error;
  const auto printer = vp::VirtualPrinter::Create(config, clock, &error);
  ostrand::TransferLibrary library(printer->Port(), clock);
  cli_test::coreLibrary = &library;
  cli_test::corePort = &printer->Port();

  // Every path the command line may name stands for the package written here.
  const fs::path package = fuzz::ScratchFolder() / "package.kx7";
  const fs::path out = fuzz::ScratchFolder() / "received.kx7";
  fs::remove(out);
  const Bytes file = fuzz::PackageBytes(input, config.modelId);
  fuzz::WriteFile(package, file);
  vp::FileEntry entry{};
  std::copy_n(file.begin(), std::min(file.size(), entry.size()), entry.begin());
  if (input.Bool() && file.size() >= 64) {
    printer->Store().Store(entry, Bytes(file.begin() + 64, file.end()));
  }

  std::vector<std::string> words = {"ostrandcli"};
  for (uint32_t n = input.InRange(0, 7); n > 0; --n) {
    const uint32_t pick = input.U8();
    words.push_back(pick < std::size(kWords) ? kWords[pick]
                    : pick % 2 == 0          ? package.string()
                                             : std::to_string(input.U32()));
  }
  std::vector<const char*> argv;
  for (const std::string& word : words) {
    argv.push_back(word.c_str());
  }
  CommandLine line;
  if (!ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &line, &error)) {
    return;
  }
  line.output = out.string();
  std::ostringstream results, failures;
  const std::size_t filesBefore = printer->Store().Files().size();
  cli_test::FakeTool tool;
  tool.printers.listed = {{"Virtual Printer", config.modelId}};
  tool.text.values = {{"DriverName", "Quorbel ZN-418"}};
  Interruption interruption;
  Report report;
  ClientContext context{cli_test::kCoreExports,
                        results,
                        failures,
                        input.Bool() ? BarStyle::kLogged : BarStyle::kRedrawn,
                        interruption,
                        report,
                        tool.core};
  const int exit = RunCommand(line, context);

  const std::set<int> documented = {0,  1,  2,  3,  4,  5,  6,  7,  8,  64,
                                    65, 66, 69, 70, 71, 73, 74, 75, 76, 77};
  FUZZ_CHECK(documented.count(exit) == 1, "the client exits with a code it documents");
  const std::size_t files = printer->Store().Files().size();
  Bytes stored;
  if (exit != kExitOk) {
    return;
  }
  if (line.command == Command::kUpdate && line.dryRun) {
    FUZZ_CHECK(files == filesBefore, "a dry run stores nothing");
  } else if (line.command == Command::kSend || line.command == Command::kUpdate) {
    const uint64_t size = file.size() >= 64 ? vp::ReadLe32(file.data() + 16) : ~0u;
    FUZZ_CHECK(file.size() >= 64 + size && printer->Store().Load(entry, &stored) &&
                   Bytes(file.begin() + 64, file.begin() + 64 + static_cast<long>(size)) == stored,
               "a send that exits 0 leaves the package's whole payload in the printer");
  } else if (line.command == Command::kDelete) {
    FUZZ_CHECK(files + 1 == filesBefore, "a delete that exits 0 removes one file");
  } else if (line.command == Command::kReceive) {
    const Bytes received = fuzz::ReadFile(out);
    vp::FileEntry asked{};
    std::copy_n(received.begin(), std::min(received.size(), asked.size()), asked.begin());
    // The entry announces the size asked for; a printer may hold more.
    FUZZ_CHECK(received.size() >= 64 && printer->Store().Load(asked, &stored) &&
                   stored.size() >= received.size() - 64 &&
                   std::equal(received.begin() + 64, received.end(), stored.begin()),
               "a receive that exits 0 writes the stored file's payload");
  }
  cli_test::coreLibrary = nullptr;
  cli_test::corePort = nullptr;
}

}  // namespace
}  // namespace cli::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  cli::fuzzing::RunOne(input);
  return 0;
}
