// Loads ostrand.dll by name beside the recording stand-in hobrel.dll, binds the
// exports by name as the update tool does (the export table itself is checked
// by ostrand_binary_tables), and checks what reaches the port.
#include <windows.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ostrand.h"

namespace {

std::string Hex(const void* data, size_t count) {
  std::string text;
  char digits[3];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(digits, sizeof(digits), "%02X", static_cast<const unsigned char*>(data)[i]);
    text += digits;
  }
  return text;
}

std::vector<int32_t> percentages;

int32_t OSTRAND_CALL RecordProgress(int32_t percent) {
  percentages.push_back(percent);
  return 1;
}

class OstrandDll : public ::testing::Test {
 protected:
  void SetUp() override {
    dll_ = LoadLibraryA("ostrand.dll");
    ASSERT_NE(nullptr, dll_);
    // The stand-in came in as ostrand.dll's import.
    takeRecordedCalls_ = reinterpret_cast<const char* (*)()>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("hobrel.dll"), "TakeRecordedCalls")));
    ASSERT_NE(nullptr, takeRecordedCalls_);
  }
  void TearDown() override {
    if (dll_ != nullptr) {
      FreeLibrary(dll_);
    }
  }

  template <typename Fn>
  Fn Bind(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll_, name)));
  }

  // The port calls recorded since the last take, one line each.
  std::vector<std::string> TakeCalls() {
    std::vector<std::string> calls;
    std::istringstream record(takeRecordedCalls_());
    for (std::string line; std::getline(record, line);) {
      calls.push_back(line);
    }
    return calls;
  }

  HMODULE dll_ = nullptr;
  const char* (*takeRecordedCalls_)() = nullptr;
};

// Each export reaches the port through the six ordinals with its arguments:
// the caller's timeout in its command frame, what comes back reaches the
// caller. The exchanges themselves are the protocol's, tested natively.
TEST_F(OstrandDll, EveryExportReachesThePortLibrary) {
  auto initPrinter = Bind<TRInitPrinterFn>("TRInitPrinter");
  auto cmdInit = Bind<TRCmdInitFn>("TRCmdInit");
  auto getStatus = Bind<TRGetStatusFn>("TRGetStatus");
  auto getFileList = Bind<TRGetFileListFn>("TRGetFileList");
  auto sendFile = Bind<TRSendFileFn>("TRSendFile");
  auto receiveFile = Bind<TRReceiveFileFn>("TRReceiveFile");
  auto deleteFile = Bind<TRDeleteFileFn>("TRDeleteFile");
  ASSERT_TRUE(initPrinter && cmdInit && getStatus && getFileList && sendFile && receiveFile &&
              deleteFile);

  unsigned char openBlock[TR_OPEN_BLOCK_SIZE] = {};
  EXPECT_EQ(TR_OPEN_FAILED, initPrinter("Absent", openBlock));
  EXPECT_EQ(std::vector<std::string>{"open Absent 00000000000000000000"}, TakeCalls());
  ASSERT_EQ(TR_OK, initPrinter("Stand-in Label", openBlock));
  EXPECT_EQ((std::vector<std::string>{"open Stand-in Label 00000000000000000000", "purge"}),
            TakeCalls());

  unsigned char status[TR_STATUS_SIZE] = {};
  ASSERT_EQ(TR_OK, getStatus(status, 5000));
  EXPECT_EQ("812042341200000000000000000000000000010000000000E803000000000000",
            Hex(status, sizeof(status)));
  std::vector<std::string> calls = TakeCalls();
  ASSERT_EQ(3u, calls.size());
  EXPECT_EQ("write 4 5000 1B694653", calls[1]);
  unsigned statusTimeout = 0;
  ASSERT_EQ(1, std::sscanf(calls[2].c_str(), "read 32 %u", &statusTimeout));
  EXPECT_GT(statusTimeout, 0u);
  EXPECT_LE(statusTimeout, 5000u);

  unsigned char header[TR_HEADER_SIZE] = {0x4B, 0x58, 0x34, 0x12};
  header[16] = 150;
  unsigned char payload[150];
  for (size_t i = 0; i < sizeof(payload); ++i) {
    payload[i] = static_cast<unsigned char>(i * 7 + 1);
  }
  const uint32_t size = sizeof(payload);
  ASSERT_EQ(TR_OK, sendFile(header, payload, &size, status, 500000, RecordProgress));
  const std::vector<std::string> expected = {
      "purge",
      "begin Stand-in Label 0 2000",
      "write 4 2000 1B694644",
      "write 64 2000 " + Hex(header, sizeof(header)),
      "read 32 2000",
      "write 4 2000 96000000",
      "write 150 2000 " + Hex(payload, sizeof(payload)),
      "read 32 2000",
      "end",
  };
  EXPECT_EQ(expected, TakeCalls());
  // The last accepted status block stays with the caller: accept count 0.
  EXPECT_EQ("00000000", Hex(status + 24, 4));
  ASSERT_FALSE(percentages.empty());
  EXPECT_EQ(0, percentages.front());
  EXPECT_EQ(100, percentages.back());

  unsigned char received[10] = {};
  const uint32_t receivedSize = sizeof(received);
  header[0] = 'G';
  EXPECT_EQ(TR_OK, receiveFile(header, received, &receivedSize, status, 500000, nullptr));
  EXPECT_EQ("0102030405060708090A", Hex(received, sizeof(received)));
  calls = TakeCalls();
  ASSERT_GE(calls.size(), 4u);
  EXPECT_EQ("write 4 2000 1B694655", calls[2]);
  EXPECT_EQ("write 64 2000 " + Hex(header, sizeof(header)), calls[3]);

  auto frameWritten = [this] {
    const std::vector<std::string> taken = TakeCalls();
    return taken.size() < 2 ? std::string() : taken[1];
  };
  EXPECT_EQ(TR_OK, cmdInit(1000));
  EXPECT_EQ("write 4 1000 1B694649", frameWritten());
  uint32_t count = 0;
  EXPECT_EQ(TR_FILE_COUNT, getFileList(nullptr, &count, 3000));
  EXPECT_EQ(0x0201u, count);
  EXPECT_EQ("write 5 3000 1B69464C00", frameWritten());
  EXPECT_EQ(TR_OK, deleteFile(header, 3000));
  EXPECT_EQ("write 68 3000 1B694652" + Hex(header, sizeof(header)), frameWritten());
}

}  // namespace
