#include "call_recorder.h"

#include "support/recording/recording_format.h"

namespace support {

void CallRecorder::Start(std::string_view note) {
  Append(std::string(kRecordingHeader) + "\n");
  Note(note);
}

void CallRecorder::Note(std::string_view note) {
  std::string line = "# ";
  for (char c : note) {
    line += c == '\n' || c == '\r' ? ' ' : c;
  }
  Append(line + "\n");
}

void CallRecorder::Record(RecordedCall& call) {
  call.number = next_++;
  Append(FormatCall(call));
}

void CallRecorder::Append(const std::string& text) {
  if (failed_) {
    return;
  }
  if (!sink_.Append(text)) {
    failed_ = true;
    sink_.Complain("the recording cannot be written; the calls go on unrecorded");
  }
}

}  // namespace support
