// The console client as a technician may call it: any command line (the
// commands' words, options and numbers, and any other words), any package and
// entry file, against the transfer library over a virtual printer that may be
// faulty, hold files or not, and be of another model. A command that exits 0
// must have done what it says: the package stored whole, the file received as
// stored, the entry gone, the files counted. Every exit code is one the client
// documents.
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
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

vp::FileEntry EntryOf(const Bytes& bytes) {
  vp::FileEntry entry{};
  std::copy(bytes.begin(),
            bytes.begin() +
                static_cast<std::ptrdiff_t>(std::min<std::size_t>(bytes.size(), entry.size())),
            entry.begin());
  return entry;
}

std::string Word(fuzz::FuzzInput& input, const fs::path& package, const fs::path& entry,
                 const fs::path& out) {
  static const char* const kWords[] = {"status",
                                       "send",
                                       "receive",
                                       "list",
                                       "delete",
                                       "printers",
                                       "update",
                                       "help",
                                       "--verify",
                                       "--dry-run",
                                       "--json",
                                       "--driver",
                                       "--timeout",
                                       "--quiet",
                                       "--help",
                                       "-h",
                                       "--bogus",
                                       "Virtual Printer",
                                       "virtual printer",
                                       "1",
                                       "2",
                                       "0",
                                       "65537",
                                       "99999999999999999999",
                                       ""};
  const uint32_t pick = input.U8();
  constexpr uint32_t kVocabulary = sizeof(kWords) / sizeof(kWords[0]);
  if (pick < kVocabulary) {
    return kWords[pick];
  }
  switch (pick % 5) {
    case 0:
      return package.string();
    case 1:
      return entry.string();
    case 2:
      return out.string();
    case 3:
      return std::to_string(input.U32());
    default: {
      std::string word = input.Text(300);
      word.resize(word.find('\0') == std::string::npos ? word.size() : word.find('\0'));
      return word;
    }
  }
}

bool Stored(vp::VirtualPrinter& printer, const vp::FileEntry& entry, Bytes* payload) {
  return printer.Store().Load(entry, payload);
}

void CheckDone(const CommandLine& line, int exit, vp::VirtualPrinter& printer,
               const std::string& out, std::size_t filesBefore) {
  const int known[] = {kExitOk,
                       1,
                       2,
                       3,
                       4,
                       5,
                       6,
                       7,
                       8,
                       kExitUsage,
                       kExitBadData,
                       kExitNoInput,
                       kExitUnexpected,
                       kExitNoMemory,
                       kExitCannotWrite,
                       kExitUpdateFailed,
                       kExitWrongModel,
                       kExitNotReady,
                       kExitVerifyMismatch};
  FUZZ_CHECK(std::find(std::begin(known), std::end(known), exit) != std::end(known),
             "the client exits with a code it documents");
  if (exit != kExitOk) {
    return;
  }
  Bytes payload;
  switch (line.command) {
    case Command::kUpdate:
      if (line.dryRun) {
        FUZZ_CHECK(printer.Store().Files().size() == filesBefore,
                   "a dry run that exits 0 stores nothing");
        break;
      }
      [[fallthrough]];
    case Command::kSend: {
      const Bytes file = fuzz::ReadFile(line.package);
      const uint32_t size = vp::ReadLe32(file.data() + 16);
      FUZZ_CHECK(file.size() >= 64 + uint64_t{size} && Stored(printer, EntryOf(file), &payload) &&
                     Bytes(file.begin() + 64, file.begin() + 64 + size) == payload,
                 "a send that exits 0 leaves the package's whole payload in the printer");
      break;
    }
    case Command::kReceive: {
      const Bytes file = fuzz::ReadFile(line.output);
      // The entry announces the size asked for; a printer may hold more.
      FUZZ_CHECK(file.size() >= 64 && Stored(printer, EntryOf(file), &payload) &&
                     payload.size() >= file.size() - 64 &&
                     std::equal(file.begin() + 64, file.end(), payload.begin()),
                 "a receive that exits 0 writes the stored file's payload as the entry sizes it");
      break;
    }
    case Command::kDelete:
      FUZZ_CHECK(printer.Store().Files().size() + 1 == filesBefore,
                 "a delete that exits 0 removes one file");
      break;
    case Command::kList: {
      const std::size_t files = printer.Store().Files().size();
      FUZZ_CHECK(out.find("holds " + std::to_string(files) + (files == 1 ? " file" : " files")) !=
                     std::string::npos,
                 "a list that exits 0 counts the files the printer holds");
      break;
    }
    default:
      break;
  }
}

