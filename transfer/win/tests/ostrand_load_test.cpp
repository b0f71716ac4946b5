// Loads ostrand.dll by name beside the recording stand-in hobrel.dll, binds the
// nine exports by name as the update tool does, and checks what reaches the
// port: the open, the status command and a whole send of a small file.
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

TEST_F(OstrandDll, ExportsTheNineFunctionsByName) {
  for (const char* name :
       {"TRInitPrinter", "TRCmdInit", "TRGetStatus", "TRGetFileList", "TRSendFile", "TRReceiveFile",
        "TRDeleteFile", "TRCheckSupportPrinter", "TRCheckSupportPrinter2"}) {
    EXPECT_NE(nullptr, Bind<void (*)()>(name)) << name;
  }
}

TEST_F(OstrandDll, OpensThePrinterThenSendsAFileThroughThePortLibrary) {
  auto initPrinter = Bind<TRInitPrinterFn>("TRInitPrinter");
  auto cmdInit = Bind<TRCmdInitFn>("TRCmdInit");
  auto getStatus = Bind<TRGetStatusFn>("TRGetStatus");
  auto sendFile = Bind<TRSendFileFn>("TRSendFile");
  ASSERT_TRUE(initPrinter && cmdInit && getStatus && sendFile);

  EXPECT_EQ(TR_NOT_OPEN, cmdInit(1000));
  EXPECT_TRUE(TakeCalls().empty());

  unsigned char openBlock[TR_OPEN_BLOCK_SIZE] = {};
  EXPECT_EQ(TR_OPEN_FAILED, initPrinter("Absent", openBlock));
  EXPECT_EQ(std::vector<std::string>{"open Absent 00000000000000000000"}, TakeCalls());
  EXPECT_EQ(TR_NOT_OPEN, cmdInit(1000));

  ASSERT_EQ(TR_OK, initPrinter("Stand-in Label", openBlock));
  EXPECT_EQ((std::vector<std::string>{"open Stand-in Label 00000000000000000000", "purge"}),
            TakeCalls());

  unsigned char status[TR_STATUS_SIZE] = {};
  ASSERT_EQ(TR_OK, getStatus(status, 5000));
  EXPECT_EQ("812042341200000000000000000000000000010000000000E803000000000000",
            Hex(status, sizeof(status)));
  std::vector<std::string> calls = TakeCalls();
  ASSERT_EQ(3u, calls.size());
  EXPECT_EQ("purge", calls[0]);
  EXPECT_EQ("write 4 5000 1B694653", calls[1]);
  unsigned statusTimeout = 0;
  ASSERT_EQ(1, std::sscanf(calls[2].c_str(), "read 32 %u", &statusTimeout));
  EXPECT_GT(statusTimeout, 0u);
  EXPECT_LE(statusTimeout, 5000u);

  // 450 bytes go as 200 + 100 against the first allowance of 300, then 150.
  unsigned char header[TR_HEADER_SIZE] = {0x4B, 0x58, 0x34, 0x12};
  header[16] = 450 & 0xFF;
  header[17] = 450 >> 8;
  std::vector<unsigned char> payload(450);
  for (size_t i = 0; i < payload.size(); ++i) {
    payload[i] = static_cast<unsigned char>(i * 7 + 1);
  }
  const uint32_t size = static_cast<uint32_t>(payload.size());
  ASSERT_EQ(TR_OK, sendFile(header, payload.data(), &size, status, 500000, RecordProgress));

  const unsigned char* data = payload.data();
  const std::vector<std::string> expected = {
      "purge",
      "begin Stand-in Label 0 2000",
      "write 4 2000 1B694644",
      "write 64 2000 " + Hex(header, sizeof(header)),
      "read 32 2000",
      "write 4 2000 C8000000",
      "write 200 2000 " + Hex(data, 200),
      "write 4 2000 64000000",
      "write 100 2000 " + Hex(data + 200, 100),
      "read 32 2000",
      "write 4 2000 96000000",
      "write 150 2000 " + Hex(data + 300, 150),
      "read 32 2000",
      "end",
  };
  EXPECT_EQ(expected, TakeCalls());
  // The last accepted status block stays with the caller: accept count 0.
  EXPECT_EQ(1, status[18]);
  EXPECT_EQ("00000000", Hex(status + 24, 4));
  ASSERT_FALSE(percentages.empty());
  EXPECT_EQ(0, percentages.front());
  EXPECT_EQ(100, percentages.back());
  for (size_t i = 1; i < percentages.size(); ++i) {
    EXPECT_LE(percentages[i - 1], percentages[i]);
  }
}

// The other commands reach the port as their frames say; the timeouts of
// reads that run on what is left of a budget are left out of the comparison.
TEST_F(OstrandDll, ForwardsTheOtherCommandsToTheProtocol) {
  auto initPrinter = Bind<TRInitPrinterFn>("TRInitPrinter");
  auto cmdInit = Bind<TRCmdInitFn>("TRCmdInit");
  auto getFileList = Bind<TRGetFileListFn>("TRGetFileList");
  auto deleteFile = Bind<TRDeleteFileFn>("TRDeleteFile");
  auto receiveFile = Bind<TRReceiveFileFn>("TRReceiveFile");
  ASSERT_TRUE(initPrinter && cmdInit && getFileList && deleteFile && receiveFile);
  unsigned char openBlock[TR_OPEN_BLOCK_SIZE] = {};
  ASSERT_EQ(TR_OK, initPrinter("Stand-in Label", openBlock));
  TakeCalls();
  auto takeCallsWithoutReadTimeouts = [this] {
    std::vector<std::string> calls = TakeCalls();
    for (std::string& call : calls) {
      if (call.rfind("read ", 0) == 0) {
        call.erase(call.rfind(' '));
      }
    }
    return calls;
  };

  EXPECT_EQ(TR_OK, cmdInit(1000));
  EXPECT_EQ((std::vector<std::string>{"purge", "write 4 1000 1B694649"}), TakeCalls());

  uint32_t count = 0;
  EXPECT_EQ(TR_FILE_COUNT, getFileList(nullptr, &count, 3000));
  EXPECT_EQ(0x0201u, count);
  EXPECT_EQ((std::vector<std::string>{"purge", "write 5 3000 1B69464C00", "read 2"}),
            takeCallsWithoutReadTimeouts());

  unsigned char entry[TR_HEADER_SIZE] = {'F', 'I', 'L', 'E'};
  EXPECT_EQ(TR_OK, deleteFile(entry, 3000));
  EXPECT_EQ((std::vector<std::string>{"purge", "write 68 3000 1B694652" + Hex(entry, sizeof(entry)),
                                      "read 32"}),
            takeCallsWithoutReadTimeouts());

  unsigned char header[TR_HEADER_SIZE] = {'G', 'E', 'T'};
  unsigned char received[10] = {};
  unsigned char status[TR_STATUS_SIZE] = {};
  const uint32_t size = sizeof(received);
  EXPECT_EQ(TR_OK, receiveFile(header, received, &size, status, 500000, nullptr));
  EXPECT_EQ("0102030405060708090A", Hex(received, sizeof(received)));
  EXPECT_EQ(
      (std::vector<std::string>{"purge", "begin Stand-in Label 0 2000", "write 4 2000 1B694655",
                                "write 64 2000 " + Hex(header, sizeof(header)), "read 32",
                                "write 4 2000 0A000000", "read 10", "read 32", "end"}),
      takeCallsWithoutReadTimeouts());
}

}  // namespace
