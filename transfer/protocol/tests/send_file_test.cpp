// Sending a file: the exchange on the port, its endings, its result codes.
#include <cstdint>

#include "protocol_fixture.h"

namespace ostrand_test {
namespace {

using SendFileTest = TransferTest;

TEST_F(SendFileTest, OneAllowanceOf450BytesGoesAsChunksOf200And200And50) {
  ExpectOpening('D', 450, 1);
  ExpectSentChunk(0, 200, 44);
  ExpectSentChunk(200, 200, 88);
  ExpectSentChunk(400, 50, 100);
  ExpectStatus(1, 0, 2);
  port_.ExpectProgress(100);
  port_.ExpectEnd();  // the printer wants no more: the transfer ends before Finish
  port_.ExpectProgress(100);
  EXPECT_EQ(TR_OK, Send());
  EXPECT_EQ(Status(1, 0, 2), LastStatus());
}

TEST_F(SendFileTest, AllowancesSpanPassesAndNeverExceedWhatIsLeft) {
  payload_ = Pattern(300);
  ExpectOpening('D', 0);  // no data yet: straight on to wait for the next block
  ExpectStatus(1, 100);
  port_.ExpectProgress(0);
  port_.ExpectProgress(0);  // the next pass
  ExpectSentChunk(0, 100, 33);
  ExpectStatus(1, 1000);
  port_.ExpectProgress(33);
  port_.ExpectProgress(33);
  ExpectSentChunk(100, 200, 100);  // 1000 allowed, 200 left
  ExpectStatus(1, 5, 3);           // the last block ends it whatever it allows
  port_.ExpectProgress(100);
  port_.ExpectProgress(100);
  port_.ExpectEnd();
  EXPECT_EQ(TR_OK, Send());
  EXPECT_EQ(Status(1, 5, 3), LastStatus());
}

TEST_F(SendFileTest, WithoutACallbackNobodyIsAsked) {
  payload_ = Pattern(10);
  ExpectStart('D');
  ExpectHeader();
  ExpectStatus(1, 10);
  port_.ExpectWrite(Le32(10), 2000);
  port_.ExpectWrite(payload_, 2000);
  ExpectStatus(1, 0);
  port_.ExpectEnd();
  EXPECT_EQ(TR_OK, Send(500000, nullptr));
}

TEST_F(SendFileTest, CancelWritesTheStopWordAndAnswersEight) {
  ExpectStart('D');
  port_.ExpectProgress(0).Cancels();  // before the header: only the stop word follows
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_CANCELLED, Send());

  ExpectOpening('D', 450);
  port_.ExpectWrite(Le32(200), 2000);
  port_.ExpectWrite(Slice(payload_, 0, 200), 2000);
  port_.ExpectProgress(44).Cancels();
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_CANCELLED, Send());

  payload_ = Pattern(100);
  ExpectOpening('D', 100);
  ExpectSentChunk(0, 100, 100);
  ExpectStatus(1, 0).Fails();
  port_.ExpectProgress(100).Cancels();  // while waiting for the status block
  ExpectStopWord().Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Send());

  // Asked at Finish, after the printer ended the transfer: the stop word still goes.
  ExpectOpening('D', 100);
  ExpectSentChunk(0, 100, 100);
  ExpectStatus(1, 0);
  port_.ExpectProgress(100);
  port_.ExpectEnd();
  port_.ExpectProgress(100).Cancels();
  ExpectStopWord();
  EXPECT_EQ(TR_CANCELLED, Send());
}

TEST_F(SendFileTest, FailedOrShortWritesAnswerThree) {
  port_.ExpectPurge();
  port_.ExpectBegin(kPrinter);
  port_.ExpectWrite(Frame('D'), 2000).Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Send());

  ExpectStart('D');
  port_.ExpectProgress(0);
  ExpectHeader().Moves(63);
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Send());

  ExpectOpening('D', 450);
  port_.ExpectWrite(Le32(200), 2000).Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Send());

  ExpectOpening('D', 450);
  port_.ExpectWrite(Le32(200), 2000);
  port_.ExpectWrite(Slice(payload_, 0, 200), 2000).Moves(199);
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Send());
}

TEST_F(SendFileTest, FirstStatusFailedOrShortAnswersFourAndRejectedSeven) {
  ExpectOpening('D', 450).Moves(31);
  port_.ExpectEnd();
  EXPECT_EQ(TR_READ_FAILED, Send());

  ExpectOpening('D', 450).Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_READ_FAILED, Send());

  ExpectStart('D');
  port_.ExpectProgress(0);
  ExpectHeader();
  ExpectStatus(0, 450);
  port_.ExpectEnd();
  EXPECT_EQ(TR_REJECTED, Send());
  EXPECT_EQ(Bytes(32, 0), LastStatus());  // a rejected block is not handed on
}

TEST_F(SendFileTest, LaterRejectionAnswersSevenAndKeepsTheLastAcceptedBlock) {
  ExpectOpening('D', 200, 1);
  ExpectSentChunk(0, 200, 44);
  ExpectStatus(2, 200, 2);
  port_.ExpectProgress(44);
  port_.ExpectEnd();
  EXPECT_EQ(TR_REJECTED, Send());
  EXPECT_EQ(Status(1, 200, 1), LastStatus());
}