void RunOne(fuzz::FuzzInput& input) {
  const vp::PrinterConfig config = fuzz::FaultyPrinter(input);
  const uint8_t shape = input.U8();
  vp_test::SimClock clock;
  std::string error;
  const std::unique_ptr<vp::VirtualPrinter> printer =
      vp::VirtualPrinter::Create(config, clock, &error);
  ostrand::TransferLibrary transferLibrary(printer->Port(), clock);
  cli_test::coreLibrary = &transferLibrary;

  const fs::path package = fuzz::ScratchFolder() / "package.kx7";
  const fs::path entry = fuzz::ScratchFolder() / "entry.bin";
  const fs::path out = fuzz::ScratchFolder() / "received.kx7";
  fs::remove(out);
  const Bytes packageBytes = fuzz::PackageBytes(input, config.modelId);
  fuzz::WriteFile(package, packageBytes);
  fuzz::WriteFile(entry, (shape & 1) != 0 ? packageBytes : input.Bytes(input.InRange(0, 100)));
  if ((shape & 2) != 0 && packageBytes.size() >= 64) {
    // The printer already holds a file under the package's entry.
    printer->Store().Store(EntryOf(packageBytes),
                           Bytes(packageBytes.begin() + 64, packageBytes.end()));
  }

  std::vector<std::string> words = {"ostrandcli"};
  for (uint32_t n = input.InRange(0, 7); n > 0; --n) {
    words.push_back(Word(input, package, entry, out));
  }
  std::vector<const char*> argv;
  for (const std::string& word : words) {
    argv.push_back(word.c_str());
  }
  CommandLine line;
  if (!ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &line, &error)) {
    return;
  }
  const bool printerOptional = line.command == Command::kHelp ||
                               line.command == Command::kPrinters ||
                               line.command == Command::kUpdate;
  FUZZ_CHECK((printerOptional && line.printer.empty()) ||
                 (!line.printer.empty() && line.printer.size() <= 259),
             "a command names a printer of 1 to 259 characters, where it names one");
  // The client reads and writes nothing outside the scratch folder: any other
  // path stands for a file missing there, and a received file goes to `out`.
  const auto inFolder = [&](std::string& path, const fs::path& otherwise) {
    if (path != package.string() && path != entry.string() && path != out.string()) {
      path = otherwise.string();
    }
  };
  inFolder(line.package, fuzz::ScratchFolder() / "missing.kx7");
  if (!line.entry.empty() && line.entry.find_first_not_of("0123456789") != std::string::npos) {
    inFolder(line.entry, fuzz::ScratchFolder() / "missing.bin");
  }
  inFolder(line.output, out);
  std::ostringstream results;
  std::ostringstream failures;
  const std::size_t filesBefore = printer->Store().Files().size();
  cli_test::corePort = &printer->Port();
  cli_test::FakeTool tool;
  tool.printers.listed = {{"Virtual Printer", config.modelId}};
  tool.ini.values = {{"DriverName", "Quorbel ZN-418"}};
  Interruption interruption;
  Report report;
  ClientContext context{cli_test::kCoreExports,
                        results,
                        failures,
                        (shape & 4) != 0 ? BarStyle::kLogged : BarStyle::kRedrawn,
                        interruption,
                        report,
                        tool.core};
  const int exit = RunCommand(line, context);
  CheckDone(line, exit, *printer, results.str(), filesBefore);
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
