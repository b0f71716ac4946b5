// The console client under any command line, any package and entry file, and a
// virtual printer that may be faulty, hold files or be of another model. The
// sanitizers catch what goes wrong in memory; the checks are the promises an
// administrator relies on: an exit code of the documented set, and a command
// that exits 0 has done what it says.
#include <fstream>
#include <set>
#include <sstream>

#include "cli/client_context.h"
#include "cli/command_line.h"
#include "cli/exit_codes.h"
#include "fuzz/faulty_link.h"
#include "virtual_printer/core/byte_order.h"

// Payloads above 64 MiB do not fit in this process's memory: the client's
// own answer to that (exit 71) is tried instead of a real allocation.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:max_allocation_size_mb=64";
}

namespace cli::fuzzing {

using Bytes = std::vector<uint8_t>;

constexpr const char* kWords[] = {
    "status", "send",     "receive",         "list",   "delete",   "printers",  "update",
    "help",   "--verify", "--dry-run",       "--json", "--driver", "--timeout", "--quiet",
    "-h",     "--bogus",  "Virtual Printer", "1",      "0",        "65537",     ""};

void RunOne(fuzz::FuzzInput& input) {
  fuzz::FaultyLink link(input);
  vp::FileStore& store = link.printer->Store();
  // Every path the command line may name stands for the package written here.
  const std::string package = fuzz::ScratchPath("package.kx7"),
                    out = fuzz::ScratchPath("received.kx7");
  std::filesystem::remove(out);
  const Bytes file = fuzz::PackageBytes(input, link.config.modelId);
  vp_test::WriteFile(package, file);
  vp::FileEntry entry{};
  std::copy_n(file.begin(), std::min(file.size(), entry.size()), entry.begin());
  if (input.Bool() && file.size() >= 64) {
    store.Store(entry, Bytes(file.begin() + 64, file.end()));
  }
  std::vector<std::string> words = {"ostrandcli"};
  for (uint32_t n = input.InRange(0, 7); n > 0; --n) {
    const uint32_t pick = input.U8();
    words.push_back(pick < std::size(kWords) ? kWords[pick]
                    : pick % 2 == 0          ? package
                                             : std::to_string(input.U32()));
  }
  std::vector<const char*> argv;
  for (const std::string& word : words) {
    argv.push_back(word.c_str());
  }
  CommandLine line;
  if (!ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &line, &link.error)) {
    return;
  }
  line.output = out;
  std::ostringstream results, failures;
  const std::size_t filesBefore = store.Files().size();
  link.tool.printers.listed = {{"Virtual Printer", link.config.modelId}};
  link.tool.text.values = {{"DriverName", "Quorbel ZN-418"}};
  Interruption interruption;
  Report report;
  ClientContext context{cli_test::kCoreExports,
                        results,
                        failures,
                        input.Bool() ? BarStyle::kLogged : BarStyle::kRedrawn,
                        interruption,
                        report,
                        link.tool.core};
  const int exit = RunCommand(line, context);

  FUZZ_CHECK(
      std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 64, 65, 66, 69, 70, 71, 73, 74, 75, 76, 77}.contains(
          exit));
  Bytes stored;
  if (exit != kExitOk) {
    return;
  }
  if (line.command == Command::kUpdate && line.dryRun) {
    FUZZ_CHECK(store.Files().size() == filesBefore);  // a dry run stores nothing
  } else if (line.command == Command::kSend || line.command == Command::kUpdate) {
    // The package's whole payload is in the printer.
    const uint64_t size = file.size() >= 64 ? vp::ReadLe32(file.data() + 16) : ~0u;
    FUZZ_CHECK(file.size() >= 64 + size && store.Load(entry, &stored) &&
               Bytes(file.begin() + 64, file.begin() + 64 + static_cast<long>(size)) == stored);
  } else if (line.command == Command::kDelete) {
    FUZZ_CHECK(store.Files().size() + 1 == filesBefore);
  } else if (line.command == Command::kReceive) {
    // The stored file's payload is written; the entry announces the size
    // asked for, and a printer may hold more.
    std::ifstream in(out, std::ios::binary);
    const Bytes received{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    vp::FileEntry asked{};
    std::copy_n(received.begin(), std::min(received.size(), asked.size()), asked.begin());
    FUZZ_CHECK(received.size() >= 64 && store.Load(asked, &stored) &&
               stored.size() >= received.size() - 64 &&
               std::equal(received.begin() + 64, received.end(), stored.begin()));
  }
}

}  // namespace cli::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  cli::fuzzing::RunOne(input);
  return 0;
}
