// Package files as the tool reads them: the package transfer worker sends one or
// two package files the input makes (any header, of the printer's model or
// not, their payload whole or cut short) to a virtual printer that may be
// faulty, with a progress callback that may ask to stop. Whatever the files,
// the worker's result tells the truth: 0 only when every package is in the
// printer whole, 7 with the message for a package of another model, a failure
// for one that cannot be read, 8 only when the callback asked to stop.
#include <cstring>
#include <map>
#include <optional>

#include "fuzz/faulty_link.h"
#include "platform/testing/fake_message_boxes.h"
#include "tool/transfer/package_header.h"
#include "tool/transfer/transfer_worker.h"

namespace vexlow::fuzzing {

using Bytes = std::vector<uint8_t>;
uint32_t stopAt, progressCalls;

int32_t OSTRAND_CALL Progress(int32_t) {
  return ++progressCalls != stopAt ? 1 : 0;
}

void RunOne(fuzz::FuzzInput& input) {
  fuzz::FaultyLink link(input);
  TransferClient& client = link.tool.client;
  FUZZ_CHECK(client.BindTransferLibrary());
  // The printer opened and checked as the update run does before the worker.
  const uint8_t shape = input.U8();
  client.SetCurrentModelId((shape & 1) != 0 ? input.U16() : link.config.modelId);
  client.OpenTransferPrinter(vp::kDefaultPrinterName);
  if ((shape & 2) != 0) {
    client.CheckPrinterReady();
  }
  PackageFileList files;
  std::vector<std::optional<Bytes>> contents;  // none: the file is missing
  for (uint32_t n = input.InRange(1, 2); n > 0; --n) {
    files.push_back(fuzz::ScratchPath("package" + std::to_string(n) + ".kx7").string());
    contents.push_back(fuzz::PackageBytes(input, client.CurrentModelId()));
    vp_test::WriteFile(files.back(), *contents.back());
  }
  if ((shape & 4) != 0) {
    files.push_back(fuzz::ScratchPath("missing.kx7").string());
    contents.emplace_back();
  }
  stopAt = input.U8();
  progressCalls = 0;
  platform::testing::FakeMessageBoxes messages;
  TransferProgress progress;
  WorkerContext context{client, progress, &Progress, messages, "A printer ID error occurred."};
  const std::size_t storedBefore = link.printer->Store().Files().size();
  TransferWorker(files, context);

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
      FUZZ_CHECK(result != 0 &&
                 (!link.printer->Store().Load(entry, &stored) || payloads.contains(entry)));
      FUZZ_CHECK(messages.shown.empty() || (otherModel && result == 7));
      turnedAway = true;
      break;
    }
    payloads[entry] =
        Bytes(file.begin() + PackageHeader::kSize, file.begin() + PackageHeader::kSize + *size);
    sent += static_cast<uint32_t>(*size);
  }
  for (const auto& [entry, payload] : payloads) {
    Bytes stored;
    FUZZ_CHECK(result != 0 || (link.printer->Store().Load(entry, &stored) && stored == payload));
  }
  FUZZ_CHECK(result != 0 || (!turnedAway && progress.bytesDone == sent));
  FUZZ_CHECK(result != 8 || (stopAt != 0 && progressCalls >= stopAt));  // asked to stop
  FUZZ_CHECK(messages.shown.size() <= 1 && link.printer->Store().Files().size() >= storedBefore);
}

}  // namespace vexlow::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  vexlow::fuzzing::RunOne(input);
  return 0;
}
