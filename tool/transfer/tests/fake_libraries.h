// Stand-ins for Ostrand's exports and Hobrel's SKWriteFile/SKReadFile: plain
// functions of the libraries' own types that record each call in a shared
// record and answer what the test sets there.
#ifndef TOOL_TRANSFER_TESTS_FAKE_LIBRARIES_H
#define TOOL_TRANSFER_TESTS_FAKE_LIBRARIES_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ostrand.h"
#include "platform/testing/fake_library_loader.h"

namespace vexlow::testing {

using platform::testing::FakeLibraryLoader;

struct FakeOstrand {
  // Answers.
  int32_t initPrinterResult = TR_OK;
  int32_t cmdInitResult = TR_OK;
  int32_t getStatusResult = TR_OK;
  int32_t sendFileResult = TR_OK;
  uint32_t supportAnswer = 0;
  std::array<uint8_t, TR_STATUS_SIZE> statusReply = {};

  // What the calls saw: names of the functions in call order, and arguments.
  std::vector<std::string> calls;
  std::string printerName;
  std::array<uint8_t, TR_OPEN_BLOCK_SIZE> openBlockOnEntry = {};
  std::array<uint8_t, TR_STATUS_SIZE> statusOnEntry = {};
  uint32_t timeoutMs = 0;
  const void* header = nullptr;
  const void* data = nullptr;
  const uint32_t* size = nullptr;
  void* status = nullptr;
  TRProgressCallback progress = nullptr;
};

struct FakeHobrel {
  int32_t writeAnswer = 1;

  int writeCalls = 0;
  // The 256 bytes of the name buffer, which the library may read whole.
  std::string nameBuffer;
  uint32_t reserved = 0xFFFFFFFF;
  std::vector<uint8_t> bytes;
  uint32_t count = 0;
  bool hadWrittenCount = false;
  uint32_t timeoutMs = 0;
};

// The records the fakes write into; reset to defaults by each fixture.
FakeOstrand& Ostrand();
FakeHobrel& Hobrel();
void ResetFakes();

// The eight entry points the tool binds, in the order it looks them up.
const std::vector<std::string>& BoundOstrandNames();
// Every export of the fake Ostrand (the eight and TRCheckSupportPrinter2),
// optionally without one of them.
FakeLibraryLoader::Exports OstrandExports(const std::string& without = "");
FakeLibraryLoader::Exports HobrelExports(const std::string& without = "");

}  // namespace vexlow::testing

#endif  // TOOL_TRANSFER_TESTS_FAKE_LIBRARIES_H
