// Splitting the executable's path into directory and name without ever
// examining the second byte of a double-byte character as a separator.
#ifndef TOOL_APP_CORE_PROGRAM_PATH_H
#define TOOL_APP_CORE_PROGRAM_PATH_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "startup_seams.h"

namespace vexlow {

// Position of the last '\\', '/' or ':' that starts a character of `path`,
// or 0 when there is none.
std::size_t DirectoryEnd(std::string_view path, ProgramLocation& location);

// Inserts the executable's directory (no trailing separator) at the front of
// `directory`; false, leaving it unchanged, when the path cannot be had.
bool GetProgramDirectory(ProgramLocation& location, std::string& directory);

// The executable's file name without its extension; "" when the path cannot be had.
std::string ExecutableTitle(ProgramLocation& location);

// Fills `path` with the whole of a path that `copy` hands out the way
// GetModuleFileNameA does: at most `size` characters into `buffer`, answering
// how many, and exactly `size` when it had to cut. The buffer grows until the
// path fits, since a path cut at a fixed size names another folder. False when
// `copy` answers 0, or still cuts at a size beyond the system's longest path.
bool ReadWholePath(const std::function<std::size_t(char* buffer, std::size_t size)>& copy,
                   std::string& path);

}  // namespace vexlow

#endif  // TOOL_APP_CORE_PROGRAM_PATH_H
