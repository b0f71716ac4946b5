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

std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "vexlow-client-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class TransferClientWine : public ::testing::Test {
 protected:
  // The virtual printer reads its configuration on first use, once a process.
  static void SetUpTestSuite() {
    folder_ = TempFolder();
    tracePath_ = folder_ + "\\trace.txt";
    const std::string config = folder_ + "\\printer.ini";
    std::ofstream(config) << "[printer]\nname = " << kPrinter << "\nmodel = 0x0415\n"
                          << "status_accept_count = " << kStatusAcceptCount << "\n"
                          << "trace = " << tracePath_ << "\n";
    SetEnvironmentVariableA("VEXLOW_VIRTUAL_PRINTER", config.c_str());
  }

  platform::Win32LibraryLoader loader_;
  static std::string folder_;
  static std::string tracePath_;
};

std::string TransferClientWine::folder_;
std::string TransferClientWine::tracePath_;

TEST_F(TransferClientWine, BindsTheRealLibraryAndFreesItAtTheEnd) {
  {
    vexlow::TransferClient client(loader_);
    ASSERT_TRUE(client.BindTransferLibrary());
    EXPECT_NE(GetModuleHandleA("ostrand.dll"), nullptr);
  }
  EXPECT_EQ(GetModuleHandleA("ostrand.dll"), nullptr);
}

TEST_F(TransferClientWine, ReadinessFailsWithCodeTwoWhenNoPrinterWasOpened) {
  vexlow::TransferClient client(loader_);
  ASSERT_TRUE(client.BindTransferLibrary());
  EXPECT_FALSE(client.OpenTransferPrinter("No Such Printer"));
  EXPECT_EQ(client.LastTransferResult(), TR_OPEN_FAILED);
  EXPECT_FALSE(client.CheckPrinterReady());
  EXPECT_EQ(client.LastTransferResult(), TR_NOT_OPEN);
}

TEST_F(TransferClientWine, OpensAndFindsThePrinterReadyForItsModelOnly) {
  vexlow::TransferClient client(loader_);
  ASSERT_TRUE(client.BindTransferLibrary());
  EXPECT_TRUE(client.CheckPrinterSupport(kPrinter));
  ASSERT_TRUE(client.OpenTransferPrinter(kPrinter));
  EXPECT_EQ(client.CurrentTransferPrinter(), kPrinter);

  client.SetCurrentModelId(kModel + 1);
  EXPECT_FALSE(client.CheckPrinterReady());
  EXPECT_EQ(client.LastTransferResult(), TR_OK);
  EXPECT_EQ(client.CancelThreshold(), 0u);

  client.SetCurrentModelId(kModel);
  EXPECT_TRUE(client.CheckPrinterReady());
  EXPECT_EQ(client.CancelThreshold(), kStatusAcceptCount);
}

std::vector<int32_t> progressSeen;
int32_t OSTRAND_CALL RecordProgress(int32_t percent) {
  progressSeen.push_back(percent);
  return 1;
}

// The worker reads a package file from disk and sends its payload, not the
// bytes after it, with the progress reaching 100.
TEST_F(TransferClientWine, TheWorkerSendsAPackageFileToTheOpenedPrinter) {
  vexlow::TransferClient client(loader_);
  ASSERT_TRUE(client.BindTransferLibrary());
  ASSERT_TRUE(client.OpenTransferPrinter(kPrinter));
  client.SetCurrentModelId(kModel);
  ASSERT_TRUE(client.CheckPrinterReady());

  const vexlow::testing::PackageFolder folder;
  const std::string package = folder.Write("update.kx7", kModel, 1000, 1016);
  vexlow::TransferProgress progress;
  std::vector<std::string> messageLog;
  vexlow::testing::FakeMessageBoxes messages(messageLog, "");
  vexlow::WorkerContext context{client, progress, RecordProgress, messages, "printer ID error"};
  progressSeen.clear();
  EXPECT_EQ(vexlow::TransferWorker({package}, context), 0);
  EXPECT_EQ(client.LastTransferResult(), TR_OK);
  EXPECT_EQ(progress.bytesDone, 1000u);
  ASSERT_FALSE(progressSeen.empty());
  EXPECT_EQ(progressSeen.back(), 100);
  EXPECT_TRUE(messageLog.empty());
}

TEST_F(TransferClientWine, PortBindingWritesTheModeCommandToTheNamedPrinter) {
  vexlow::PortBinding port(loader_);
  ASSERT_TRUE(port.BindPortLibrary());
  EXPECT_TRUE(port.SendModeCommand(kPrinter));
  EXPECT_FALSE(port.SendModeCommand("No Such Printer"));
  port.UnbindPortLibrary();
  EXPECT_EQ(GetModuleHandleA("hobrel.dll"), nullptr);
  const std::string trace = ReadWhole(tracePath_);
  EXPECT_NE(trace.find("1B 69 61 01"), std::string::npos) << trace;
  EXPECT_NE(trace.find("the printer switches to command mode 1"), std::string::npos) << trace;
}

}  // namespace
