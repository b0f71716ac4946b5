// Sending and receiving a file: first what both directions do alike, then
// where each differs (the status wait, the time limit's endings, the abort).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "protocol_fixture.h"

namespace ostrand_test {
namespace {

// Run once as a send ("D") and once as a receive ("U").
class BothDirections : public TransferTest, public ::testing::WithParamInterface<char> {
 protected:
  void SetUp() override {
    sending_ = GetParam() == 'D';
    TransferTest::SetUp();
  }
};

INSTANTIATE_TEST_SUITE_P(SendAndReceive, BothDirections, ::testing::Values('D', 'U'));

TEST_P(BothDirections, ChunksOfAtMost200FollowTheAllowancesAndNeverExceedWhatIsLeft) {
  ExpectOpening(0);  // no data yet: straight on to the next block
  ExpectNextStatus(Status(1, 100), 0);
  port_.ExpectProgress(0);  // the next pass
  ExpectChunk(0, 100, 22);
  ExpectNextStatus(Status(1, 1000), 22);
  port_.ExpectProgress(22);
  ExpectChunk(100, 200, 66);  // 1000 allowed, 350 left
  ExpectChunk(300, 150, 100);
  ExpectNextStatus(Status(1, 5, 3), 100);  // the last block ends it whatever it allows
  port_.ExpectProgress(100);               // Finish
  port_.ExpectEnd();
  EXPECT_EQ(TR_OK, Run());
  EXPECT_EQ(Status(1, 5, 3), LastStatus());
  if (!sending_) {
    EXPECT_EQ(payload_, received_);
  }
}

TEST_P(BothDirections, CancelWritesTheStopWordAndAnswersEight) {
  ExpectStart();
  port_.ExpectProgress(0).Fails();  // before the header: only the stop word follows
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_CANCELLED, Run());

  ExpectOpening(450);
  ExpectChunk(0, 200);
  port_.ExpectProgress(44).Fails();
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_CANCELLED, Run());
}

// Its command written, an empty exchange would end before the header the
// printer then waits for, and report success.
TEST_P(BothDirections, AnEmptyPayloadIsRefusedWithoutAPortCallOrProgressReport) {
  payload_.clear();
  EXPECT_EQ(TR_REJECTED, Run());
}

TEST_P(BothDirections, FailedOrShortWritesAnswerThreeReadsFourAndARefusedBeginFive) {
  port_.ExpectPurge();
  port_.ExpectBegin(kPrinter).Fails();  // never begun, so never ended
  EXPECT_EQ(TR_TIMEOUT, Run());

  ExpectStart().Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Run());

  ExpectStart();
  port_.ExpectProgress(0);
  ExpectHeader().Moves(63);
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Run());

  ExpectOpening(450).Moves(31);
  port_.ExpectEnd();
  EXPECT_EQ(TR_READ_FAILED, Run());

  ExpectOpening(450);
  port_.ExpectWrite(Le32(200), 2000).Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Run());

  ExpectOpening(450);
  ExpectChunk(0, 200).Moves(199);
  port_.ExpectEnd();
  EXPECT_EQ(sending_ ? TR_WRITE_FAILED : TR_READ_FAILED, Run());
}

TEST_P(BothDirections, RejectionAnswersSevenAndKeepsTheLastAcceptedBlock) {
  ExpectOpening(450).reply = Status(0, 450);
  port_.ExpectEnd();
  EXPECT_EQ(TR_REJECTED, Run());
  EXPECT_EQ(Bytes(32, 0), LastStatus());  // a rejected block is not handed on

  ExpectOpening(200, 1);
  ExpectChunk(0, 200, 44);
  ExpectNextStatus(Status(2, 200, 2), 44);
  port_.ExpectEnd();
  EXPECT_EQ(TR_REJECTED, Run());
  EXPECT_EQ(Status(1, 200, 1), LastStatus());
}

// Every way to end short of the payload tells the printer to stop, except a
// command write that took all the time.
TEST_P(BothDirections, EndingShortOfThePayloadWritesTheStopWord) {
  // All the time spent on the command write (R = 0): nothing more is written.
  ExpectStart().Takes(1000);
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Run(1000));

  // More than half: R (400) is below the time elapsed (600), so the call goes
  // straight to Finish. The purge comes before the start.
  port_.ExpectPurge().Takes(5000);
  port_.ExpectBegin(kPrinter);
  port_.ExpectWrite(Frame(sending_ ? 'D' : 'U'), 2000).Takes(600);
  port_.ExpectProgress(0);
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Run(1000));

  // 10000 ms, first block at 4000 ms: R = 6000, counted from the start; a
  // status block at the limit ends the passes.
  payload_ = Pattern(400);
  ExpectOpening(200).Takes(4000);
  ExpectChunk(0, 200, 50);
  ExpectNextStatus(Status(1, 200), 50, 6000).Takes(2000);
  port_.ExpectProgress(50);  // Finish
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Run(10000));

  // The printer takes or gives no more: a send has ended the transfer by then,
  // and not twice; a cancel at Finish still writes the stop word.
  payload_ = Pattern(300);
  for (const bool cancel : {false, true}) {
    SCOPED_TRACE(cancel);
    ExpectOpening(100);
    ExpectChunk(0, 100, 33);
    ExpectNextStatus(Status(1, 0), 33);
    if (sending_) {
      port_.ExpectEnd();
    }
    port_.ExpectProgress(33).answer = !cancel;
    ExpectStopWord();
    if (!sending_) {
      port_.ExpectEnd();
    }
    EXPECT_EQ(cancel ? TR_CANCELLED : TR_TIMEOUT, Run());
  }
}

