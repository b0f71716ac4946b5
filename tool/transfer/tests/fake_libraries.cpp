#include "fake_libraries.h"

#include <cstdio>
#include <cstring>

#include <gtest/gtest.h>

#include "portio/hobrel_api.h"

namespace vexlow::testing {
namespace {

FakeOstrand ostrand;
FakeHobrel hobrel;
CallLog calls;

// Marks what a function may write, so a test sees whether the caller cleared it
// again before the next call.
constexpr uint8_t kScribble = 0xA5;

int32_t OSTRAND_CALL FakeInitPrinter(const char* printerName, void* openBlock) {
  calls.push_back(std::string("TRInitPrinter(") + printerName + ")");
  std::memcpy(ostrand.openBlockOnEntry.data(), openBlock, TR_OPEN_BLOCK_SIZE);
  std::memset(openBlock, kScribble, TR_OPEN_BLOCK_SIZE);
  return ostrand.initPrinterResult;
}

// Answers as for a driver without a "TransferUI" declaration.
uint32_t OSTRAND_CALL FakeCheckSupportPrinter(const char* printerName) {
  calls.push_back(std::string("TRCheckSupportPrinter(") + printerName + ")");
  return 0;
}

int32_t OSTRAND_CALL FakeCmdInit(uint32_t timeoutMs) {
  calls.push_back("TRCmdInit(" + std::to_string(timeoutMs) + ")");
  return ostrand.cmdInitResult;
}

int32_t OSTRAND_CALL FakeGetStatus(void* status, uint32_t timeoutMs) {
  calls.push_back("TRGetStatus(" + std::to_string(timeoutMs) + ")");
  std::memcpy(ostrand.statusOnEntry.data(), status, TR_STATUS_SIZE);
  std::memcpy(status, ostrand.statusReply.data(), TR_STATUS_SIZE);
  return ostrand.getStatusResult;
}

int32_t OSTRAND_CALL FakeSendFile(const void* /*header*/, const void* data, const uint32_t* size,
                                  void* status, uint32_t timeoutMs, TRProgressCallback progress) {
  calls.push_back("TRSendFile(" + std::to_string(*size) + " bytes, " + std::to_string(timeoutMs) +
                  ")");
  const uint8_t* dataBytes = static_cast<const uint8_t*>(data);
  ostrand.sentData.assign(dataBytes, dataBytes + *size);
  std::memcpy(ostrand.statusOnEntry.data(), status, TR_STATUS_SIZE);
  std::memset(status, kScribble, TR_STATUS_SIZE);
  return ostrand.transfer ? ostrand.transfer(progress) : ostrand.sendFileResult;
}

int32_t HOBREL_CALL FakeSKWriteFile(const char* printerName, uint32_t reserved, const void* buffer,
                                    uint32_t count, uint32_t* written, uint32_t timeoutMs) {
  // The library may read the whole 256-byte name buffer: ASan catches a
  // shorter one here.
  const std::string nameBuffer(printerName, 256);
  const bool zeroPadded =
      nameBuffer.find_first_not_of('\0', std::strlen(printerName)) == std::string::npos;
  std::string bytes;
  for (uint32_t i = 0; i < count; ++i) {
    char digits[4];
    std::snprintf(digits, sizeof(digits), " %02X", static_cast<const uint8_t*>(buffer)[i]);
    bytes += digits;
  }
  calls.push_back("SKWriteFile(" + std::string(printerName) +
                  (zeroPadded ? ", 256 bytes, " : ", not padded, ") + std::to_string(reserved) +
                  "," + bytes + ", " + std::to_string(timeoutMs) + ")");
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
CallLog& Calls() {
  return calls;
}

void ResetFakes() {
  ostrand = FakeOstrand{};
  hobrel = FakeHobrel{};
  calls.clear();
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

BoundLibraries::BoundLibraries() {
  ResetFakes();
  loader.Provide("Ostrand.dll", OstrandExports());
  loader.Provide("hobrel.dll",
                 {{"SKWriteFile", AsSymbol(&FakeSKWriteFile)}, {"SKReadFile", &NeverCalled}});
  EXPECT_TRUE(client.BindTransferLibrary());
  EXPECT_TRUE(port.BindPortLibrary());
}

}  // namespace vexlow::testing
