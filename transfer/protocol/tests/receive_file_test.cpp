// Receiving a file: the exchange on the port, its endings, its result codes.
#include <cstdint>

#include "protocol_fixture.h"

namespace ostrand_test {
namespace {

using ReceiveFileTest = TransferTest;

TEST_F(ReceiveFileTest, LengthWordsAskForChunksAndTheStatusReadWaitsUpToTheLimit) {
  payload_ = Pattern(250);
  ExpectOpening('U', 250);
  ExpectReceivedChunk(0, 200, 80);
  ExpectReceivedChunk(200, 50, 100);
  port_.ExpectRead(32, 500000, Status(1, 0, 2));  // R as its time-out
  port_.ExpectProgress(100);
  port_.ExpectEnd();
  EXPECT_EQ(TR_OK, Receive());
  EXPECT_EQ(payload_, received_);
  EXPECT_EQ(Status(1, 0, 2), LastStatus());
}

TEST_F(ReceiveFileTest, AllowancesSpanPassesAndNeverExceedWhatIsLeft) {
  payload_ = Pattern(300);
  ExpectOpening('U', 0).Takes(1000);  // R = 9000; no data asked for yet
  port_.ExpectRead(32, 9000, Status(1, 100));
  port_.ExpectProgress(0);
  ExpectReceivedChunk(0, 100, 33).Takes(500);  // R stays 9000, though less is left
  port_.ExpectRead(32, 9000, Status(1, 7000, 3));
  port_.ExpectProgress(33);
  ExpectReceivedChunk(100, 200, 100);
  port_.ExpectRead(32, 9000, Status(1, 9, 4));
  port_.ExpectProgress(100);
  port_.ExpectEnd();
  EXPECT_EQ(TR_OK, Receive(10000));
  EXPECT_EQ(payload_, received_);
  EXPECT_EQ(Status(1, 9, 4), LastStatus());
}

TEST_F(ReceiveFileTest, PrinterThatGivesNoMoreBeforeTheEndGetsTheStopWord) {
  payload_ = Pattern(300);
  ExpectOpening('U', 100);
  ExpectReceivedChunk(0, 100, 33);
  port_.ExpectRead(32, 500000, Status(1, 0));
  port_.ExpectProgress(33);
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Receive());
}

TEST_F(ReceiveFileTest, TimeRunningOutAroundTheFirstStatusAbortsWithTheInitialiseCommand) {
  ExpectStart('U');
  port_.ExpectProgress(0);
  ExpectHeader().Takes(5000);
  port_.ExpectWrite(Frame('I'), 5000);  // the caller's whole time-out
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Receive(5000));

  ExpectOpening('U', 450).Takes(5000);
  port_.ExpectWrite(Frame('I'), 5000).Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Receive(5000));
}

TEST_F(ReceiveFileTest, PastTheLimitTheStopWordGoesFirst) {
  // 10000 ms, first block at 4000: R = 6000. In the chunk loop:
  ExpectOpening('U', 450).Takes(4000);
  ExpectReceivedChunk(0, 200, 44).Takes(2001);
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Receive(10000));

  // Once the allowance is used up; here the stop word fails.
  ExpectOpening('U', 200).Takes(4000);
  ExpectReceivedChunk(0, 200, 44).Takes(2001);
  ExpectStopWord().Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Receive(10000));
}

TEST_F(ReceiveFileTest, FailedWritesAnswerThreeAndFailedReadsFour) {
  port_.ExpectPurge();
  port_.ExpectBegin(kPrinter);
  port_.ExpectWrite(Frame('U'), 2000).Moves(0);
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Receive());

  ExpectStart('U');
  port_.ExpectProgress(0);
  ExpectHeader().Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Receive());

  ExpectOpening('U', 450);
  port_.ExpectWrite(Le32(200), 2000).Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Receive());

  ExpectOpening('U', 450).Moves(16);
  port_.ExpectEnd();
  EXPECT_EQ(TR_READ_FAILED, Receive());

  ExpectOpening('U', 450);
  port_.ExpectWrite(Le32(200), 2000);
  port_.ExpectRead(200, 2000, Slice(payload_, 0, 199));
  port_.ExpectEnd();
  EXPECT_EQ(TR_READ_FAILED, Receive());

  ExpectOpening('U', 200);
  ExpectReceivedChunk(0, 200, 44);
  port_.ExpectRead(32, 500000, Status(1, 0)).Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_READ_FAILED, Receive());
}

TEST_F(ReceiveFileTest, RejectionsAnswerSevenAndKeepTheLastAcceptedBlock) {
  ExpectStart('U');
  port_.ExpectProgress(0);
  ExpectHeader();
  ExpectStatus(3, 450);
  port_.ExpectEnd();
  EXPECT_EQ(TR_REJECTED, Receive());
  EXPECT_EQ(Bytes(32, 0), LastStatus());

  ExpectOpening('U', 200);
  ExpectReceivedChunk(0, 200, 44);
  port_.ExpectRead(32, 500000, Status(0, 200, 2));
  port_.ExpectEnd();
  EXPECT_EQ(TR_REJECTED, Receive());
  EXPECT_EQ(Status(1, 200, 1), LastStatus());
}

TEST_F(ReceiveFileTest, CancelAndRefusedBegin) {
  ExpectStart('U');
  port_.ExpectProgress(0).Cancels();
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_CANCELLED, Receive());

  ExpectOpening('U', 450);
  port_.ExpectWrite(Le32(200), 2000);
  port_.ExpectRead(200, 2000, Slice(payload_, 0, 200));
  port_.ExpectProgress(44).Cancels();
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_CANCELLED, Receive());

  port_.ExpectPurge();
  port_.ExpectBegin(kPrinter).Fails();
  EXPECT_EQ(TR_TIMEOUT, Receive());
}

}  // namespace
}  // namespace ostrand_test