using SendFileTest = TransferTest;

TEST_F(SendFileTest, WithoutACallbackNobodyIsAsked) {
  payload_ = Pattern(10);
  ExpectStart();
  ExpectHeader();
  port_.ExpectRead(32, 2000, Status(1, 10));
  ExpectChunk(0, 10);
  port_.ExpectRead(32, 2000, Status(1, 0));
  port_.ExpectEnd();
  EXPECT_EQ(TR_OK, Run(500000, nullptr));
}

TEST_F(SendFileTest, LateStatusIsReadAgainEveryPortTimeOutUntilTheLimit) {
  payload_ = Pattern(100);
  // R = 10000 - 1000 = 9000. A read that takes the port time-out is tried at
  // elapsed 3000, 5000, 7000, 9000; one that fails at once (a link gone) no
  // more than once per half a port time-out of the 8000 ms left: 9 attempts.
  const struct { uint32_t takesMs, attempts; } waits[] = {{2000, 4}, {0, 9}};
  for (const auto& wait : waits) {
    SCOPED_TRACE(wait.takesMs);
    ExpectOpening(100).Takes(1000);
    ExpectChunk(0, 100, 100);
    for (uint32_t attempt = 0; attempt < wait.attempts; ++attempt) {
      port_.ExpectRead(32, 2000, Status(1, 0)).Fails().Takes(wait.takesMs);
      port_.ExpectProgress(100);
    }
    port_.ExpectEnd();
    EXPECT_EQ(TR_TIMEOUT, Run(10000));
  }

  // A late block that does come lets the transfer go on.
  ExpectOpening(100);
  ExpectChunk(0, 100, 100);
  port_.ExpectRead(32, 2000, Status(1, 0)).Fails().Takes(2000);
  port_.ExpectProgress(100);
  ExpectNextStatus(Status(1, 0), 100);
  port_.ExpectEnd();
  port_.ExpectProgress(100);
  EXPECT_EQ(TR_OK, Run(10000));

  // A short block while waiting counts as a time-out.
  ExpectOpening(100);
  ExpectChunk(0, 100, 100);
  ExpectNextStatus(Status(1, 0), 100).Moves(20);
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Run(10000));

  // A cancel while waiting, whose stop word fails.
  ExpectOpening(100);
  ExpectChunk(0, 100, 100);
  port_.ExpectRead(32, 2000, Status(1, 0)).Fails().Takes(2000);
  port_.ExpectProgress(100).Fails();
  ExpectStopWord().Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Run(10000));
}

// 10000 ms, first block at 4000 ms: the exchange gives up once 6000 ms have
// passed since the start.
TEST_F(SendFileTest, TheTimeLimitInTheChunkLoop) {
  payload_ = Pattern(400);
  // Past the limit in the chunk loop: no stop word is written.
  ExpectOpening(400).Takes(4000);
  ExpectChunk(0, 200, 50).Takes(2001);
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Run(10000));

  // At the limit a chunk still goes; past it at the end of the allowance the
  // stop word follows.
  ExpectOpening(400).Takes(4000);
  ExpectChunk(0, 200, 50).Takes(2000);
  ExpectChunk(200, 200, 100).Takes(1);
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Run(10000));

  // At the limit no wait for a status block begins.
  ExpectOpening(400).Takes(4000);
  ExpectChunk(0, 200, 50);
  ExpectChunk(200, 200, 100).Takes(2000);
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Run(10000));

  // The limit holds across the tick wrap.
  payload_ = Pattern(100);
  clock_.nowMs = 0xFFFFFF00u;
  ExpectOpening(100).Takes(0x200);                            // the tick wraps; R = 10000 - 512
  ExpectChunk(0, 100, 100).Takes(10000 - 0x200 - 0x200 + 1);  // 1 ms past R
  ExpectStopWord();
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Run(10000));
}

