#include "program_path.h"

namespace vexlow {

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/' || c == ':';
}

}  // namespace

std::size_t DirectoryEnd(std::string_view path, ProgramLocation& location) {
  std::size_t end = 0;
  for (std::size_t pos = 0; pos < path.size(); pos = location.NextChar(path, pos)) {
    if (IsSeparator(path[pos])) {
      end = pos;
    }
  }
  return end;
}

bool GetProgramDirectory(ProgramLocation& location, std::string& directory) {
  std::string path;
  if (!location.ModulePath(path) || path.empty()) {
    return false;
  }
  directory.insert(0, path, 0, DirectoryEnd(path, location));
  return true;
}

std::string ExecutableTitle(ProgramLocation& location) {
  std::string path;
  if (!location.ModulePath(path) || path.empty()) {
    return {};
  }
  std::size_t nameStart = DirectoryEnd(path, location);
  if (nameStart < path.size() && IsSeparator(path[nameStart])) {
    ++nameStart;
  }
  const std::string_view name = std::string_view(path).substr(nameStart);
  std::size_t dot = name.size();
  for (std::size_t pos = 0; pos < name.size(); pos = location.NextChar(name, pos)) {
    if (name[pos] == '.') {
      dot = pos;
    }
  }
  return std::string(name.substr(0, dot));
}

bool ReadWholePath(const std::function<std::size_t(char* buffer, std::size_t size)>& copy,
                   std::string& path) {
  // The longest path the system knows, with its terminating zero.
  constexpr std::size_t kLongestPath = 32768;
  std::string buffer(260, '\0');
  for (;;) {
    const std::size_t length = copy(buffer.data(), buffer.size());
    if (length == 0) {
      return false;
    }
    if (length < buffer.size()) {
      path.assign(buffer.data(), length);
      return true;
    }
    if (buffer.size() >= kLongestPath) {
      return false;
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace vexlow
