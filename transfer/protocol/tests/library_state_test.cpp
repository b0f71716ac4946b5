// Opening the printer, the state every command depends on, initialise and status.
#include <array>
#include <cstdint>
#include <string>

#include "protocol_fixture.h"

namespace ostrand_test {
namespace {

using LibraryStateTest = ProtocolTest;

TEST_F(LibraryStateTest, EveryCommandBeforeAnOpenAnswersNotOpenWithoutTouchingThePort) {
  std::array<uint8_t, 64> buffer{};
  uint32_t count = 1;
  const uint32_t size = 10;
  EXPECT_EQ(TR_NOT_OPEN, library_.CmdInit(1000));
  EXPECT_EQ(TR_NOT_OPEN, library_.GetStatus(buffer.data(), 1000));
  EXPECT_EQ(TR_NOT_OPEN, library_.GetFileList(nullptr, &count, 1000));
  EXPECT_EQ(TR_NOT_OPEN, library_.GetFileList(buffer.data(), &count, 1000));
  EXPECT_EQ(TR_NOT_OPEN, library_.SendFile(buffer.data(), buffer.data(), &size, buffer.data(), 1000,
                                           &ScriptedPort::Progress));
  EXPECT_EQ(TR_NOT_OPEN, library_.ReceiveFile(buffer.data(), buffer.data(), &size, buffer.data(),
                                              1000, &ScriptedPort::Progress));
  EXPECT_EQ(TR_NOT_OPEN, library_.DeleteFile(buffer.data(), 1000));
}

TEST_F(LibraryStateTest, OpenPassesNameAndBlockOnAndPurges) {
  OpenPrinter();
  EXPECT_TRUE(library_.IsOpen());
  EXPECT_STREQ(kPrinter, library_.PrinterName());
  EXPECT_EQ(openBlock_.data(), port_.LastOpenBlock());
}

TEST_F(LibraryStateTest, FailedOpenStillReplacesTheNameAndKeepsTheOpenFlag) {
  port_.ExpectOpen("First").Fails();
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter("First", openBlock_.data()));
  EXPECT_FALSE(library_.IsOpen());
  EXPECT_STREQ("First", library_.PrinterName());

  OpenPrinter("Second");
  port_.ExpectOpen("Third").Fails();
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter("Third", openBlock_.data()));
  EXPECT_TRUE(library_.IsOpen());

  // The still open printer's transfers begin under the name of the failed call.
  const uint32_t size = 1;
  port_.ExpectPurge();
  port_.ExpectBegin("Third").Fails();
  EXPECT_EQ(TR_TIMEOUT, library_.SendFile(openBlock_.data(), openBlock_.data(), &size,
                                          openBlock_.data(), 1000, nullptr));
}

TEST_F(LibraryStateTest, OverlongNameIsCutTo259CharactersAndNullNameIsEmpty) {
  const std::string longName(300, 'P');
  const std::string kept(259, 'P');
  port_.ExpectOpen(kept);
  port_.ExpectPurge();
  EXPECT_EQ(TR_OK, library_.InitPrinter(longName.c_str(), openBlock_.data()));
  EXPECT_EQ(kept, library_.PrinterName());

  port_.ExpectOpen("").Fails();
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter(nullptr, nullptr));
  EXPECT_STREQ("", library_.PrinterName());
}

TEST_F(LibraryStateTest, CmdInitWritesTheFrameAndNeverWaitsForAReply) {
  OpenPrinter();
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('I'), 1234);
  EXPECT_EQ(TR_OK, library_.CmdInit(1234));

  port_.ExpectPurge();
  port_.ExpectWrite(Frame('I'), 1234).Fails();
  EXPECT_EQ(TR_WRITE_FAILED, library_.CmdInit(1234));

  port_.ExpectPurge();
  port_.ExpectWrite(Frame('I'), 1234).Moves(3);
  EXPECT_EQ(TR_WRITE_FAILED, library_.CmdInit(1234));
}

TEST_F(LibraryStateTest, GetStatusReadsWithWhatIsLeftOfTheWholeCallsTimeOut) {
  OpenPrinter();
  std::array<uint8_t, 32> status{};
  // Purge and write count against the budget: 5000 - 100 - 300 is left to read.
  port_.ExpectPurge().Takes(100);
  port_.ExpectWrite(Frame('S'), 5000).Takes(300);
  port_.ExpectRead(32, 4600, Status(0, 77));
  EXPECT_EQ(TR_OK, library_.GetStatus(status.data(), 5000));
  EXPECT_EQ(Status(0, 77), Bytes(status.begin(), status.end()));
}

TEST_F(LibraryStateTest, GetStatusFailures) {
  OpenPrinter();
  std::array<uint8_t, 32> status{};
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 500).Moves(2);
  EXPECT_EQ(TR_WRITE_FAILED, library_.GetStatus(status.data(), 500));

  // The write used up the whole time-out: nothing is read.
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 500).Takes(500);
  EXPECT_EQ(TR_TIMEOUT, library_.GetStatus(status.data(), 500));

  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 500);
  port_.ExpectRead(32, 500, Slice(Status(1, 0), 0, 31));
  EXPECT_EQ(TR_READ_FAILED, library_.GetStatus(status.data(), 500));

  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 500);
  port_.ExpectRead(32, 500, Status(1, 0)).Fails();
  EXPECT_EQ(TR_READ_FAILED, library_.GetStatus(status.data(), 500));
}

TEST_F(LibraryStateTest, GetStatusBudgetHoldsAcrossTheTickWrapAndForHugeTimeOuts) {
  OpenPrinter();
  std::array<uint8_t, 32> status{};
  clock_.Set(0xFFFFFF00u);
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 1000).Takes(0x200);  // the tick wraps during the write
  port_.ExpectRead(32, 1000 - 0x200, Status(1, 0));
  EXPECT_EQ(TR_OK, library_.GetStatus(status.data(), 1000));

  // 0xFFFFFFFF does not put the deadline behind the start.
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 0xFFFFFFFFu).Takes(7);
  port_.ExpectRead(32, 0x7FFFFFFFu - 7, Status(1, 0));
  EXPECT_EQ(TR_OK, library_.GetStatus(status.data(), 0xFFFFFFFFu));
}

}  // namespace
}  // namespace ostrand_test
