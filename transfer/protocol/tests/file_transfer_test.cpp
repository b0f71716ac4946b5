// Sending and receiving a file, each exchange scripted as the steps the
// printer sees and run as a send ("D") and as a receive ("U") where both apply.
#include <algorithm>
#include <array>
#include <cstdint>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "scripted_port.h"

namespace ostrand_test {
namespace {

class TransferTest : public ProtocolTest {
 protected:
  void SetUp() override { OpenPrinter(); }

  // Scripts an exchange in words, each standing for one or a few calls:
  //   start         purge, begin transfer, the command frame; or one of them:
  //                 purge, begin, cmd
  //   header        the 64-byte header written
  //   opening       start, a progress report of 0 %, the header
  //   pN            a progress report of N %
  //   blockC/A      a status block read with the port time-out, accepting C
  //                 bytes with acceptance byte A (1 unless given)
  //   nextC/A       the status block after a pass: a send reads it with the
  //                 port time-out, then reports the last percentage again; a
  //                 receive reads it once with the time limit R as its time-out
  //   lenN, stop    a length word of N, of 0
  //   chunkF/L      the length word L, then payload bytes [F, F + L) written or read
  //   init          the initialise command, with the call's time-out
  //   end           end transfer
  //   sizeN, inN    a payload of N bytes (450 unless given), a time-out of N ms
  //   tickN         the tick count now
  // A word's last call (for next: its read) can be changed: ! fails (a progress
  // report asks to cancel), ~N moves only N bytes, +N takes N ms; *N repeats the
  // word. R is the time-out less the time taken up to the first status block.
  void Script(const std::string& script) {
    static const std::regex kWord(
        R"(([a-z]+)(\w+)?(?:/(\d+))?(!)?(?:~(\d+))?(?:\+(\w+))?(?:\*(\d+))?)");
    std::istringstream words(script);
    for (std::string word; words >> word;) {
      std::smatch part;
      ASSERT_TRUE(std::regex_match(word, part, kWord)) << word;
      const auto number = [&part](int index, uint32_t none) {
        return part[index].matched ? static_cast<uint32_t>(std::stoul(part[index], nullptr, 0))
                                   : none;
      };
      const std::string name = part[1];
      const uint32_t first = number(2, 0), second = number(3, 1), takesMs = number(6, 0);
      if (uint32_t* const setting = name == "size"   ? &size_
                                    : name == "in"   ? &timeoutMs_
                                    : name == "tick" ? &port_.nowMs
                                                     : nullptr) {
        *setting = first;
        continue;
      }
      const bool fails = part[4].matched, cut = part[5].matched;
      for (uint32_t i = 0; i < number(7, 1); ++i) {
        Step& step = Expect(name, first, second).Takes(takesMs);
        if (fails) {
          step.Fails();
        }
        if (cut) {
          step.moved = number(5, 0);
        }
        elapsedMs_ += takesMs;
        if (name == "block" && !limitMs_) {
          limitMs_ = timeoutMs_ - elapsedMs_;
        }
        if ((name == "block" || name == "next") && !fails && !cut && second == 1) {
          expectedStatus_ = step.reply;  // accepted: handed to the caller
        }
      }
    }
  }

  Step& Expect(const std::string& name, uint32_t first, uint32_t second) {
    if (name == "start" || name == "opening") {
      Script(name == "start" ? "purge begin" : "start p0");
      return Expect(name == "start" ? "cmd" : "header", 0, 0);
    }
    if (name == "cmd" || name == "header") {
      return port_.ExpectWrite(name == "header" ? header_ : Frame(sending_ ? 'D' : 'U'), 2000);
    }
    if (name == "p") {
      percent_ = first;
      return port_.Expect("progress " + std::to_string(first));
    }
    if (name == "block" || name == "next") {
      const Bytes block = Status(static_cast<uint8_t>(second), first, ++tag_);
      if (name == "next" && !sending_) {
        return port_.ExpectRead(32, *limitMs_, block);
      }
      Step& read = port_.ExpectRead(32, 2000, block);
      if (name == "next") {
        port_.Expect("progress " + std::to_string(percent_));
      }
      return read;
    }
    if (name == "len" || name == "stop") {
      return port_.ExpectWrite(Le32(first), 2000);
    }
    if (name == "chunk") {
      port_.ExpectWrite(Le32(second), 2000);
      const Bytes chunk = Slice(Pattern(size_), first, second);
      return sending_ ? port_.ExpectWrite(chunk, 2000) : port_.ExpectRead(second, 2000, chunk);
    }
    if (name == "init") {
      return port_.ExpectWrite(Frame('I'), timeoutMs_);
    }
    EXPECT_TRUE(name == "end" || name == "purge" || name == "begin") << "no such word: " << name;
    return port_.Expect(name == "begin" ? std::string("begin ") + kPrinter + " 0 in 2000" : name);
  }

