#include "recorder_paths.h"

#include "platform/windows_path.h"

namespace support {

bool ResolveRecorderPath(std::string_view folder, std::string_view value, std::string* path,
                         std::string* error) {
  if (platform::IsAbsoluteWindowsPath(std::string(value).c_str())) {
    *path = std::string(value);
    return true;
  }
  const bool plainName = !value.empty() && value != "." && value != ".." &&
                         value.find_first_of("\\/:") == std::string_view::npos;
  if (!plainName) {
    // Appended piece by piece: GCC 12 warns wrongly about "literal" + std::string.
    error->assign(1, '\'');
    error->append(value);
    error->append("' is neither a file name in the recorder's folder nor an absolute path");
    return false;
  }
  *path = std::string(folder) + "\\" + std::string(value);
  return true;
}

}  // namespace support
