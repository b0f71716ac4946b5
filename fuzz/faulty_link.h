// What the fuzz targets over a virtual printer share: a printer that may show
// the faults of a real link, the transfer library over its port, the tool's
// core over that library's exports, package files as the input makes them and
// a scratch folder to hand files to the code under test.
#ifndef FUZZ_FAULTY_LINK_H
#define FUZZ_FAULTY_LINK_H

#include <array>
#include <filesystem>
#include <memory>

#include "cli/tests/tool_fakes.h"
#include "fuzz/fuzz.h"
#include "virtual_printer/core/virtual_printer.h"
#include "virtual_printer/tests/packages.h"
#include "virtual_printer/tests/sim_clock.h"

namespace fuzz {

// The printer made as the input says; the exports call this link's library
// while it lives.
struct FaultyLink {
  explicit FaultyLink(FuzzInput& input) : config(Config(input)) {
    cli_test::coreLibrary = &library;
    cli_test::corePort = &printer->Port();
  }
  ~FaultyLink() { cli_test::coreLibrary = nullptr, cli_test::corePort = nullptr; }

  static vp::PrinterConfig Config(FuzzInput& input) {
    vp::PrinterConfig config;
    const uint8_t faults = input.U8();
    config.acceptCount = input.InRange(1, 5000);
    config.statusAcceptCount = input.U32();
    config.faults.rejectRequest = (faults & 1) != 0 ? input.InRange(1, 3) : 0;
    config.faults.breakLinkAfterBytes = (faults & 2) != 0 ? input.InRange(1, 3000) : 0;
    config.faults.shortStatusBytes =
        (faults & 4) != 0 ? static_cast<int32_t>(input.InRange(0, 31)) : -1;
    config.faults.wrongModel = (faults & 8) != 0;
    config.faults.wrongMagic = (faults & 16) != 0;
    config.faults.lateStatusMs = (faults & 32) != 0 ? input.InRange(0, 6000) : 0;
    return config;
  }

  const vp::PrinterConfig config;
  vp_test::SimClock clock;
  std::string error;
  const std::unique_ptr<vp::VirtualPrinter> printer =
      vp::VirtualPrinter::Create(config, clock, &error);
  ostrand::TransferLibrary library{printer->Port(), clock};
  cli_test::FakeTool tool;
};

// A package file: a header whose model and size are those of a well-made
// header or the input's own bytes, the file cut short or followed by more.
inline std::vector<uint8_t> PackageBytes(FuzzInput& input, uint16_t model) {
  const uint8_t shape = input.U8();
  std::vector<uint8_t> file = input.Bytes(64);
  file.resize(64);
  const std::vector<uint8_t> payload = input.Bytes(input.InRange(0, 2000));
  const uint32_t more = (shape & 6) == 6 ? input.InRange(0, 3) : 0;
  const auto made =
      vp_test::NewPackageHeader(model, static_cast<uint32_t>(payload.size()) + more).bytes;
  for (const auto [bit, from, to] : {std::array<int, 3>{1, 2, 4}, {2, 16, 20}}) {
    if ((shape & bit) != 0) {
      std::copy(made.begin() + from, made.begin() + to, file.begin() + from);
    }
  }
  file.insert(file.end(), payload.begin(), payload.end());
  if ((shape & 8) != 0) {
    file.resize(input.InRange(0, static_cast<uint32_t>(file.size())));
  }
  const std::vector<uint8_t> trailing = input.Bytes(input.InRange(0, 8));
  file.insert(file.end(), trailing.begin(), trailing.end());
  return file;
}

// A path in one scratch folder per process (in memory where the system has a
// folder there), removed with everything in it when the process ends.
inline std::filesystem::path ScratchPath(const std::string& name) {
  static std::string folder = (std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") +
                              std::string("/vexlow-fuzz-XXXXXX");
  static const bool made = mkdtemp(folder.data()) != nullptr &&
                           std::atexit([] { std::filesystem::remove_all(folder); }) == 0;
  FUZZ_CHECK(made);
  return std::filesystem::path(folder) / name;
}

}  // namespace fuzz

#endif  // FUZZ_FAULTY_LINK_H
