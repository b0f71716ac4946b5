// The transfer client and the port binding over the Windows loader, with the
// real ostrand.dll and the virtual printer's hobrel.dll beside this program.
// Each test unbinds fully, so both libraries load afresh for the next one.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win/win32_library_loader.h"
#include "tool/transfer/port_binding.h"
#include "tool/transfer/tests/fake_message_boxes.h"
#include "tool/transfer/tests/package_files.h"
#include "tool/transfer/transfer_client.h"
#include "tool/transfer/transfer_worker.h"

namespace {

constexpr char kPrinter[] = "Virtual Printer";
constexpr uint16_t kModel = 0x0415;
constexpr uint32_t kStatusAcceptCount = 123456;

class TransferClientWine : public ::testing::Test {
 protected:
  // The virtual printer reads its configuration on first use, once a process.
  static void SetUpTestSuite() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string stem = temp;  // appended to: GCC 12 warns on char* + string&& here
    stem += "vexlow-client-" + std::to_string(GetCurrentProcessId());
    tracePath_ = stem + "-trace.txt";
    std::ofstream(stem + ".ini") << "[printer]\nname = " << kPrinter << "\nmodel = 0x0415\n"
                                 << "status_accept_count = " << kStatusAcceptCount << "\n"
                                 << "trace = " << tracePath_ << "\n";
    SetEnvironmentVariableA("VEXLOW_VIRTUAL_PRINTER", (stem + ".ini").c_str());
  }

  platform::Win32LibraryLoader loader_;
  static std::string tracePath_;
};

std::string TransferClientWine::tracePath_;

TEST_F(TransferClientWine, BindsTheRealLibraryFailsReadinessWithoutAPrinterAndFreesIt) {
  {
    vexlow::TransferClient client(loader_);
    ASSERT_TRUE(client.BindTransferLibrary());
    EXPECT_NE(GetModuleHandleA("ostrand.dll"), nullptr);
    EXPECT_FALSE(client.OpenTransferPrinter("No Such Printer"));
    EXPECT_EQ(client.LastTransferResult(), TR_OPEN_FAILED);
    EXPECT_FALSE(client.CheckPrinterReady());
    EXPECT_EQ(client.LastTransferResult(), TR_NOT_OPEN);
  }
  EXPECT_EQ(GetModuleHandleA("ostrand.dll"), nullptr);
}

int32_t lastPercent = -1;
int32_t OSTRAND_CALL RecordProgress(int32_t percent) {
  lastPercent = percent;
  return 1;
}

// Ready for its model, with its status block's threshold (a mismatch is covered
// natively); the worker sends a package file's payload from disk, not the
// bytes after it, with the progress reaching 100.
TEST_F(TransferClientWine, OpensThePrinterAndTheWorkerSendsItAPackageFile) {
  vexlow::TransferClient client(loader_);
  ASSERT_TRUE(client.BindTransferLibrary());
  EXPECT_TRUE(client.CheckPrinterSupport(kPrinter));
  ASSERT_TRUE(client.OpenTransferPrinter(kPrinter));
  EXPECT_EQ(client.CurrentTransferPrinter(), kPrinter);
  client.SetCurrentModelId(kModel);
  ASSERT_TRUE(client.CheckPrinterReady());
  EXPECT_EQ(client.CancelThreshold(), kStatusAcceptCount);

  const vexlow::testing::PackageFolder folder;
  const std::string package = folder.Write("update.kx7", kModel, 1000, 1016);
  vexlow::TransferProgress progress;
  std::vector<std::string> messageLog;
  vexlow::testing::FakeMessageBoxes messages(messageLog, "");
  vexlow::WorkerContext context{client, progress, RecordProgress, messages, "printer ID error"};
  EXPECT_EQ(vexlow::TransferWorker({package}, context), 0);
  EXPECT_EQ(client.LastTransferResult(), TR_OK);
  EXPECT_EQ(progress.bytesDone, 1000u);
  EXPECT_EQ(lastPercent, 100);
  EXPECT_TRUE(messageLog.empty());
}

TEST_F(TransferClientWine, PortBindingWritesTheModeCommandToTheNamedPrinter) {
  vexlow::PortBinding port(loader_);
  ASSERT_TRUE(port.BindPortLibrary());
  EXPECT_TRUE(port.SendModeCommand(kPrinter));
  EXPECT_FALSE(port.SendModeCommand("No Such Printer"));
  port.UnbindPortLibrary();
  EXPECT_EQ(GetModuleHandleA("hobrel.dll"), nullptr);
  std::ostringstream trace;
  trace << std::ifstream(tracePath_).rdbuf();
  EXPECT_NE(trace.str().find("1B 69 61 01"), std::string::npos) << trace.str();
}

}  // namespace
