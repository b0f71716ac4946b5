#include "fake_libraries.h"

#include <cstring>

#include <gtest/gtest.h>

#include "portio/hobrel_api.h"

namespace vexlow::testing {
namespace {

FakeOstrand ostrand;
FakeHobrel hobrel;

// Marks what a function may write, so a test sees whether the caller cleared it
// again before the next call.
constexpr uint8_t kScribble = 0xA5;

int32_t OSTRAND_CALL FakeInitPrinter(const char* printerName, void* openBlock) {
  ostrand.calls.push_back("TRInitPrinter");
  ostrand.printerName = printerName;
  std::memcpy(ostrand.openBlockOnEntry.data(), openBlock, TR_OPEN_BLOCK_SIZE);
  std::memset(openBlock, kScribble, TR_OPEN_BLOCK_SIZE);
  return ostrand.initPrinterResult;
}

uint32_t OSTRAND_CALL FakeCheckSupportPrinter(const char* printerName) {
  ostrand.calls.push_back("TRCheckSupportPrinter");
  ostrand.printerName = printerName;
  return ostrand.supportAnswer;
}

int32_t OSTRAND_CALL FakeCmdInit(uint32_t timeoutMs) {
  ostrand.calls.push_back("TRCmdInit");
  ostrand.timeoutMs = timeoutMs;
  return ostrand.cmdInitResult;
}

int32_t OSTRAND_CALL FakeGetStatus(void* status, uint32_t timeoutMs) {
  ostrand.calls.push_back("TRGetStatus");
  ostrand.timeoutMs = timeoutMs;
  std::memcpy(ostrand.statusOnEntry.data(), status, TR_STATUS_SIZE);
  std::memcpy(status, ostrand.statusReply.data(), TR_STATUS_SIZE);
  return ostrand.getStatusResult;
}

int32_t OSTRAND_CALL FakeSendFile(const void* header, const void* data, const uint32_t* size,
                                  void* status, uint32_t timeoutMs, TRProgressCallback progress) {
  ostrand.calls.push_back("TRSendFile");
  ostrand.header = header;
  ostrand.data = data;
  ostrand.size = size;
  ostrand.status = status;
  ostrand.timeoutMs = timeoutMs;
  ostrand.progress = progress;
  std::memcpy(ostrand.statusOnEntry.data(), status, TR_STATUS_SIZE);
  std::memset(status, kScribble, TR_STATUS_SIZE);
  return ostrand.sendFileResult;
}

int32_t HOBREL_CALL FakeSKWriteFile(const char* printerName, uint32_t reserved, const void* buffer,
                                    uint32_t count, uint32_t* written, uint32_t timeoutMs) {
  ++hobrel.writeCalls;
  hobrel.nameBuffer.assign(printerName, 256);
  hobrel.reserved = reserved;
  const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
  hobrel.bytes.assign(bytes, bytes + count);
  hobrel.count = count;
  hobrel.hadWrittenCount = written != nullptr;
  hobrel.timeoutMs = timeoutMs;
  if (written != nullptr) {
    *written = count;
  }
  return hobrel.writeAnswer;
}

// Stands for the exports the tool binds or sees but never calls: TRGetFileList,
// TRReceiveFile, TRDeleteFile, TRCheckSupportPrinter2 and SKReadFile.
void NeverCalled() {
  ADD_FAILURE() << "the tool called an export it never uses";
}

template <typename Fn>
platform::LibraryLoader::Symbol AsSymbol(Fn function) {
  return reinterpret_cast<platform::LibraryLoader::Symbol>(function);
}

FakeLibraryLoader::Exports Without(FakeLibraryLoader::Exports exports, const std::string& name) {
  exports.erase(name);
  return exports;
}

}  // namespace

FakeOstrand& Ostrand() {
  return ostrand;
}
FakeHobrel& Hobrel() {
  return hobrel;
}

void ResetFakes() {
  ostrand = FakeOstrand{};
  hobrel = FakeHobrel{};
}

const std::vector<std::string>& BoundOstrandNames() {
  static const std::vector<std::string> names = {
      "TRInitPrinter", "TRCheckSupportPrinter", "TRCmdInit",   "TRGetStatus", "TRGetFileList",
      "TRSendFile",    "TRReceiveFile",         "TRDeleteFile"};
  return names;
}

FakeLibraryLoader::Exports OstrandExports(const std::string& without) {
  return Without({{"TRInitPrinter", AsSymbol(&FakeInitPrinter)},
                  {"TRCheckSupportPrinter", AsSymbol(&FakeCheckSupportPrinter)},
                  {"TRCheckSupportPrinter2", &NeverCalled},
                  {"TRCmdInit", AsSymbol(&FakeCmdInit)},
                  {"TRGetStatus", AsSymbol(&FakeGetStatus)},
                  {"TRGetFileList", &NeverCalled},
                  {"TRSendFile", AsSymbol(&FakeSendFile)},
                  {"TRReceiveFile", &NeverCalled},
                  {"TRDeleteFile", &NeverCalled}},
                 without);
}

FakeLibraryLoader::Exports HobrelExports(const std::string& without) {
  return Without({{"SKWriteFile", AsSymbol(&FakeSKWriteFile)}, {"SKReadFile", &NeverCalled}},
                 without);
}

}  // namespace vexlow::testing
