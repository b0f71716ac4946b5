// The recording and the recorder's portable half: every kind of call written
// and read back as it was, hostile text refused at the line that is wrong,
// where the recorder's settings' files are, and a recording that cannot be
// written.
#include <gtest/gtest.h>

#include "support/recorder/call_recorder.h"
#include "support/recorder/recorder_paths.h"
#include "support/recording/recording_format.h"

namespace support {
namespace {

TEST(RecordingFormat, EveryCallReadsBackAsWritten) {
  // clang-format off
  const std::vector<RecordedCall> calls = {
      {1, PortCall::kOpen, "Label \"A\" \\ \x7F\x83\x76", std::vector<uint8_t>(10, 0), 0, 0, 0, {}, 1, 0, 41},
      {2, PortCall::kOpen, std::nullopt, std::nullopt, 0, 0, 0, {}, 0, 0, 0},
      {3, PortCall::kWrite, {}, {}, 0, 4, 2000, {0x1B, 0x69, 0x46, 0x53}, 1, 4, 52},
      // A library that claims more than was asked.
      {4, PortCall::kRead, {}, {}, 0, 2, 10, {1, 2}, -2147483647 - 1, 0xFFFFFFFF, 0},
      {5, PortCall::kWriteByName, "P", {}, 7, 4, 10000, {0x1B, 0x69, 0x61, 1}, 1, 4, 40},
      {6, PortCall::kReadByName, "", {}, 0, 4, 10, {}, 0, 0, 10},
  };
  // clang-format on
  // The header line ends as a Windows editor ends it.
  std::string text = std::string(kRecordingHeader) + "\r\n# made by a test\n";
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
  const std::string h = std::string(kRecordingHeader) + "\n";
  const std::string ok = "1 purge@6 result=1 us=3\n";
  const struct {
    std::string text;
    std::string error;
  } rows[] = {
      {"# only a comment\n", "not a recording: it is empty"},
      {"hobrel recording 2\n", "line 1: not a recording"},
      {h + "2 purge@6 result=1 us=3\n", "line 2: expected call number 1"},
      {h + ok + ok, "line 3: expected call number 2"},
      {h + "1 purge@9 result=1 us=3\n", "unknown call 'purge@9'"},
      {h + "1 purge@6 result=1 us=3 more\n", "unexpected text after us="},
      {h + "1 purge@6 result=2147483648 us=3\n", "result must be"},
      {h + "1 purge@6 result=-2147483649 us=3\n", "result must be"},
      {h + "1 purge@6 result= us=3\n", "result must be"},
      {h + "1 purge@6 result=1 us=4294967296000\n", "us must be"},
      {h + "1 write@4 count=4294967296 timeout=1 data= result=1 written=0 us=1\n", "count must be"},
      {h + "1 write@4 count=2 timeout=1 data=1B6 result=1 written=2 us=1\n", "data must be bytes"},
      {h + "1 write@4 count=2 timeout=1 data=1BXX result=1 written=2 us=1\n", "data must be bytes"},
      {h + "1 write@4 count=3 timeout=1 data=1B69 result=1 written=3 us=1\n", "hold count"},
      {h + "1 read@5 count=1 timeout=1 result=1 read=2 data=0102 us=1\n", "bytes read"},
      {h + "1 read@5 count=4 timeout=1 result=1 read=4 data=01 us=1\n", "bytes read"},
      {h + "1 open@3 name=\"A\" block=00 result=1 us=1\n", "block must be 10 bytes"},
      {h + "1 open@3 name=- block=" + std::string(22, '0') + " result=1 us=1\n", "block must be"},
      {h + "1 open@3 name=\"A block=-- result=1 us=1\n", "name is not a quoted"},
      {h + "1 open@3 name=\"\\x00\" block=- result=1 us=1\n", "name is not a quoted"},
      {h + "1 open@3 name=\"\\x4G\" block=- result=1 us=1\n", "name is not a quoted"},
      {h + "1 open@3 name=\"\\q\" block=- result=1 us=1\n", "name is not a quoted"},
      {h + "1 open@3 name=\"\x1F\" block=- result=1 us=1\n", "name is not a quoted"},
      {h + "1 open@3 name=\"A\"x\n", "name is not a quoted"},
      {h + "1 open@3 name=\"" + std::string(260, 'a') + "\"\n", "name is not a quoted"},
      {h + "1 open@3 name=\"" + std::string(259, 'a') + "\" block=- result=1 us=1\n2 open@3\n",
       "line 3: expected name="},
  };
  for (const auto& row : rows) {
    std::vector<RecordedCall> calls;
    std::string error;
    EXPECT_FALSE(ParseRecording(row.text, &calls, &error)) << row.text;
    EXPECT_NE(error.find(row.error), std::string::npos) << row.text << "\ngave: " << error;
  }
}

TEST(RecorderPaths, FileNamesComeFromTheRecordersFolderAndAbsolutePathsAsGiven) {
  const struct {
    const char* value;
    const char* path;  // null: refused
  } rows[] = {
      {"hobrel-maker.dll", "C:\\App\\hobrel-maker.dll"},
      {"\\\\server\\share\\hobrel.dll", "\\\\server\\share\\hobrel.dll"},
      {"", nullptr},
      {".", nullptr},
      {"..", nullptr},
      {"maker/hobrel.dll", nullptr},
      {"\\hobrel.dll", nullptr},  // the current drive's root
      {"C:hobrel.dll", nullptr},  // the current folder of drive C
  };
  for (const auto& row : rows) {
    std::string path, error;
    const bool resolved = ResolveRecorderPath("C:\\App", row.value, &path, &error);
    EXPECT_EQ(resolved, row.path != nullptr) << row.value;
    if (row.path != nullptr) {
      EXPECT_EQ(path, row.path);
    } else {
      EXPECT_NE(error.find(row.value), std::string::npos) << error;
    }
  }
}

// A recording that fails at its nth append.
struct FailingSink final : RecordingSink {
  explicit FailingSink(int at) : failAt(at) {}
  bool Append(std::string_view text) override {
    if (++appends >= failAt) {
      return false;
    }
    written += text;
    return true;
  }
  void Complain(const std::string&) override { ++complaints; }

  int failAt, appends = 0, complaints = 0;
  std::string written;
};

TEST(CallRecorder, RecordsCallsInOrderAndSaysOnceWhenTheRecordingFails) {
  for (int failAt : {4, 100}) {
    FailingSink sink(failAt);
    CallRecorder recorder(sink);
    recorder.Start("the maker's library: C:\\App\\hobrel-maker.dll\r\nsecond line");
    RecordedCall purge;
    for (int i = 0; i < 5; ++i) {
      recorder.Record(purge);
    }
    EXPECT_EQ(purge.number, 5u) << "calls are numbered whether written or not";
    EXPECT_EQ(sink.complaints, failAt == 4 ? 1 : 0);
    EXPECT_EQ(sink.appends, std::min(failAt, 7)) << "nothing is tried after a failure";
    // What was written before the failure is a recording of its own.
    std::vector<RecordedCall> calls;
    std::string error;
    ASSERT_TRUE(ParseRecording(sink.written, &calls, &error)) << error << sink.written;
    EXPECT_EQ(calls.size(), failAt == 4 ? 1u : 5u);
    EXPECT_NE(sink.written.find("# the maker's library: C:\\App\\hobrel-maker.dll  second line\n"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace support
