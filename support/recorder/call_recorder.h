// Writes each port call to the recording as it happens. The recording never
// changes or stops the calls: when it cannot be written the sink is told once
// and the calls go on unrecorded.
#ifndef SUPPORT_RECORDER_CALL_RECORDER_H
#define SUPPORT_RECORDER_CALL_RECORDER_H

#include <string>
#include <string_view>

#include "support/recording/recorded_call.h"

namespace support {

class RecordingSink {
 public:
  virtual ~RecordingSink() = default;
  // Appends text to the recording; false when it could not be written.
  virtual bool Append(std::string_view text) = 0;
  // Says, where someone may see it, that the recording fails.
  virtual void Complain(const std::string& problem) = 0;
};

class CallRecorder {
 public:
  explicit CallRecorder(RecordingSink& sink) : sink_(sink) {}

  // The header and a comment line for each note ("# ..."), before the calls.
  void Start(std::string_view note);
  // Numbers the call and appends its line.
  void Record(RecordedCall& call);
  // A comment line between calls.
  void Note(std::string_view note);

 private:
  void Append(const std::string& text);

  RecordingSink& sink_;
  uint64_t next_ = 1;
  bool failed_ = false;
};

}  // namespace support

#endif  // SUPPORT_RECORDER_CALL_RECORDER_H
