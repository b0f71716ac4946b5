// Package files as the tool reads them: the package transfer worker sends one or
// two package files the input makes (any header, of the printer's model or
// not, their payload whole or cut short) to a virtual printer that may be
// faulty, with a progress callback that may ask to stop. Whatever the files,
// the worker's result tells the truth: 0 only when every package is in the
// printer whole, 7 with the message for a package of another model, a failure
// for one that cannot be read, 8 only when the callback asked to stop.
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/tests/tool_fakes.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/package_bytes.h"
#include "fuzz/printer_faults.h"
#include "fuzz/scratch_files.h"
#include "fuzz/test_reports.h"
#include "platform/testing/fake_library_loader.h"
#include "platform/testing/fake_message_boxes.h"
#include "tool/transfer/package_header.h"
#include "tool/transfer/transfer_worker.h"
#include "virtual_printer/core/virtual_printer.h"
#include "virtual_printer/tests/sim_clock.h"

namespace vexlow::fuzzing {
namespace {

using Bytes = std::vector<uint8_t>;

// Ostrand over the protocol core, as the loader finds it by name.
void ProvideOstrand(platform::testing::FakeLibraryLoader& loader) {
  const auto symbol = [](auto function) {
    return reinterpret_cast<platform::LibraryLoader::Symbol>(function);
  };
  const TRFunctions& f = cli_test::kCoreExports;
  loader.Provide("Ostrand.dll", {{"TRInitPrinter", symbol(f.initPrinter)},
                                 {"TRCheckSupportPrinter", symbol(+[](const char*) { return 1u; })},
                                 {"TRCmdInit", symbol(f.cmdInit)},
                                 {"TRGetStatus", symbol(f.getStatus)},
                                 {"TRGetFileList", symbol(f.getFileList)},
                                 {"TRSendFile", symbol(f.sendFile)},
                                 {"TRReceiveFile", symbol(f.receiveFile)},
                                 {"TRDeleteFile", symbol(f.deleteFile)}});
}

uint32_t stopAt = 0;
uint32_t progressCalls = 0;
int32_t OSTRAND_CALL Progress(int32_t) {
  return ++progressCalls != stopAt ? 1 : 0;
}

void RunWorker(fuzz::FuzzInput& input) {
  const vp::PrinterConfig config = fuzz::FaultyPrinter(input);
  vp_test::SimClock clock;
  std::string error;
  const std::unique_ptr<vp::VirtualPrinter> printer =
      vp::VirtualPrinter::Create(config, clock, &error);
  ostrand::TransferLibrary library(printer->Port(), clock);
  cli_test::coreLibrary = &library;
  platform::testing::FakeLibraryLoader loader;
  ProvideOstrand(loader);
  TransferClient client(loader);
  FUZZ_CHECK(client.BindTransferLibrary(), "the transfer library binds");

  // The printer opened and checked as the update run does before the worker.
  const uint8_t shape = input.U8();
  client.SetCurrentModelId((shape & 1) != 0 ? input.U16() : config.modelId);
  client.OpenTransferPrinter(vp::kDefaultPrinterName);
  if ((shape & 2) != 0) {
    client.CheckPrinterReady();
  }
  PackageFileList files;
  std::vector<std::optional<Bytes>> contents;  // none: the file is missing
  for (uint32_t n = input.InRange(1, 2); n > 0; --n) {
    const auto path = fuzz::ScratchFolder() / ("package" + std::to_string(n) + ".kx7");
    contents.push_back(fuzz::PackageBytes(input, client.CurrentModelId()));
    fuzz::WriteFile(path, *contents.back());
    files.push_back(path.string());
  }
  if ((shape & 4) != 0) {
    files.push_back((fuzz::ScratchFolder() / "missing.kx7").string());
    contents.emplace_back();
  }
  stopAt = input.U8();
  progressCalls = 0;
  std::vector<std::string> log;
  const std::string caption = "Glinterra Update Tool";
  platform::testing::FakeMessageBoxes messages(log, caption);
  TransferProgress progress;
  WorkerContext context{client, progress, &Progress, messages, "A printer ID error occurred."};
  const std::size_t storedBefore = printer->Store().Files().size();
  FUZZ_CHECK(TransferWorker(files, context) == 0, "the worker always returns 0");

  // The packages in order, up to the first the worker must turn away: of
  // another model (never sent, 7 and the message) or unreadable (never sent,
  // a failure). A package of the same header as an earlier one replaces the
  // file that one stored.
  const int32_t result = client.LastTransferResult();
  std::map<vp::FileEntry, Bytes> payloads;  // what the printer holds after a run that went through
  uint64_t sent = 0;
  bool turnedAway = false;
  for (const std::optional<Bytes>& package : contents) {
    const Bytes file = package.value_or(Bytes());
    const PackageHeader header = ReadPackageHeader(file.data(), file.size());
    const auto size = header.PayloadSize();
    vp::FileEntry entry;
    std::memcpy(entry.data(), header.bytes.data(), entry.size());
    const bool otherModel = package && header.ModelId() != client.CurrentModelId();
    if (!package || otherModel || !size ||
        file.size() < PackageHeader::kSize + static_cast<std::size_t>(*size)) {
      Bytes stored;
      const bool inPrinter = printer->Store().Load(entry, &stored);
      FUZZ_CHECK(result != 0 && (!inPrinter || payloads.contains(entry)),
                 "a package that cannot be sent is not sent, and the run fails");
      FUZZ_CHECK(messages.shown.empty() || (otherModel && result == 7),
                 "the model message only for a package of another model, with 7");
      turnedAway = true;
      break;
    }
    payloads[entry] =
        Bytes(file.begin() + PackageHeader::kSize, file.begin() + PackageHeader::kSize + *size);
    sent += static_cast<uint32_t>(*size);
  }
  if (result == 0) {
    FUZZ_CHECK(!turnedAway && progress.bytesDone == sent,
               "0 only when every package was sent, each counted as done");
    for (const auto& [entry, payload] : payloads) {
      Bytes stored;
      FUZZ_CHECK(printer->Store().Load(entry, &stored) && stored == payload,
                 "0 only when every package is in the printer whole");
    }
  }
  FUZZ_CHECK(messages.shown.size() <= 1, "at most one message");
  FUZZ_CHECK(result != 8 || (stopAt != 0 && progressCalls >= stopAt),
             "8 only when the callback asked to stop");
  FUZZ_CHECK(printer->Store().Files().size() >= storedBefore, "the worker deletes nothing");
  cli_test::coreLibrary = nullptr;
}

}  // namespace
}  // namespace vexlow::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::WithoutTestReports([&] {
    fuzz::FuzzInput input(data, size);
    vexlow::fuzzing::RunWorker(input);
  });
  return 0;
}