  // A send of Pattern(size_), or a receive into zeros.
  int32_t Run(TRProgressCallback progress = &ScriptedPort::Progress) {
    payload_ = sending_ ? Pattern(size_) : Bytes(size_, 0);
    return sending_ ? library_.SendFile(header_.data(), payload_.data(), &size_, status_.data(),
                                        timeoutMs_, progress)
                    : library_.ReceiveFile(header_.data(), payload_.data(), &size_, status_.data(),
                                           timeoutMs_, progress);
  }

  bool sending_ = true;
  uint32_t size_ = 450, timeoutMs_ = 500000;
  const Bytes header_ = Pattern(64, 0x40);
  Bytes payload_;
  std::array<uint8_t, 32> status_{};
  // What the script makes of the exchange.
  Bytes expectedStatus_ = Bytes(32, 0);
  std::optional<uint32_t> limitMs_;
  uint32_t elapsedMs_ = 0, percent_ = 0;
  uint8_t tag_ = 0;  // tells the status blocks apart
};

constexpr int32_t kNotRun = 99;  // the script is the other direction's alone

const struct Row {
  const char* script;
  int32_t sent, received;
} kRows[] = {
    // Chunks of at most 200 (or 1) follow the allowances and never pass what
    // is left; the last block ends the exchange whatever it allows. R stays fixed.
    {"in10000 opening block0+1000 next100 p0 chunk0/100+500 p22 next1000 p22 chunk100/200 p66 "
     "chunk300/150 p100 next5 p100 end",
     TR_OK, TR_OK},
    {"size1 opening block5 chunk0/1 p100 next5 p100 end", TR_OK, TR_OK},
    // Cancelled before the header (only the stop word follows) and after a chunk.
    {"start p0! stop end", TR_CANCELLED, TR_CANCELLED},
    {"opening block450 chunk0/200 p44! stop end", TR_CANCELLED, TR_CANCELLED},
    // An empty exchange would end before the header the printer waits for.
    {"size0", TR_REJECTED, TR_REJECTED},
    // Failed or short writes answer 3, reads 4; a refused begin (never ended) 5.
    {"purge begin!", TR_TIMEOUT, TR_TIMEOUT},
    {"start! end", TR_WRITE_FAILED, TR_WRITE_FAILED},
    {"opening~63 end", TR_WRITE_FAILED, TR_WRITE_FAILED},
    {"opening block450~31 end", TR_READ_FAILED, TR_READ_FAILED},
    {"opening block450 len200! end", TR_WRITE_FAILED, TR_WRITE_FAILED},
    {"opening block450 chunk0/200~199 end", TR_WRITE_FAILED, TR_READ_FAILED},
    // A rejection answers 7; the caller keeps the last accepted block.
    {"opening block450/0 end", TR_REJECTED, TR_REJECTED},
    {"opening block200 chunk0/200 p44 next200/2 end", TR_REJECTED, TR_REJECTED},
    // Ending short of the payload writes the stop word, except when the
    // command write took all the time (R = 0, not 1). With more than half gone, R
    // (400) is below the time elapsed (600): straight on to Finish.
    {"in1000 start+1000 end", TR_TIMEOUT, TR_TIMEOUT},
    {"in1000 start+999 p0 stop end", TR_TIMEOUT, TR_TIMEOUT},
    {"in1000 purge+5000 begin cmd+600 p0 stop end", TR_TIMEOUT, TR_TIMEOUT},
    // First block at 4000 ms: R = 6000, counted from the start. A status block
    // at the limit ends the passes.
    {"in10000 size400 opening block200+4000 chunk0/200 p50 next200+2000 p50 stop end", TR_TIMEOUT,
     TR_TIMEOUT},
    // Past R in the chunk loop a send gives up without a word, a receive stops
    // the printer; past it once the allowance is used up both stop it, and a
    // failed stop word answers 3. At R a chunk still goes.
    {"in10000 size400 opening block400+4000 chunk0/200+2001 p50 end", TR_TIMEOUT, kNotRun},
    {"in10000 size400 opening block400+4000 chunk0/200+2001 p50 stop end", kNotRun, TR_TIMEOUT},
    {"in10000 size400 opening block200+4000 chunk0/200+2001 p50 stop! end", TR_WRITE_FAILED,
     TR_WRITE_FAILED},
    {"in10000 size400 opening block400+4000 chunk0/200+2000 p50 chunk200/200+1 p100 stop end",
     TR_TIMEOUT, TR_TIMEOUT},
    // The limit holds across the tick wrap: R = 10000 - 0x200, then 1 ms past it.
    {"in10000 size100 tick0xFFFFFF00 opening block100+0x200 chunk0/100+8977 p100 stop end",
     TR_TIMEOUT, TR_TIMEOUT},
    // The printer takes or gives no more: a send has ended the transfer by
    // then, and not twice; a cancel at Finish still writes the stop word.
    {"size300 opening block100 chunk0/100 p33 next0 end p33 stop", TR_TIMEOUT, kNotRun},
    {"size300 opening block100 chunk0/100 p33 next0 end p33! stop", TR_CANCELLED, kNotRun},
    {"size300 opening block100 chunk0/100 p33 next0 p33 stop end", kNotRun, TR_TIMEOUT},
    {"size300 opening block100 chunk0/100 p33 next0 p33! stop end", kNotRun, TR_CANCELLED},
    // A send reads a late status block again every port time-out up to R
    // (9000: at 3000, 5000, 7000, 9000), or, over a port that fails at once, no
    // more than once per half a port time-out of the 8000 ms left. At R no
    // wait begins.
    {"in10000 size100 opening block100+1000 chunk0/100 p100 next!+2000*4 end", TR_TIMEOUT, kNotRun},
    {"in10000 size100 opening block100+1000 chunk0/100 p100 next!*9 end", TR_TIMEOUT, kNotRun},
    {"in10000 size400 opening block400+4000 chunk0/200 p50 chunk200/200+2000 p100 end", TR_TIMEOUT,
     kNotRun},
    // A late block that comes lets the send go on; a short one is a time-out; a
    // cancel while waiting whose stop word fails answers 3.
    {"size100 opening block100 chunk0/100 p100 next!+2000 next0 end p100", TR_OK, kNotRun},
    {"size100 opening block100 chunk0/100 p100 next0~20 end", TR_TIMEOUT, kNotRun},
    {"size100 opening block100 chunk0/100 p100 block!+2000 p100! stop! end", TR_WRITE_FAILED,
     kNotRun},
    // A receive reads the status block once: its failure ends the call.
    {"size300 opening block100 chunk0/100 p33 next100! end", kNotRun, TR_READ_FAILED},
    // Out of time after the header or the first status block, a receive
    // aborts with the initialise command and the caller's whole time-out.
    {"in5000 opening+5000 init end", kNotRun, TR_TIMEOUT},
    {"in5000 opening block450+5000 init! end", kNotRun, TR_WRITE_FAILED},
    {"in5000 opening+4999 block450 stop end", kNotRun, TR_TIMEOUT},  // 1 ms left: past R
};

// Each row once as a send and once as a receive, where the direction runs it.
std::vector<std::tuple<Row, bool>> Runs() {
  std::vector<std::tuple<Row, bool>> runs;
  for (const Row& row : kRows) {
    for (const bool sending : {true, false}) {
      if ((sending ? row.sent : row.received) != kNotRun) {
        runs.emplace_back(row, sending);
      }
    }
  }
  return runs;
}

class Scripts : public TransferTest, public ::testing::WithParamInterface<std::tuple<Row, bool>> {};

TEST_P(Scripts, EndWithTheirResultAndTheLastAcceptedBlock) {
  const auto& [row, sending] = GetParam();
  const int32_t expected = sending ? row.sent : row.received;
  SCOPED_TRACE(row.script);
  sending_ = sending;
  Script(row.script);
  EXPECT_EQ(expected, Run());
  EXPECT_EQ(expectedStatus_, Bytes(status_.begin(), status_.end()));
  if (expected == TR_OK) {
    EXPECT_EQ(Pattern(size_), payload_);  // received whole, or sent untouched
  }
}

INSTANTIATE_TEST_SUITE_P(SendAndReceive, Scripts, ::testing::ValuesIn(Runs()));

TEST_F(TransferTest, WithoutACallbackNobodyIsAsked) {
  Script("size10 start header block10 chunk0/10 block0 end");
  EXPECT_EQ(TR_OK, Run(nullptr));
}

// A printer that takes whatever it is sent, for a payload too large to script.
class TakesEverything : public portio::PortIo, public platform::TickClock {
 public:
  uint32_t NowMs() override { return 0; }
  bool Open(const char*, void*) override { return true; }
  bool Write(const void*, uint32_t count, uint32_t* written, uint32_t) override {
    *written = count;
    return true;
  }
  bool Read(void* buffer, uint32_t count, uint32_t* read, uint32_t) override {
    const Bytes block = Status(1, 0xFFFFFFFFu);
    std::copy_n(block.begin(), count, static_cast<uint8_t*>(buffer));
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
TEST(LargeSendTest, PercentageNeverFallsAndReaches100OnlyWithTheLastChunk) {
  TakesEverything port;
  ostrand::TransferLibrary library(port, port);
  ASSERT_EQ(TR_OK, library.InitPrinter("Large", nullptr));
  const uint32_t size = 42949673;  // 214748 chunks of 200 bytes and one of 73
  const std::vector<uint8_t> payload(size);
  std::array<uint8_t, 64> headerAndStatus{};
  EXPECT_EQ(TR_OK, library.SendFile(headerAndStatus.data(), payload.data(), &size,
                                    headerAndStatus.data(), 500000, KeepPercentage));
  // The first pass, one report per chunk, the status read, Finish.
  ASSERT_EQ(1u + 214749u + 1u + 1u, percentages.size());
  EXPECT_TRUE(std::is_sorted(percentages.begin(), percentages.end()));
  EXPECT_EQ(99, percentages[214748]);  // after the last chunk but one
  EXPECT_EQ(100, percentages[214749]);
}

}  // namespace
}  // namespace ostrand_test