// A printer that takes whatever it is sent, for a payload too large to script.
class TakesEverything : public portio::PortIo {
 public:
  bool Open(const char*, void*) override { return true; }
  bool Write(const void*, uint32_t count, uint32_t* written, uint32_t) override {
    *written = count;
    return true;
  }
  bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t) override {
    const Bytes block = Status(1, 0xFFFFFFFFu);
    std::copy(block.begin(), block.begin() + count, static_cast<uint8_t*>(buffer));
    *read = count;
    return true;
  }
  void Purge() override {}
  bool BeginTransfer(const char*, uint32_t, uint32_t) override { return true; }
  void EndTransfer() override {}
};

std::vector<int32_t> percentages;

int32_t OSTRAND_CALL KeepPercentage(int32_t percent) {
  percentages.push_back(percent);
  return 1;
}

// Above 42949672 bytes, count x 100 no longer fits in 32 bits.
TEST(LargeSendTest, PercentageNeverExceeds100AndReaches100OnlyWithTheLastChunk) {
  FakeClock clock;
  TakesEverything port;
  ostrand::TransferLibrary library(port, clock);
  ASSERT_EQ(TR_OK, library.InitPrinter("Large", nullptr));
  const uint32_t size = 42949673;  // 214748 chunks of 200 bytes and one of 73
  const std::vector<uint8_t> payload(size);
  std::array<uint8_t, 64> header{};
  std::array<uint8_t, 32> status{};
  percentages.clear();
  EXPECT_EQ(TR_OK, library.SendFile(header.data(), payload.data(), &size, status.data(), 500000,
                                    KeepPercentage));

  // The first pass, one report per chunk, the status read, Finish.
  ASSERT_EQ(1u + 214749u + 1u + 1u, percentages.size());
  EXPECT_TRUE(std::is_sorted(percentages.begin(), percentages.end()));
  EXPECT_EQ(99, percentages[214748]);  // after the last chunk but one
  EXPECT_EQ(100, percentages[214749]);
  EXPECT_EQ(100, percentages.back());
}

using ReceiveFileTest = TransferTest;

TEST_F(ReceiveFileTest, TheStatusReadWaitsUpToTheLimitWhichStaysFixed) {
  sending_ = false;
  payload_ = Pattern(300);
  ExpectOpening(0).Takes(1000);  // R = 9000
  ExpectNextStatus(Status(1, 100), 0, 9000);
  port_.ExpectProgress(0);
  ExpectChunk(0, 100, 33).Takes(500);
  ExpectNextStatus(Status(1, 200, 3), 33, 9000);  // still 9000, though less is left
  port_.ExpectProgress(33);
  ExpectChunk(100, 200, 100);
  ExpectNextStatus(Status(1, 0, 4), 100, 9000);
  port_.ExpectProgress(100);  // Finish; the transfer ends there
  port_.ExpectEnd();
  EXPECT_EQ(TR_OK, Run(10000));
  EXPECT_EQ(payload_, received_);
  EXPECT_EQ(Status(1, 0, 4), LastStatus());

  // That one read failing ends the call: no second attempt.
  ExpectOpening(100);
  ExpectChunk(0, 100, 33);
  ExpectNextStatus(Status(1, 100), 33).Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_READ_FAILED, Run());
}

TEST_F(ReceiveFileTest, RunningOutOfTimeAbortsAroundTheFirstStatusAndStopsThePrinterLater) {
  sending_ = false;
  // After the header, and after the first status block: the initialise
  // command, with the caller's whole time-out.
  ExpectStart();
  port_.ExpectProgress(0);
  ExpectHeader().Takes(5000);
  port_.ExpectWrite(Frame('I'), 5000);
  port_.ExpectEnd();
  EXPECT_EQ(TR_TIMEOUT, Run(5000));

  ExpectOpening(450).Takes(5000);
  port_.ExpectWrite(Frame('I'), 5000).Fails();
  port_.ExpectEnd();
  EXPECT_EQ(TR_WRITE_FAILED, Run(5000));

  // 10000 ms, first block at 4000: R = 6000. Past it in the chunk loop, and
  // once the allowance is used up, the stop word goes first; if it fails, 3.
  const struct {
    uint32_t acceptCount;
    bool stopFails;
  } pasts[] = {{450, false}, {200, true}};
  for (const auto& past : pasts) {
    SCOPED_TRACE(past.acceptCount);
    ExpectOpening(past.acceptCount).Takes(4000);
    ExpectChunk(0, 200, 44).Takes(2001);
    ExpectStopWord().answer = !past.stopFails;
    port_.ExpectEnd();
    EXPECT_EQ(past.stopFails ? TR_WRITE_FAILED : TR_TIMEOUT, Run(10000));
  }
}

}  // namespace
}  // namespace ostrand_test