TEST_F(SendFileTest, RefusedBeginAnswersFiveWithoutEndingTheTransfer) {
  port_.ExpectPurge();
  port_.ExpectBegin(kPrinter).Fails();
  EXPECT_EQ(TR_TIMEOUT, Send());
}

TEST_F(SendFileTest, TimeSpentOnTheCommandWrite) {
  // All of it: nothing more is written.
  port_.ExpectPurge();
  port_.ExpectBegin(kPrinter);
  port_.ExpectWrite(Frame('D'), 2000).Takes(1000);
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Send(1000));

  // More than half: the limit R (time left) is below the time elapsed, so the
  // call goes straight to Finish and stops the printer.
  port_.ExpectPurge();
  port_.ExpectBegin(kPrinter);
  port_.ExpectWrite(Frame('D'), 2000).Takes(600);
  port_.ExpectProgress(0);
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Send(1000));
}

TEST_F(SendFileTest, PrinterThatWantsNoMoreBeforeTheEndGetsTheStopWordAfterTheEnd) {
  payload_ = Pattern(300);
  ExpectOpening('D', 100);
  ExpectSentChunk(0, 100, 33);
  ExpectStatus(1, 0);
  port_.ExpectProgress(33);
  port_.ExpectEnd();
  port_.ExpectProgress(33);
  ExpectStopWord();
  EXPECT_EQ(TR_TIMEOUT, Send());
}

TEST_F(SendFileTest, LateStatusIsReadAgainEveryPortTimeOutUntilTheLimit) {
  payload_ = Pattern(100);
  ExpectOpening('D', 100).Takes(1000);  // R = 10000 - 1000 = 9000
  ExpectSentChunk(0, 100, 100);
  for (int attempt = 0; attempt < 4; ++attempt) {  // elapsed 3000, 5000, 7000, 9000
    ExpectStatus(1, 0).Fails().Takes(2000);
    port_.ExpectProgress(100);
  }
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Send(10000));

  // A late block that does come lets the transfer go on.
  ExpectOpening('D', 100);
  ExpectSentChunk(0, 100, 100);
  ExpectStatus(1, 0).Fails().Takes(2000);
  port_.ExpectProgress(100);
  ExpectStatus(1, 0);
  port_.ExpectProgress(100);
  port_.ExpectEnd();
  port_.ExpectProgress(100);
  EXPECT_EQ(TR_OK, Send(10000));

  // A short block while waiting counts as a time-out.
  ExpectOpening('D', 100);
  ExpectSentChunk(0, 100, 100);
  ExpectStatus(1, 0).Moves(20);
  port_.ExpectProgress(100);
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Send(10000));
}

// A 10000 ms time-out whose first status block comes at 4000 ms leaves the
// exchange 6000 ms counted from the start.
class SendBudgetTest : public SendFileTest {
 protected:
  void ExpectFirstStatusAt4000() {
    payload_ = Pattern(400);
    ExpectStart('D');
    port_.ExpectProgress(0);
    ExpectHeader();
    ExpectStatus(1, 400).Takes(4000);
  }
};

TEST_F(SendBudgetTest, PastTheLimitInTheChunkLoopNoStopWordIsWritten) {
  ExpectFirstStatusAt4000();
  ExpectSentChunk(0, 200, 50).Takes(2001);
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Send(10000));
}

TEST_F(SendBudgetTest, AtTheLimitAChunkStillGoesAndPastItTheStopWordFollows) {
  ExpectFirstStatusAt4000();
  ExpectSentChunk(0, 200, 50).Takes(2000);  // elapsed 6000: not past the limit
  ExpectSentChunk(200, 200, 100).Takes(1);  // 6001
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Send(10000));
}

TEST_F(SendBudgetTest, AtTheLimitNoWaitForAStatusBlockBegins) {
  ExpectFirstStatusAt4000();
  ExpectSentChunk(0, 200, 50);
  ExpectSentChunk(200, 200, 100).Takes(2000);  // 6000
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Send(10000));
}

TEST_F(SendFileTest, TheBudgetHoldsAcrossTheTickWrap) {
  payload_ = Pattern(100);
  clock_.Set(0xFFFFFF00u);
  ExpectOpening('D', 100).Takes(0x200);  // the tick wraps; R = 10000 - 512
  ExpectSentChunk(0, 100, 100);
  ExpectStatus(1, 0);
  port_.ExpectProgress(100);
  port_.ExpectEnd();
  port_.ExpectProgress(100);
  EXPECT_EQ(TR_OK, Send(10000));

  clock_.Set(0xFFFFFF00u);
  ExpectOpening('D', 100).Takes(0x200);
  ExpectSentChunk(0, 100, 100).Takes(10000 - 0x200 - 0x200 + 1);  // 1 ms past R
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Send(10000));
}

TEST_F(SendFileTest, EmptyPayloadEndsAtOnceWithoutDividingByZero) {
  payload_.clear();
  ExpectStart('D');
  port_.ExpectProgress(100);
  port_.ExpectEnd();
  EXPECT_EQ(TR_OK, Send());
}

}  // namespace
}  // namespace ostrand_test
