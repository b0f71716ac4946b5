// Splitting the executable's path into directory and name without ever
// examining the second byte of a double-byte character as a separator.
#ifndef TOOL_APP_CORE_PROGRAM_PATH_H
#define TOOL_APP_CORE_PROGRAM_PATH_H

#include <cstddef>
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

// NextChar for code pages whose double-byte characters start with a byte that
// `isLeadByte` accepts; a lead byte at the very end counts as one character.
std::size_t StepWithLeadBytes(std::string_view path, std::size_t pos,
                              bool (*isLeadByte)(unsigned char));

}  // namespace vexlow

#endif  // TOOL_APP_CORE_PROGRAM_PATH_H
