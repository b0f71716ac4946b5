// Opening the printer, the state every command depends on, initialise and status.
#include <array>
#include <cstdint>
#include <string>

#include "protocol_fixture.h"

namespace ostrand_test {
namespace {

class LibraryStateTest : public ProtocolTest {
 protected:
  int32_t SendOneByte() {
    const uint32_t size = 1;
    return library_.SendFile(buffer_.data(), buffer_.data(), &size, buffer_.data(), 1000, nullptr);
  }
  std::array<uint8_t, 64> buffer_{};
};

TEST_F(LibraryStateTest, EveryCommandBeforeAnOpenAnswersNotOpenWithoutTouchingThePort) {
  uint8_t* buffer = buffer_.data();
  uint32_t count = 1;
  const uint32_t size = 10;
  EXPECT_EQ(TR_NOT_OPEN, library_.CmdInit(1000));
  EXPECT_EQ(TR_NOT_OPEN, library_.GetStatus(buffer, 1000));
  EXPECT_EQ(TR_NOT_OPEN, library_.GetFileList(nullptr, &count, 1000));
  // The buffer call checks the open flag before it reads the caller's count.
  EXPECT_EQ(TR_NOT_OPEN, library_.GetFileList(buffer, nullptr, 1000));
  EXPECT_EQ(TR_NOT_OPEN,
            library_.SendFile(buffer, buffer, &size, buffer, 1000, &ScriptedPort::Progress));
  EXPECT_EQ(TR_NOT_OPEN,
            library_.ReceiveFile(buffer, buffer, &size, buffer, 1000, &ScriptedPort::Progress));
  EXPECT_EQ(TR_NOT_OPEN, library_.DeleteFile(buffer, 1000));
}

TEST_F(LibraryStateTest, OpenPassesTheBlockOnUnchangedAndPurges) {
  OpenPrinter();
  EXPECT_EQ(openBlock_.data(), port_.LastOpenBlock());
}

TEST_F(LibraryStateTest, FailedOpenStillReplacesTheNameAndKeepsTheOpenFlag) {
  port_.ExpectOpen("First").Fails();
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter("First", openBlock_.data()));
  EXPECT_EQ(TR_NOT_OPEN, library_.CmdInit(1000));

  OpenPrinter("Second");
  port_.ExpectOpen("Third").Fails();
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter("Third", openBlock_.data()));
  // Still open, and its transfers begin under the name of the failed call.
  port_.ExpectPurge();
  port_.ExpectBegin("Third").Fails();
  EXPECT_EQ(TR_TIMEOUT, SendOneByte());
}

TEST_F(LibraryStateTest, NameOf260CharactersOrMoreKeepsItsFirst259) {
  const std::string kept(259, 'P');
  port_.ExpectOpen(kept);
  port_.ExpectPurge();
  EXPECT_EQ(TR_OK, library_.InitPrinter((kept + "QRS").c_str(), openBlock_.data()));
  port_.ExpectPurge();
  port_.ExpectBegin(kept).Fails();
  EXPECT_EQ(TR_TIMEOUT, SendOneByte());

  port_.ExpectOpen("").Fails();  // and no name at all is an empty one
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter(nullptr, nullptr));
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

TEST_F(LibraryStateTest, GetStatusBudgetIsASigned32BitTickDifference) {
  OpenPrinter();
  std::array<uint8_t, 32> status{};
  clock_.Set(0xFFFFFF00u);
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 1000).Takes(0x200);  // the tick wraps during the write
  port_.ExpectRead(32, 1000 - 0x200, Status(1, 0));
  EXPECT_EQ(TR_OK, library_.GetStatus(status.data(), 1000));

  // From 2^31 ms on, start + time-out - now is negative at once.
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 0x80000000u);
  EXPECT_EQ(TR_TIMEOUT, library_.GetStatus(status.data(), 0x80000000u));
}

}  // namespace
}  // namespace ostrand_test
