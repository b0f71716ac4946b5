#include "win32_startup_services.h"

#include <algorithm>
#include <vector>

#include "core/program_path.h"
#include "wide_text.h"

namespace vexlow::win {

bool Win32FilePresence::Exists(const std::string& path) {
  // A directory search would read '*' and '?' as wildcards and report some
  // other file; no file name holds them, so such a path names nothing.
  if (path.empty() || path.find_first_of("*?") != std::string::npos) {
    return false;
  }
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return false;
  }
  FindClose(search);
  return true;
}

std::string Win32ProfileReader::ReadString(const std::string& path, const char* section,
                                           const char* key, const char* defaultValue,
                                           std::size_t capacity) {
  if (capacity == 0) {
    return {};
  }
  std::vector<char> buffer(capacity, '\0');
  GetPrivateProfileStringA(section, key, defaultValue, buffer.data(), static_cast<DWORD>(capacity),
                           path.c_str());
  buffer.back() = '\0';
  return std::string(buffer.data());
}

std::string Win32StringTable::Load(unsigned id) {
  // With a length of 0 the loader hands out the resource text itself, which
  // has no length limit and is not zero-terminated.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(instance_, id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || text == nullptr) {
    return {};
  }
  return WideToUtf8(std::wstring_view(text, static_cast<std::size_t>(length)));
}

bool Win32ProgramLocation::ModulePath(std::string& path) {
  return ReadWholePath(
      [](char* buffer, std::size_t size) -> std::size_t {
        return GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
      },
      path);
}

std::size_t Win32ProgramLocation::NextChar(std::string_view path, std::size_t pos) {
  if (pos + 1 >= path.size()) {
    return path.size();
  }
  const char* next = CharNextA(path.data() + pos);
  const std::size_t step = static_cast<std::size_t>(next - (path.data() + pos));
  return step == 0 ? path.size() : std::min(pos + step, path.size());
}

std::string Win32TextCodec::AnsiToUtf8(const std::string& ansi) {
  return win::AnsiToUtf8(ansi);
}

}  // namespace vexlow::win
