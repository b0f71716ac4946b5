// Stand-ins for Ostrand's exports and Hobrel's SKWriteFile/SKReadFile: plain
// functions of the libraries' own types that log each call as one line, with
// the arguments that matter, and answer what the test sets.
#ifndef TOOL_TRANSFER_TESTS_FAKE_LIBRARIES_H
#define TOOL_TRANSFER_TESTS_FAKE_LIBRARIES_H

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ostrand.h"
#include "platform/testing/fake_library_loader.h"
#include "tool/transfer/port_binding.h"
#include "tool/transfer/transfer_client.h"

namespace vexlow::testing {

using platform::testing::FakeLibraryLoader;
using CallLog = std::vector<std::string>;

struct FakeOstrand {
  // Answers.
  int32_t initPrinterResult = TR_OK;
  int32_t cmdInitResult = TR_OK;
  int32_t getStatusResult = TR_OK;
  int32_t sendFileResult = TR_OK;
  std::array<uint8_t, TR_STATUS_SIZE> statusReply = {};
  // Runs inside TRSendFile, standing for the transfer: it may call the
  // progress callback, and its answer is the send's result.
  std::function<int32_t(TRProgressCallback progress)> transfer;

  // The blocks as the caller handed them in, and the payload of the last send.
  std::array<uint8_t, TR_OPEN_BLOCK_SIZE> openBlockOnEntry = {};
  std::array<uint8_t, TR_STATUS_SIZE> statusOnEntry = {};
  std::vector<uint8_t> sentData;
};

struct FakeHobrel {
  int32_t writeAnswer = 1;
};

// The records the fakes use; reset to defaults by each test.
FakeOstrand& Ostrand();
FakeHobrel& Hobrel();
// Every call into either library, in order, one line each, such as
// "TRCmdInit(1000)" or "SKWriteFile(P-1, 256 bytes, 0, 1B 69 61 01, 10000)".
CallLog& Calls();
void ResetFakes();

// Every export of the fake Ostrand (the eight and TRCheckSupportPrinter2),
// optionally without one of them.
FakeLibraryLoader::Exports OstrandExports(const std::string& without = "");

// Fresh fakes and both libraries bound through them.
struct BoundLibraries {
  BoundLibraries();
  FakeLibraryLoader loader;
  TransferClient client{loader};
  PortBinding port{loader};
};

}  // namespace vexlow::testing

#endif  // TOOL_TRANSFER_TESTS_FAKE_LIBRARIES_H
