// The transfer client: the wrappers, which never jump into a library that is
// not bound and hand in cleared blocks, and the readiness check.
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

// Initialise, then a status reply of the opened model; its nonzero accept
// count (little-endian, unsigned) becomes the cancel threshold. A reply of
// another kind or model fails although every call succeeded: the code stays 0.
TEST(TransferClientTest, IsReadyOnlyForAReplyOfTheOpenedModel) {
  struct Case {
    std::array<uint8_t, 5> reply;  // 81 20 42, then the model 0x1234
    uint32_t acceptCount;
    int32_t cmdInit, getStatus;
    bool ready;
    uint32_t threshold;  // 4096 before
  };
  const std::array<uint8_t, 5> good = {0x81, 0x20, 0x42, 0x34, 0x12};
  const Case cases[] = {
      {good, 0x81020304u, TR_OK, TR_OK, true, 0x81020304u},
      {good, 0, TR_OK, TR_OK, true, 4096},
      {{0x80, 0x20, 0x42, 0x34, 0x12}, 500, TR_OK, TR_OK, false, 4096},
      {{0x81, 0x20, 0x42, 0x12, 0x34}, 500, TR_OK, TR_OK, false, 4096},  // model bytes swapped
      {good, 300, TR_NOT_OPEN, TR_OK, false, 4096},
      {good, 300, TR_OK, TR_READ_FAILED, false, 4096},
  };
  const auto reply = [](const std::array<uint8_t, 5>& bytes, uint32_t acceptCount) {
    Ostrand().statusReply = {bytes[0], bytes[1], bytes[2], bytes[3], bytes[4]};
    for (int i = 0; i < 4; ++i) {
      Ostrand().statusReply[24 + i] = static_cast<uint8_t>(acceptCount >> (8 * i));
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.reply) + " " + std::to_string(c.cmdInit) + " " +
                 std::to_string(c.getStatus));
    BoundLibraries libraries;
    TransferClient& client = libraries.client;
    client.SetCurrentModelId(0x1234);
    reply(good, 4096);
    ASSERT_TRUE(client.CheckPrinterReady());
    Calls().clear();
    reply(c.reply, c.acceptCount);
    Ostrand().cmdInitResult = c.cmdInit;
    Ostrand().getStatusResult = c.getStatus;
    EXPECT_EQ(client.CheckPrinterReady(), c.ready);
    EXPECT_EQ(client.LastTransferResult(), c.cmdInit != TR_OK ? c.cmdInit : c.getStatus);
    EXPECT_EQ(client.CancelThreshold(), c.threshold);
    EXPECT_EQ(Calls(), c.cmdInit != TR_OK ? CallLog{"TRCmdInit(1000)"}
                                          : (CallLog{"TRCmdInit(1000)", "TRGetStatus(1000)"}));
  }
}

}  // namespace
}  // namespace vexlow::testing
