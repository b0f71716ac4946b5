// The readiness check: a status reply of the right kind and model, and the
// accept count that becomes the cancel threshold.
#include <gtest/gtest.h>

#include <array>

#include "fake_libraries.h"
#include "tool/transfer/transfer_client.h"

namespace vexlow::testing {
namespace {

constexpr uint16_t kModelId = 0x1234;

class PrinterReady : public ::testing::Test {
 protected:
  void SetUp() override {
    client_.SetCurrentModelId(kModelId);
    Reply(0x81, 0x20, 0x42, 0x34, 0x12, 0);
  }

  void Reply(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t modelLow, uint8_t modelHigh,
             uint32_t acceptCount) {
    auto& reply = Ostrand().statusReply;
    reply = {b0, b1, b2, modelLow, modelHigh};
    reply[24] = static_cast<uint8_t>(acceptCount);
    reply[25] = static_cast<uint8_t>(acceptCount >> 8);
    reply[26] = static_cast<uint8_t>(acceptCount >> 16);
    reply[27] = static_cast<uint8_t>(acceptCount >> 24);
  }

  BoundLibraries libraries_;
  TransferClient& client_ = libraries_.client;
};

TEST_F(PrinterReady, AcceptsTheExpectedModelAndSendsInitialiseThenStatus) {
  // Little-endian and unsigned: a count with the top bit set is above 0.
  Reply(0x81, 0x20, 0x42, 0x34, 0x12, 0x81020304u);
  EXPECT_TRUE(client_.CheckPrinterReady());
  EXPECT_EQ(Calls(), (CallLog{"TRCmdInit(1000)", "TRGetStatus(1000)"}));
  EXPECT_EQ(client_.LastTransferResult(), TR_OK);
  EXPECT_EQ(client_.CancelThreshold(), 0x81020304u);
}

TEST_F(PrinterReady, RejectsAReplyOfAnotherKindOrModelWhileTheCodeStaysZero) {
  const std::array<uint8_t, 5> replies[] = {
      {0x80, 0x20, 0x42, 0x34, 0x12}, {0x81, 0x21, 0x42, 0x34, 0x12},
      {0x81, 0x20, 0x43, 0x34, 0x12},  // without the marker
      {0x81, 0x20, 0x42, 0x12, 0x34},  // model bytes swapped
      {0x81, 0x20, 0x42, 0x34, 0x13}, {0x81, 0x20, 0x42, 0x35, 0x12},
  };
  for (const auto& r : replies) {
    Reply(r[0], r[1], r[2], r[3], r[4], 500);
    EXPECT_FALSE(client_.CheckPrinterReady()) << ::testing::PrintToString(r);
  }
  EXPECT_EQ(client_.LastTransferResult(), TR_OK);
  EXPECT_EQ(client_.CancelThreshold(), 0u);
}

TEST_F(PrinterReady, AZeroAcceptCountKeepsTheEarlierThreshold) {
  Reply(0x81, 0x20, 0x42, 0x34, 0x12, 4096);
  ASSERT_TRUE(client_.CheckPrinterReady());
  Reply(0x81, 0x20, 0x42, 0x34, 0x12, 0);
  EXPECT_TRUE(client_.CheckPrinterReady());
  EXPECT_EQ(client_.CancelThreshold(), 4096u);
}

TEST_F(PrinterReady, AFailedCallEndsTheCheckWithItsCode) {
  Ostrand().cmdInitResult = TR_NOT_OPEN;  // what Ostrand says when nothing was opened
  EXPECT_FALSE(client_.CheckPrinterReady());
  EXPECT_EQ(client_.LastTransferResult(), TR_NOT_OPEN);
  EXPECT_EQ(Calls(), CallLog{"TRCmdInit(1000)"});

  Ostrand().cmdInitResult = TR_OK;
  Reply(0x81, 0x20, 0x42, 0x34, 0x12, 300);
  Ostrand().getStatusResult = TR_READ_FAILED;
  EXPECT_FALSE(client_.CheckPrinterReady());
  EXPECT_EQ(client_.LastTransferResult(), TR_READ_FAILED);
  EXPECT_EQ(client_.CancelThreshold(), 0u);
}

}  // namespace
}  // namespace vexlow::testing
