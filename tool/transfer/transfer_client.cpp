#include "tool/transfer/transfer_client.h"

#include <cstring>

#include "ostrand_status.h"

namespace vexlow {
namespace {

// Time-outs of the calls the tool makes, in milliseconds.
constexpr uint32_t kCommandTimeoutMs = 1000;
constexpr uint32_t kSendTimeoutMs = 500000;

template <typename Fn>
bool ResolveInto(platform::LibraryLoader& loader, platform::LibraryLoader::Handle library,
                 const char* name, Fn* entry) {
  // Symbol is a plain function pointer; every entry is cast back to its own type.
  *entry = reinterpret_cast<Fn>(loader.Resolve(library, name));
  return *entry != nullptr;
}

}  // namespace

bool TransferClient::BindTransferLibrary() {
  UnbindTransferLibrary();
  currentTransferPrinter_.clear();
  library_ = loader_.Load("Ostrand.dll");
  if (library_ == nullptr) {
    return false;
  }
  // In this order, stopping at the first name that is missing; the library
  // and what was found stay until UnbindTransferLibrary.
  return ResolveInto(loader_, library_, "TRInitPrinter", &entry_.initPrinter) &&
         ResolveInto(loader_, library_, "TRCheckSupportPrinter", &entry_.checkSupportPrinter) &&
         ResolveInto(loader_, library_, "TRCmdInit", &entry_.cmdInit) &&
         ResolveInto(loader_, library_, "TRGetStatus", &entry_.getStatus) &&
         ResolveInto(loader_, library_, "TRGetFileList", &entry_.getFileList) &&
         ResolveInto(loader_, library_, "TRSendFile", &entry_.sendFile) &&
         ResolveInto(loader_, library_, "TRReceiveFile", &entry_.receiveFile) &&
         ResolveInto(loader_, library_, "TRDeleteFile", &entry_.deleteFile);
}

void TransferClient::UnbindTransferLibrary() {
  if (library_ != nullptr) {
    loader_.Free(library_);
    library_ = nullptr;
  }
  // No address may outlive the library it points into.
  entry_ = TRFunctions{};
}

bool TransferClient::OpenTransferPrinter(const std::string& name) {
  std::memset(openBlock_, 0, sizeof(openBlock_));
  if (entry_.initPrinter == nullptr) {
    lastTransferResult_ = TR_OPEN_FAILED;
    return false;
  }
  lastTransferResult_ = entry_.initPrinter(name.c_str(), openBlock_);
  if (lastTransferResult_ != TR_OK) {
    return false;
  }
  currentTransferPrinter_ = name;
  return true;
}

uint32_t TransferClient::CheckPrinterSupport(const std::string& name) {
  // The library's answer is the driver's "TransferUI" declaration, which the
  // update does not depend on: the printer list already holds only printers
  // of the configured driver, and turning one away here would hide it from
  // the user without a word. So every printer counts as supported.
  if (entry_.checkSupportPrinter != nullptr) {
    entry_.checkSupportPrinter(name.c_str());
  }
  return 1;
}

bool TransferClient::InitPrinterCommand() {
  if (entry_.cmdInit == nullptr) {
    lastTransferResult_ = TR_NOT_OPEN;
    return false;
  }
  lastTransferResult_ = entry_.cmdInit(kCommandTimeoutMs);
  return lastTransferResult_ == TR_OK;
}

bool TransferClient::ReadPrinterStatus() {
  std::memset(status_, 0, sizeof(status_));
  if (entry_.getStatus == nullptr) {
    lastTransferResult_ = TR_NOT_OPEN;
    return false;
  }
  lastTransferResult_ = entry_.getStatus(status_, kCommandTimeoutMs);
  return lastTransferResult_ == TR_OK;
}

bool TransferClient::CheckPrinterReady() {
  if (!InitPrinterCommand() || !ReadPrinterStatus()) {
    return false;
  }
  ostrand::StatusBlock reply;
  std::memcpy(reply.bytes.data(), status_, reply.bytes.size());
  // A reply of another kind or of another model fails the check although
  // every call succeeded, so LastTransferResult stays 0.
  if (!reply.HasMarker() || reply.ModelId() != currentModelId_) {
    return false;
  }
  if (reply.AcceptCount() > 0) {
    cancelThreshold_ = reply.AcceptCount();
  }
  return true;
}

int32_t TransferClient::SendFile(const uint8_t* header, const uint8_t* data, const uint32_t* size,
                                 TRProgressCallback progress) {
  std::memset(status_, 0, sizeof(status_));
  if (entry_.sendFile == nullptr) {
    lastTransferResult_ = TR_NOT_OPEN;
    return lastTransferResult_;
  }
  lastTransferResult_ = entry_.sendFile(header, data, size, status_, kSendTimeoutMs, progress);
  return lastTransferResult_;
}

}  // namespace vexlow
