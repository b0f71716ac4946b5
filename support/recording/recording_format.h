// The recording of a port I/O library's calls: a text file that a person can
// read, one line per call, written as the calls happen and loaded again to
// replay them. The format is described in support/README.md:
//
//   hobrel recording 1
//   # comment lines start with '#'
//   1 open@3 name="Label Printer" block=00000000000000000000 result=1 us=41
//   2 purge@6 result=1 us=3
//   3 write@4 count=4 timeout=2000 data=1B694653 result=1 written=4 us=52
//   4 read@5 count=32 timeout=2000 result=1 read=32 data=812042... us=1210
//
// A recording comes from a customer's PC: the reader takes any text and
// either gives every call, each consistent in itself, or says which line is
// wrong and why.
#ifndef SUPPORT_RECORDING_RECORDING_FORMAT_H
#define SUPPORT_RECORDING_RECORDING_FORMAT_H

#include <string>
#include <string_view>
#include <vector>

#include "recorded_call.h"

namespace support {

// The first line of every recording.
inline constexpr std::string_view kRecordingHeader = "hobrel recording 1";

// Files above this size are not read: no update makes one.
inline constexpr size_t kMaxRecordingBytes = 256u << 20;

// The call as one line of a recording, with its newline.
std::string FormatCall(const RecordedCall& call);

// The call's number, word and arguments: its line up to what the library answered.
std::string FormatArguments(const RecordedCall& call);

// Every call of the text, numbered 1, 2, 3... False with *error ("line N:
// ...") at the first line that is not a call of the format.
bool ParseRecording(std::string_view text, std::vector<RecordedCall>* calls, std::string* error);

// Reads and parses the file at path; *error names the file when it fails.
bool LoadRecordingFile(const std::string& path, std::vector<RecordedCall>* calls,
                       std::string* error);

}  // namespace support

#endif  // SUPPORT_RECORDING_RECORDING_FORMAT_H
