#include "tool/transfer/transfer_worker.h"

#include <memory>
#include <new>

#include "tool/transfer/package_file.h"

namespace vexlow {

namespace {

// The code a package that cannot be opened or read leaves: a failure, and
// not the cancel code.
constexpr int32_t kUnreadablePackage = TR_READ_FAILED;
// A file name holds at most this many characters.
constexpr std::size_t kLongestName = 255;

bool Unreadable(TransferClient& client) {
  client.SetLastTransferResult(kUnreadablePackage);
  return false;
}

}  // namespace

int32_t TransferWorker(const PackageFileList& files, WorkerContext& context) {
  TransferClient& client = context.client;
  TransferProgress& progress = context.progress;
  client.SetLastTransferResult(TR_OK);
  if (!client.InitPrinterCommand()) {
    return 0;
  }
  for (const std::string& path : files) {
    PackageFile package;
    if (!package.Open(path)) {
      Unreadable(client);
      return 0;
    }
    progress.currentFileName = GetBaseName(path);
    const auto payloadSize = static_cast<uint32_t>(package.Header().RawPayloadSize());
    progress.currentFileBytes = payloadSize;
    const uint32_t threshold = client.CancelThreshold();
    progress.cancelAllowed = threshold != 0 && payloadSize < threshold;
    if (!SendPackageFile(package, context)) {
      return 0;
    }
    progress.bytesDone += payloadSize;
  }
  return 0;
}

bool SendPackageFile(PackageFile& package, WorkerContext& context) {
  TransferClient& client = context.client;
  const PackageHeader& header = package.Header();
  if (header.ModelId() != client.CurrentModelId()) {
    client.SetLastTransferResult(TR_REJECTED);
    context.messages.Show(context.printerIdError, platform::MessageIcon::Exclamation,
                          platform::MessageButtons::Ok);
    return false;
  }
  const auto payloadSize = header.PayloadSize();
  if (!payloadSize) {
    return Unreadable(client);
  }
  const auto size = static_cast<uint32_t>(*payloadSize);
  // A file shorter than its header says is unreadable before any memory is
  // taken for it: a damaged header may announce up to 2 GiB.
  if (!package.HoldsPayload(size)) {
    return Unreadable(client);
  }
  // A package's payload may be large; without the memory the package counts
  // as unreadable instead of ending the program.
  const std::unique_ptr<uint8_t[]> payload(new (std::nothrow) uint8_t[size]());
  if (payload == nullptr || !package.ReadPayload(payload.get(), size)) {
    return Unreadable(client);
  }
  return client.SendFile(header.bytes.data(), payload.get(), &size, context.callback) == TR_OK;
}

std::string GetBaseName(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/:");
  std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) {
    name = name.substr(0, dot);
  }
  return std::string(name.substr(0, kLongestName));
}

}  // namespace vexlow
