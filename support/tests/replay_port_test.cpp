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

std::vector<support::RecordedCall> RecordedCalls() {
  std::vector<support::RecordedCall> calls;
  std::string error;
  EXPECT_TRUE(support::ParseRecording(kRecording, &calls, &error)) << error;
  return calls;
}

// A port replaying kRecording from its first call; what it says goes to said.
struct Replay {
  Replay() { trace.CaptureInMemory(); }

  vp_test::SimClock clock;
  Trace trace;
  std::vector<std::string> said;
  ReplayPort port{RecordedCalls(), trace, clock,
                  [this](const std::string& s) { said.push_back(s); }};
};

TEST(ReplayPort, EveryCallGetsWhatWasRecordedAfterItsRecordedTime) {
  Replay r;
  const uint64_t start = r.clock.NowUs();
  uint8_t block[10] = {};
  // Another printer name and other time-outs replay all the same.
  EXPECT_EQ(r.port.Open("Support's Printer", block), 1);
  EXPECT_EQ(r.port.Purge(), 0);
  uint32_t moved = 99;
  EXPECT_EQ(r.port.Write("\x1B\x69\x46\x53", 4, &moved, 500), 1);
  EXPECT_EQ(moved, 4u);
  uint8_t reply[32] = {};
  EXPECT_EQ(r.port.Read(reply, 32, &moved, 2000), 7);
  EXPECT_EQ(moved, 2u);
  EXPECT_EQ(std::vector<uint8_t>(reply, reply + 3), (std::vector<uint8_t>{0x81, 0x20, 0}));
  EXPECT_EQ(r.port.BeginTransfer("Support's Printer", 0, 2000), 0);
  EXPECT_EQ(r.port.EndTransfer(), 1);
  EXPECT_EQ(r.port.WriteByName("P", 0, "\x1B\x69\x61\x01", 4, &moved, 10000), 1);
  EXPECT_EQ(moved, 3u);
  EXPECT_EQ(r.port.ReadByName("P", 0, reply, 4, &moved, 10), 0);
  EXPECT_EQ(moved, 0u);
  EXPECT_EQ(r.clock.NowUs() - start, 40u + 3 + 50 + 1000 + 4 + 2 + 30 + 10);
  EXPECT_EQ(r.port.Purge(), 0);
  EXPECT_EQ(r.said.size(), 1u);
  EXPECT_NE(r.trace.Captured().find("  ! replay parts from the recording at call 9 (a call after "
                                    "the last one recorded)\n  ! recorded: nothing\n  ! came:     "
                                    "9 purge@6\n"),
            std::string::npos)
      << r.trace.Captured();
}

TEST(ReplayPort, PartingIsSaidOnceAtItsCallAndEveryLaterCallFails) {
  const char* status = "\x1B\x69\x46\x53";
  uint32_t moved = 0;
  const struct {
    int callsMatching;  // of the recording's first calls, made as recorded
    std::function<int32_t(ReplayPort&)> call;
    const char* said;
  } rows[] = {
      {2, [](ReplayPort& p) { return p.EndTransfer(); },
       "at call 3 (another call)\n  recorded: 3 write@4 count=4 timeout=2000 data=1B694653\n"
       "  came:     3 end@8"},
      {2, [&](ReplayPort& p) { return p.Write(status, 3, &moved, 2000); },
       "at call 3 (another count)"},
      {2, [&](ReplayPort& p) { return p.Write("\x1B\x69\x46\x54", 4, &moved, 2000); },
       "at call 3 (other bytes written, from byte 3)\n  recorded: 3 write@4 count=4 timeout=2000 "
       "data=1B694653\n  came:     3 write@4 count=4 timeout=2000 data=1B694654"},
      {3, [&](ReplayPort& p) { return p.Read(nullptr, 2, &moved, 1); },
       "at call 4 (another count)"},
  };
  for (const auto& row : rows) {
    Replay r;
    r.port.Open("P", nullptr);
    r.port.Purge();
    if (row.callsMatching > 2) {
      r.port.Write(status, 4, &moved, 2000);
    }
    moved = 99;
    EXPECT_EQ(row.call(r.port), 0) << row.said;
    EXPECT_EQ(r.port.Write(status, 4, &moved, 2000), 0) << row.said << ": later calls fail";
    EXPECT_EQ(moved, 0u) << row.said;
    ASSERT_EQ(r.said.size(), 1u) << row.said;
    EXPECT_NE(r.said[0].find(std::string("replay parts from the recording ") + row.said),
              std::string::npos)
        << r.said[0];
  }
}

}  // namespace
}  // namespace vp
