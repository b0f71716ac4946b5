// The virtual printer answering from a recording: every call gets what was
// recorded, and the first call that parts from it is said once, at its number.
#include <gtest/gtest.h>

#include <functional>

#include "support/recording/recording_format.h"
#include "virtual_printer/core/replay_port.h"
#include "virtual_printer/tests/sim_clock.h"

namespace vp {
namespace {

constexpr const char* kRecording = R"(hobrel recording 1
1 open@3 name="Customer's Printer" block=00000000000000000000 result=1 us=40
2 purge@6 result=0 us=3
3 write@4 count=4 timeout=2000 data=1B694653 result=1 written=4 us=50
4 read@5 count=32 timeout=2000 result=7 read=2 data=8120 us=1000
5 begin@7 name="Customer's Printer" reserved=0 timeout=2000 result=0 us=4
6 end@8 result=1 us=2
7 SKWriteFile name="Customer's Printer" reserved=0 count=4 timeout=10000 data=1B696101 result=1 written=3 us=30
8 SKReadFile name="Customer's Printer" reserved=0 count=4 timeout=10 result=0 read=0 data= us=10
)";

class ReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<support::RecordedCall> calls;
    std::string error;
    ASSERT_TRUE(support::ParseRecording(kRecording, &calls, &error)) << error;
    said_.clear();
    trace_.CaptureInMemory();
    port_ =
        std::make_unique<ReplayPort>(std::move(calls), trace_, clock_,
                                     [this](const std::string& said) { said_.push_back(said); });
  }

  vp_test::SimClock clock_;
  Trace trace_;
  std::unique_ptr<ReplayPort> port_;
  std::vector<std::string> said_;
};

TEST_F(ReplayTest, EveryCallGetsWhatWasRecordedAfterItsRecordedTime) {
  const uint64_t start = clock_.NowUs();
  uint8_t block[10] = {};
  // Another printer name and other time-outs replay all the same.
  EXPECT_EQ(port_->Open("Support's Printer", block), 1);
  EXPECT_EQ(port_->Purge(), 0);
  uint32_t moved = 99;
  const uint8_t status[] = {0x1B, 0x69, 0x46, 0x53};
  EXPECT_EQ(port_->Write(status, 4, &moved, 500), 1);
  EXPECT_EQ(moved, 4u);
  uint8_t reply[32] = {};
  EXPECT_EQ(port_->Read(reply, 32, &moved, 2000), 7);
  EXPECT_EQ(moved, 2u);
  EXPECT_EQ(reply[0], 0x81);
  EXPECT_EQ(reply[1], 0x20);
  EXPECT_EQ(reply[2], 0);
  EXPECT_EQ(port_->BeginTransfer("Support's Printer", 0, 2000), 0);
  EXPECT_EQ(port_->EndTransfer(), 1);
  const uint8_t mode[] = {0x1B, 0x69, 0x61, 0x01};
  EXPECT_EQ(port_->WriteByName("P", 0, mode, 4, &moved, 10000), 1);
  EXPECT_EQ(moved, 3u);
  EXPECT_EQ(port_->ReadByName("P", 0, reply, 4, &moved, 10), 0);
  EXPECT_EQ(moved, 0u);
  EXPECT_EQ(clock_.NowUs() - start, 40u + 3 + 50 + 1000 + 4 + 2 + 30 + 10);
  EXPECT_TRUE(said_.empty()) << said_[0];
  EXPECT_FALSE(port_->Parted());
  EXPECT_EQ(port_->Purge(), 0);
  ASSERT_EQ(said_.size(), 1u);
  EXPECT_EQ(said_[0],
            "replay parts from the recording at call 9 (a call after the last one recorded)\n"
            "  recorded: nothing\n  came:     9 purge@6");
}

TEST_F(ReplayTest, PartingIsSaidOnceAtItsCallAndEveryLaterCallFails) {
  const uint8_t status[] = {0x1B, 0x69, 0x46, 0x53};
  const uint8_t other[] = {0x1B, 0x69, 0x46, 0x54};
  uint32_t moved = 0;
  const struct {
    const char* name;
    int callsMatching;  // of the recording's first calls, made as recorded
    std::function<int32_t(ReplayPort&)> call;
    const char* said;
  } rows[] = {
      {"another call", 2, [](ReplayPort& p) { return p.EndTransfer(); },
       "at call 3 (another call)\n  recorded: 3 write@4 count=4 timeout=2000 data=1B694653\n"
       "  came:     3 end@8"},
      {"another count", 2, [&](ReplayPort& p) { return p.Write(status, 3, &moved, 2000); },
       "at call 3 (another count)"},
      {"one byte other", 2, [&](ReplayPort& p) { return p.Write(other, 4, &moved, 2000); },
       "at call 3 (other bytes written, from byte 3)\n  recorded: 3 write@4 count=4 timeout=2000 "
       "data=1B694653\n  came:     3 write@4 count=4 timeout=2000 data=1B694654"},
      {"a read of another count", 3, [&](ReplayPort& p) { return p.Read(nullptr, 2, &moved, 1); },
       "at call 4 (another count)"},
  };
  for (const auto& row : rows) {
    SetUp();
    port_->Open("P", nullptr);
    port_->Purge();
    if (row.callsMatching > 2) {
      port_->Write(status, 4, &moved, 2000);
    }
    ASSERT_TRUE(said_.empty()) << row.name << ": " << said_[0];
    moved = 99;
    EXPECT_EQ(row.call(*port_), 0) << row.name;
    EXPECT_EQ(port_->Write(status, 4, &moved, 2000), 0) << row.name << ": later calls fail";
    EXPECT_EQ(moved, 0u) << row.name;
    ASSERT_EQ(said_.size(), 1u) << row.name;
    EXPECT_NE(said_[0].find(std::string("replay parts from the recording ") + row.said),
              std::string::npos)
        << row.name << ":\n"
        << said_[0];
    EXPECT_NE(trace_.Captured().find("  ! replay parts from the recording"), std::string::npos);
  }
}

}  // namespace
}  // namespace vp
