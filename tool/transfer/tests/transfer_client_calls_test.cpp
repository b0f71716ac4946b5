// The wrappers: what each passes to Ostrand and which code it keeps.
#include <gtest/gtest.h>

#include <array>

#include "fake_libraries.h"
#include "platform/testing/fake_library_loader.h"
#include "tool/transfer/transfer_client.h"

namespace vexlow::testing {
namespace {

class TransferClientCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFakes();
    loader_.Provide("Ostrand.dll", OstrandExports());
    ASSERT_TRUE(client_.BindTransferLibrary());
  }
  FakeLibraryLoader loader_;
  TransferClient client_{loader_};
};

const std::array<uint8_t, TR_OPEN_BLOCK_SIZE> kZeroOpenBlock = {};
const std::array<uint8_t, TR_STATUS_SIZE> kZeroStatus = {};

TEST_F(TransferClientCalls, OpenPassesTheNameAndAZeroBlockEveryTime) {
  ASSERT_TRUE(client_.OpenTransferPrinter("Label Printer 9"));
  EXPECT_EQ(Ostrand().printerName, "Label Printer 9");
  EXPECT_EQ(Ostrand().openBlockOnEntry, kZeroOpenBlock);
  EXPECT_EQ(client_.CurrentTransferPrinter(), "Label Printer 9");
  EXPECT_EQ(client_.LastTransferResult(), TR_OK);

  // The fake wrote into the block; the next open must clear it again.
  ASSERT_TRUE(client_.OpenTransferPrinter("Label Printer 10"));
  EXPECT_EQ(Ostrand().openBlockOnEntry, kZeroOpenBlock);
  EXPECT_EQ(client_.CurrentTransferPrinter(), "Label Printer 10");
}

TEST_F(TransferClientCalls, FailedOpenKeepsTheCodeAndTheEarlierPrinter) {
  ASSERT_TRUE(client_.OpenTransferPrinter("First"));
  Ostrand().initPrinterResult = TR_OPEN_FAILED;
  EXPECT_FALSE(client_.OpenTransferPrinter("Second"));
  EXPECT_EQ(client_.LastTransferResult(), TR_OPEN_FAILED);
  EXPECT_EQ(client_.CurrentTransferPrinter(), "First");
}

TEST_F(TransferClientCalls, InitPrinterCommandUsesOneSecondAndKeepsTheCode) {
  EXPECT_TRUE(client_.InitPrinterCommand());
  EXPECT_EQ(Ostrand().timeoutMs, 1000u);
  EXPECT_EQ(client_.LastTransferResult(), TR_OK);
  for (int32_t code : {TR_NOT_OPEN, TR_WRITE_FAILED}) {
    Ostrand().cmdInitResult = code;
    EXPECT_FALSE(client_.InitPrinterCommand());
    EXPECT_EQ(client_.LastTransferResult(), code);
  }
}

TEST_F(TransferClientCalls, ReadPrinterStatusClearsTheBlockBeforeEachRequest) {
  Ostrand().statusReply.fill(0x5A);
  ASSERT_TRUE(client_.ReadPrinterStatus());
  EXPECT_EQ(Ostrand().timeoutMs, 1000u);
  EXPECT_EQ(client_.StatusBlock()[31], 0x5A);

  Ostrand().getStatusResult = TR_TIMEOUT;
  EXPECT_FALSE(client_.ReadPrinterStatus());
  EXPECT_EQ(Ostrand().statusOnEntry, kZeroStatus);
  EXPECT_EQ(client_.LastTransferResult(), TR_TIMEOUT);
}

int32_t OSTRAND_CALL GoOn(int32_t) {
  return 1;
}

TEST_F(TransferClientCalls, SendFilePassesThePackageWithAClearedStatusBlock) {
  const uint8_t header[TR_HEADER_SIZE] = {0x90, 0x40};
  const uint8_t payload[3] = {1, 2, 3};
  const uint32_t size = sizeof(payload);
  ASSERT_TRUE(client_.ReadPrinterStatus());  // leaves a reply in the block
  Ostrand().statusOnEntry.fill(0xFF);

  EXPECT_EQ(client_.SendFile(header, payload, &size, GoOn), TR_OK);
  EXPECT_EQ(Ostrand().header, header);
  EXPECT_EQ(Ostrand().data, payload);
  EXPECT_EQ(Ostrand().size, &size);
  EXPECT_EQ(Ostrand().status, client_.StatusBlock());
  EXPECT_EQ(Ostrand().progress, &GoOn);
  EXPECT_EQ(Ostrand().timeoutMs, 500000u);
  EXPECT_EQ(Ostrand().statusOnEntry, kZeroStatus);

  // The fake filled the block; a second send starts from zeros again.
  Ostrand().sendFileResult = TR_CANCELLED;
  EXPECT_EQ(client_.SendFile(header, payload, &size, GoOn), TR_CANCELLED);
  EXPECT_EQ(Ostrand().statusOnEntry, kZeroStatus);
  EXPECT_EQ(client_.LastTransferResult(), TR_CANCELLED);
}

TEST_F(TransferClientCalls, CheckPrinterSupportAsksTheLibraryButTurnsNoPrinterAway) {
  client_.SetLastTransferResult(TR_TIMEOUT);
  Ostrand().supportAnswer = 0;
  EXPECT_TRUE(client_.CheckPrinterSupport("No TransferUI"));
  EXPECT_EQ(Ostrand().printerName, "No TransferUI");
  Ostrand().supportAnswer = 1;
  EXPECT_TRUE(client_.CheckPrinterSupport("With TransferUI"));
  EXPECT_EQ(Ostrand().calls.size(), 2u);
  EXPECT_EQ(client_.LastTransferResult(), TR_TIMEOUT);  // not a command: no code kept
}

}  // namespace
}  // namespace vexlow::testing
