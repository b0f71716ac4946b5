// The recording format: every kind of call written and read back as it was,
// and hostile text refused at the line that is wrong.
#include <gtest/gtest.h>

#include "support/recording/recording_format.h"

namespace support {
namespace {

std::string Header() {
  return std::string(kRecordingHeader) + "\n";
}

TEST(RecordingFormat, EveryCallReadsBackAsWritten) {
  // clang-format off
  const std::vector<RecordedCall> calls = {
      {1, PortCall::kOpen, "Label \"A\" \\ \x7F\x83\x76", std::vector<uint8_t>(10, 0), 0, 0, 0, {}, 1, 0, 41},
      {2, PortCall::kOpen, std::nullopt, std::nullopt, 0, 0, 0, {}, 0, 0, 0},
      {3, PortCall::kPurge, {}, {}, 0, 0, 0, {}, 1, 0, 3},
      {4, PortCall::kWrite, {}, {}, 0, 4, 2000, {0x1B, 0x69, 0x46, 0x53}, 1, 4, 52},
      // A short read, and a library that claims more than was asked.
      {5, PortCall::kRead, {}, {}, 0, 32, 2000, {0x81, 0x20}, 0, 2, 2000000},
      {6, PortCall::kRead, {}, {}, 0, 2, 10, {1, 2}, -7, 0xFFFFFFFF, 0},
      {7, PortCall::kBeginTransfer, "P", {}, 0, 0, 2000, {}, 1, 0, 4},
      {8, PortCall::kEndTransfer, {}, {}, 0, 0, 0, {}, -2147483647 - 1, 0, 2},
      {9, PortCall::kWriteByName, "P", {}, 7, 4, 10000, {0x1B, 0x69, 0x61, 1}, 1, 4, 40},
      {10, PortCall::kReadByName, "", {}, 0, 4, 10, {}, 0, 0, 10},
  };
  // clang-format on
  std::string text = Header() + "# made by a test\n";
  for (const RecordedCall& call : calls) {
    text += FormatCall(call);
  }
  std::vector<RecordedCall> read;
  std::string error;
  ASSERT_TRUE(ParseRecording(text, &read, &error)) << error << "\n" << text;
  EXPECT_EQ(read, calls) << text;
  EXPECT_NE(text.find("name=\"Label \\\"A\\\" \\\\ \\x7F\\x83v\""), std::string::npos) << text;
}

TEST(RecordingFormat, HostileTextIsRefusedAtItsLine) {
  const std::string ok = "1 purge@6 result=1 us=3\n";
  const struct {
    std::string text;
    std::string error;
  } rows[] = {
      {"# only a comment\n", "not a recording: it is empty"},
      {"hobrel recording 2\n", "line 1: not a recording"},
      {Header() + "2 purge@6 result=1 us=3\n", "line 2: expected call number 1"},
      {Header() + ok + ok, "line 3: expected call number 2"},
      {Header() + "18446744073709551616 purge@6 result=1 us=3\n", "expected call number 1"},
      {Header() + "1 purge@9 result=1 us=3\n", "unknown call 'purge@9'"},
      {Header() + "1 purge@6 us=3 result=1\n", "expected result="},
      {Header() + "1 purge@6 result=1\n", "expected us="},
      {Header() + "1 purge@6 result=1 us=3 more\n", "unexpected text after us="},
      {Header() + "1 purge@6 result=2147483648 us=3\n", "result must be"},
      {Header() + "1 purge@6 result=-2147483649 us=3\n", "result must be"},
      {Header() + "1 purge@6 result=+1 us=3\n", "result must be"},
      {Header() + "1 purge@6 result=1 us=4294967296000\n", "us must be"},
      {Header() + "1 write@4 count=4294967296 timeout=1 data= result=1 written=0 us=1\n",
       "count must be"},
      {Header() + "1 write@4 count=2 timeout=1 data=1B6 result=1 written=2 us=1\n",
       "data must be bytes"},
      {Header() + "1 write@4 count=2 timeout=1 data=1BXX result=1 written=2 us=1\n",
       "data must be bytes"},
      {Header() + "1 write@4 count=3 timeout=1 data=1B69 result=1 written=3 us=1\n",
       "data must hold count bytes"},
      {Header() + "1 read@5 count=1 timeout=1 result=1 read=2 data=0102 us=1\n",
       "data must hold the bytes read"},
      {Header() + "1 read@5 count=4 timeout=1 result=1 read=4 data=01 us=1\n",
       "data must hold the bytes read"},
      {Header() + "1 open@3 name=\"A\" block=00 result=1 us=1\n", "block must be 10 bytes"},
      {Header() + "1 open@3 name=- block=" + std::string(22, '0') + " result=1 us=1\n",
       "block must be 10 bytes"},
      {Header() + "1 open@3 name=\"A block=-- result=1 us=1\n", "name is not a quoted"},
      {Header() + "1 open@3 name=\"A\\\" block=- result=1 us=1\n", "name is not a quoted"},
      {Header() + "1 open@3 name=\"\\x00\" block=- result=1 us=1\n", "name is not a quoted"},
      {Header() + "1 open@3 name=\"\\x4\" block=- result=1 us=1\n", "name is not a quoted"},
      {Header() + "1 open@3 name=\"\\q\" block=- result=1 us=1\n", "name is not a quoted"},
      {Header() + "1 open@3 name=\"\x1F\" block=- result=1 us=1\n", "name is not a quoted"},
      {Header() + "1 open@3 name=\"A\"x\n", "name is not a quoted"},
      {Header() + "1 open@3 name=\"" + std::string(260, 'a') + "\" block=- result=1 us=1\n",
       "name is not a quoted"},
      {Header() + "1 open@3 name=\"" + std::string(259, 'a') + "\" block=- result=1 us=1\n" +
           "2 open@3\n",
       "line 3: expected name="},
  };
  for (const auto& row : rows) {
    std::vector<RecordedCall> calls;
    std::string error;
    EXPECT_FALSE(ParseRecording(row.text, &calls, &error)) << row.text;
    EXPECT_NE(error.find(row.error), std::string::npos) << row.text << "\ngave: " << error;
    EXPECT_TRUE(calls.empty()) << row.text;
  }
}

}  // namespace
}  // namespace support
