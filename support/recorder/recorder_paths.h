// Where the recorder finds the files its settings name. A value is either a
// file name, taken from the recorder's own folder, or an absolute Windows path;
// anything else is refused, so the maker's library is never searched for and
// never taken from the current folder.
#ifndef SUPPORT_RECORDER_RECORDER_PATHS_H
#define SUPPORT_RECORDER_RECORDER_PATHS_H

#include <string>
#include <string_view>

namespace support {

// The settings file beside the recorder, and the recording when it names none.
inline constexpr const char* kRecorderSettingsName = "hobrel-recorder.ini";
inline constexpr const char* kDefaultRecordingName = "hobrel-recording.txt";

// value resolved against folder (the recorder's folder, without a trailing
// separator). False with *error when value is neither a plain file name nor an
// absolute path ("C:\x", "C:/x", "\\server\share\x").
bool ResolveRecorderPath(std::string_view folder, std::string_view value, std::string* path,
                         std::string* error);

}  // namespace support

#endif  // SUPPORT_RECORDER_RECORDER_PATHS_H
