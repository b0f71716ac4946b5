// The recorder's portable half: where its settings' files are, and a recording
// that cannot be written.
#include <gtest/gtest.h>

#include "support/recorder/call_recorder.h"
#include "support/recorder/recorder_paths.h"
#include "support/recording/recording_format.h"

namespace support {
namespace {

TEST(RecorderPaths, FileNamesComeFromTheRecordersFolderAndAbsolutePathsAsGiven) {
  const struct {
    const char* value;
    const char* path;  // null: refused
  } rows[] = {
      {"hobrel-maker.dll", "C:\\App\\hobrel-maker.dll"},
      {"C:\\Maker\\hobrel.dll", "C:\\Maker\\hobrel.dll"},
      {"d:/maker/hobrel.dll", "d:/maker/hobrel.dll"},
      {"\\\\server\\share\\hobrel.dll", "\\\\server\\share\\hobrel.dll"},
      {"", nullptr},
      {".", nullptr},
      {"..", nullptr},
      {"maker\\hobrel.dll", nullptr},
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
class FailingSink final : public RecordingSink {
 public:
  explicit FailingSink(int failAt) : failAt_(failAt) {}
  bool Append(std::string_view text) override {
    if (++appends_ >= failAt_) {
      return false;
    }
    text_ += text;
    return true;
  }
  void Complain(const std::string& problem) override { complaints_.push_back(problem); }

  int failAt_;
  int appends_ = 0;
  std::string text_;
  std::vector<std::string> complaints_;
};

TEST(CallRecorder, RecordsCallsInOrderAndSaysOnceWhenTheRecordingFails) {
  for (int failAt : {1, 4, 100}) {
    FailingSink sink(failAt);
    CallRecorder recorder(sink);
    recorder.Start("the maker's library: C:\\App\\hobrel-maker.dll\r\nsecond line");
    RecordedCall purge;
    for (int i = 0; i < 5; ++i) {
      recorder.Record(purge);
    }
    EXPECT_EQ(purge.number, 5u) << "calls are numbered whether written or not";
    EXPECT_EQ(sink.complaints_.size(), failAt <= 7 ? 1u : 0u) << failAt;
    EXPECT_EQ(sink.appends_, std::min(failAt, 7)) << "nothing is tried after a failure";
    if (failAt == 100) {
      std::vector<RecordedCall> calls;
      std::string error;
      ASSERT_TRUE(ParseRecording(sink.text_, &calls, &error)) << error << sink.text_;
      EXPECT_EQ(calls.size(), 5u);
      EXPECT_NE(sink.text_.find("# the maker's library: C:\\App\\hobrel-maker.dll  second line\n"),
                std::string::npos);
    }
  }
}

}  // namespace
}  // namespace support
