// The start-up seams over the Windows API: file presence by directory search,
// ini values by the private-profile functions, the string table of the
// program's resources, the program's own path and the ANSI code page.
#ifndef TOOL_APP_WIN_WIN32_STARTUP_SERVICES_H
#define TOOL_APP_WIN_WIN32_STARTUP_SERVICES_H

#include <windows.h>

#include "core/startup_seams.h"

namespace vexlow::win {

class Win32FilePresence : public FilePresence {
 public:
  bool Exists(const std::string& path) override;
};

class Win32ProfileReader : public ProfileReader {
 public:
  std::string ReadString(const std::string& path, const char* section, const char* key,
                         const char* defaultValue, std::size_t capacity) override;
};

class Win32StringTable : public StringTable {
 public:
  explicit Win32StringTable(HINSTANCE instance) : instance_(instance) {}
  std::string Load(unsigned id) override;

 private:
  HINSTANCE instance_;
};

class Win32ProgramLocation : public ProgramLocation {
 public:
  bool ModulePath(std::string& path) override;
  std::size_t NextChar(std::string_view path, std::size_t pos) override;
};

class Win32TextCodec : public TextCodec {
 public:
  std::string AnsiToUtf8(const std::string& ansi) override;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_WIN32_STARTUP_SERVICES_H
