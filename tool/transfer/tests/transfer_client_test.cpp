// The transfer client's wrappers, which never jump into a library that is not
// bound and hand in cleared blocks. (Its readiness check: the update run's table.)
#include "tool/transfer/transfer_client.h"

#include <gtest/gtest.h>

#include "fake_libraries.h"

namespace vexlow::testing {
namespace {

// Unbound, no wrapper may jump into a freed library: each fails with a code.
TEST(TransferClientTest, WrappersFailWithoutCallingWhenUnbound) {
  BoundLibraries libraries;
  TransferClient& client = libraries.client;
  client.UnbindTransferLibrary();

  EXPECT_FALSE(client.OpenTransferPrinter("P-1"));
  EXPECT_EQ(client.LastTransferResult(), TR_OPEN_FAILED);
  EXPECT_EQ(client.CurrentTransferPrinter(), "");
  const uint8_t header[TR_HEADER_SIZE] = {};
  const uint32_t size = 1;
  const std::function<bool()> commands[] = {
      [&] { return client.InitPrinterCommand(); },
      [&] { return client.ReadPrinterStatus(); },
      [&] { return client.CheckPrinterReady(); },
      [&] { return client.SendFile(header, header, &size, nullptr) == TR_OK; },
  };
  for (const auto& command : commands) {
    client.SetLastTransferResult(TR_OK);
    EXPECT_FALSE(command());
    EXPECT_EQ(client.LastTransferResult(), TR_NOT_OPEN);
  }
  EXPECT_EQ(client.CheckPrinterSupport("P-1"), 1u);
  EXPECT_TRUE(Calls().empty());
}

// The library writes into the open and status blocks (the fake scribbles on
// them): each call hands them in zeroed again. A failed open keeps the earlier
// printer. The support check is no command: it keeps no code and turns no
// printer away. (The other calls' codes: identification, readiness, worker.)
TEST(TransferClientTest, ClearsTheBlocksItHandsInAndKeepsTheEarlierPrinter) {
  BoundLibraries libraries;
  TransferClient& client = libraries.client;
  ASSERT_TRUE(client.OpenTransferPrinter("First"));
  Ostrand().initPrinterResult = TR_OPEN_FAILED;
  EXPECT_FALSE(client.OpenTransferPrinter("Second"));
  EXPECT_EQ(Ostrand().openBlockOnEntry, (std::array<uint8_t, TR_OPEN_BLOCK_SIZE>{}));
  EXPECT_EQ(client.CurrentTransferPrinter(), "First");

  const std::array<uint8_t, TR_STATUS_SIZE> zeroStatus = {};
  Ostrand().statusReply.fill(0x5A);
  client.ReadPrinterStatus();
  const uint8_t header[TR_HEADER_SIZE] = {0x90, 0x40};
  const uint32_t size = 2;
  Ostrand().sendFileResult = TR_CANCELLED;
  EXPECT_EQ(client.SendFile(header, header, &size, nullptr), TR_CANCELLED);
  EXPECT_EQ(Ostrand().statusOnEntry, zeroStatus);
  Ostrand().getStatusResult = TR_TIMEOUT;
  EXPECT_FALSE(client.ReadPrinterStatus());
  EXPECT_EQ(Ostrand().statusOnEntry, zeroStatus);

  EXPECT_EQ(client.CheckPrinterSupport("No TransferUI"), 1u);
  EXPECT_EQ(client.LastTransferResult(), TR_TIMEOUT);
}

}  // namespace
}  // namespace vexlow::testing
