// Opening the printer, the state every command depends on, initialise and status.
#include <array>
#include <cstdint>
#include <string>

#include "protocol_fixture.h"

namespace ostrand_test {
namespace {

class LibraryStateTest : public ProtocolTest {
 protected:
  // A send whose begin transfer is refused: shows the name the library keeps.
  void ExpectBeginUnder(const std::string& name) {
    port_.ExpectPurge();
    port_.ExpectBegin(name).Fails();
    const uint32_t size = 1;
    EXPECT_EQ(TR_TIMEOUT, library_.SendFile(buffer_.data(), buffer_.data(), &size, buffer_.data(),
                                            1000, nullptr));
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

TEST_F(LibraryStateTest, OpenKeepsTheLastNameCutTo259AndAFailedOpenKeepsTheOpenFlag) {
  port_.ExpectOpen("First").Fails();
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter("First", nullptr));
  EXPECT_EQ(TR_NOT_OPEN, library_.CmdInit(1000));

  const std::string kept(259, 'P');
  port_.ExpectOpen(kept);
  port_.ExpectPurge();
  EXPECT_EQ(TR_OK, library_.InitPrinter((kept + "QRS").c_str(), nullptr));
  ExpectBeginUnder(kept);

  // Still open after a failed open, under its name; no name at all is "".
  port_.ExpectOpen("").Fails();
  EXPECT_EQ(TR_OPEN_FAILED, library_.InitPrinter(nullptr, nullptr));
  ExpectBeginUnder("");
}

TEST_F(LibraryStateTest, CmdInitWritesTheFrameAndNeverWaitsForAReply) {
  OpenPrinter();
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('I'), 1234);
  EXPECT_EQ(TR_OK, library_.CmdInit(1234));

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

  // The budget is a signed 32-bit tick difference: it holds across the wrap...
  clock_.nowMs = 0xFFFFFF00u;
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 1000).Takes(0x200);
  port_.ExpectRead(32, 1000 - 0x200, Status(1, 0));
  EXPECT_EQ(TR_OK, library_.GetStatus(status.data(), 1000));
  // ...and from 2^31 ms on, start + time-out - now is negative at once.
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 0x80000000u);
  EXPECT_EQ(TR_TIMEOUT, library_.GetStatus(status.data(), 0x80000000u));

  // Failures: a short write, no time left to read, a short read.
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 500).Moves(2);
  EXPECT_EQ(TR_WRITE_FAILED, library_.GetStatus(status.data(), 500));
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 500).Takes(500);
  EXPECT_EQ(TR_TIMEOUT, library_.GetStatus(status.data(), 500));
  port_.ExpectPurge();
  port_.ExpectWrite(Frame('S'), 500);
  port_.ExpectRead(32, 500, Slice(Status(1, 0), 0, 31));
  EXPECT_EQ(TR_READ_FAILED, library_.GetStatus(status.data(), 500));
}

}  // namespace
}  // namespace ostrand_test
