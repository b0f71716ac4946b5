// The transfer client: binding Ostrand by name, and the wrappers, which keep
// each call's code and never jump into a library that is not bound.
#include "tool/transfer/transfer_client.h"

#include <gtest/gtest.h>

#include "fake_libraries.h"

namespace vexlow::testing {
namespace {

// The eight names in order; the first one missing ends the binding, and the
// library stays loaded until it is unbound, or bound again.
TEST(TransferClientTest, BindsTheEightNamesInOrderUpToTheFirstMissing) {
  const std::vector<std::string>& names = BoundOstrandNames();
  for (std::size_t missing = 0; missing <= names.size(); ++missing) {
    const std::string missingName = missing < names.size() ? names[missing] : "";
    SCOPED_TRACE(missingName);
    FakeLibraryLoader loader;
    loader.Provide("Ostrand.dll", OstrandExports(missingName));
    TransferClient client(loader);
    client.SetCurrentTransferPrinter("left over");
    EXPECT_EQ(client.BindTransferLibrary(), missing == names.size());
    EXPECT_EQ(client.CurrentTransferPrinter(), "");
    const std::size_t looked = std::min(missing + 1, names.size());
    EXPECT_EQ(loader.Lookups(), std::vector<std::string>(names.begin(), names.begin() + looked));
    client.BindTransferLibrary();
    EXPECT_EQ(loader.LoadedCount(), 1);
    client.UnbindTransferLibrary();
    client.UnbindTransferLibrary();
    EXPECT_EQ(loader.FreeCount(), 2);
  }
  FakeLibraryLoader empty;
  EXPECT_FALSE(TransferClient(empty).BindTransferLibrary());
  EXPECT_TRUE(empty.Lookups().empty());
}

// Unbound, no wrapper may jump into a freed library: each fails with a code.
TEST(TransferClientTest, WrappersFailWithoutCallingWhenUnbound) {
  BoundLibraries libraries;
  TransferClient& client = libraries.client;
  client.UnbindTransferLibrary();

  EXPECT_FALSE(client.OpenTransferPrinter("P-1"));
  EXPECT_EQ(client.LastTransferResult(), TR_OPEN_FAILED);
  EXPECT_EQ(client.CurrentTransferPrinter(), "");
  const std::function<bool()> commands[] = {
      [&] { return client.InitPrinterCommand(); },
      [&] { return client.ReadPrinterStatus(); },
      [&] { return client.CheckPrinterReady(); },
      [&] {
        const uint8_t header[TR_HEADER_SIZE] = {};
        const uint32_t size = 1;
        return client.SendFile(header, header, &size, nullptr) == TR_OK;
      },
  };
  for (const auto& command : commands) {
    client.SetLastTransferResult(TR_OK);
    EXPECT_FALSE(command());
    EXPECT_EQ(client.LastTransferResult(), TR_NOT_OPEN);
  }
  EXPECT_EQ(client.CheckPrinterSupport("P-1"), 1u);
  EXPECT_TRUE(Calls().empty());
}

// Each call keeps the library's code; a failed open keeps the earlier printer.
TEST(TransferClientTest, KeepsEachCallsCode) {
  BoundLibraries libraries;
  TransferClient& client = libraries.client;
  ASSERT_TRUE(client.OpenTransferPrinter("First"));
  Ostrand().initPrinterResult = TR_OPEN_FAILED;
  EXPECT_FALSE(client.OpenTransferPrinter("Second"));
  EXPECT_EQ(client.LastTransferResult(), TR_OPEN_FAILED);
  EXPECT_EQ(client.CurrentTransferPrinter(), "First");

  Ostrand().cmdInitResult = TR_WRITE_FAILED;
  EXPECT_FALSE(client.InitPrinterCommand());
  EXPECT_EQ(client.LastTransferResult(), TR_WRITE_FAILED);
  Ostrand().getStatusResult = TR_TIMEOUT;
  EXPECT_FALSE(client.ReadPrinterStatus());
  EXPECT_EQ(client.LastTransferResult(), TR_TIMEOUT);
  Ostrand().sendFileResult = TR_CANCELLED;
  const uint8_t header[TR_HEADER_SIZE] = {0x90, 0x40};
  const uint32_t size = 2;
  EXPECT_EQ(client.SendFile(header, header, &size, nullptr), TR_CANCELLED);
  EXPECT_EQ(client.LastTransferResult(), TR_CANCELLED);

  // The support check is no command: it keeps no code and turns no printer away.
  EXPECT_EQ(client.CheckPrinterSupport("No TransferUI"), 1u);
  EXPECT_EQ(client.LastTransferResult(), TR_CANCELLED);
  EXPECT_EQ(Calls(), (CallLog{"TRInitPrinter(First)", "TRInitPrinter(Second)", "TRCmdInit(1000)",
                              "TRGetStatus(1000)", "TRSendFile(2 bytes, 500000)",
                              "TRCheckSupportPrinter(No TransferUI)"}));
}

// The library writes into the open block and the status block; the client
// hands both in zeroed again every time.
TEST(TransferClientTest, ClearsTheOpenAndStatusBlocksBeforeEachCall) {
  BoundLibraries libraries;
  TransferClient& client = libraries.client;
  const std::array<uint8_t, TR_OPEN_BLOCK_SIZE> zeroOpenBlock = {};
  const std::array<uint8_t, TR_STATUS_SIZE> zeroStatus = {};
  const uint8_t header[TR_HEADER_SIZE] = {};
  const uint32_t size = 1;
  Ostrand().statusReply.fill(0x5A);
  for (int round = 0; round < 2; ++round) {
    client.OpenTransferPrinter("P-1");
    EXPECT_EQ(Ostrand().openBlockOnEntry, zeroOpenBlock);
    client.ReadPrinterStatus();
    EXPECT_EQ(Ostrand().statusOnEntry, zeroStatus);
    client.SendFile(header, header, &size, nullptr);
    EXPECT_EQ(Ostrand().statusOnEntry, zeroStatus);
  }
}

}  // namespace
}  // namespace vexlow::testing
