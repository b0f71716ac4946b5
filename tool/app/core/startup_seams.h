// The platform services that start-up needs, each behind a small interface so
// the start-up sequence runs the same against Windows and against test fakes.
// Texts shown to the user travel as UTF-8; file names, paths and ini values
// stay in the ANSI code page, as the platform's 8-bit functions give them.
#ifndef TOOL_APP_CORE_STARTUP_SEAMS_H
#define TOOL_APP_CORE_STARTUP_SEAMS_H

#include <cstddef>
#include <string>
#include <string_view>

namespace vexlow {

// How a modal dialog ended. Failed: the dialog could not be created.
enum class DialogResult { Ok, Cancel, Failed };

// What the printer-selection dialog is given: copies of the settings, all in
// the ANSI code page, and the full path of the package.
struct PrinterSelectSettings {
  std::string newVersion;
  std::string driverName;
  std::string kx7FileName;
  std::string packagePath;
};

// The dialogs start-up runs. Messages go through platform::MessageBoxes.
class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // Runs the warning dialog modally; machineName is in the ANSI code page.
  virtual DialogResult RunWarningDialog(const std::string& machineName) = 0;
  // Runs the printer-selection dialog modally, with no owner, as the
  // application's main window until its window is destroyed.
  virtual DialogResult RunPrinterSelectDialog(const PrinterSelectSettings& settings) = 0;
};

class FilePresence {
 public:
  virtual ~FilePresence() = default;
  // True when a directory entry of exactly this name exists (file or folder).
  virtual bool Exists(const std::string& path) = 0;
};

class ProfileReader {
 public:
  virtual ~ProfileReader() = default;
  // A value of an ini file with the platform's private-profile rules, read
  // into a buffer of `capacity` bytes: at most capacity - 1 characters come back.
  virtual std::string ReadString(const std::string& path, const char* section, const char* key,
                                 const char* defaultValue, std::size_t capacity) = 0;
};

class StringTable {
 public:
  virtual ~StringTable() = default;
  // The string resource of the user's language, or "" when there is none.
  virtual std::string Load(unsigned id) = 0;
};

class ProgramLocation {
 public:
  virtual ~ProgramLocation() = default;
  // The full path of the running executable; false when it cannot be had.
  virtual bool ModulePath(std::string& path) = 0;
  // Index of the character after the one at `pos`, stepping over both bytes of
  // a double-byte character of the ANSI code page; never past path.size().
  virtual std::size_t NextChar(std::string_view path, std::size_t pos) = 0;
};

class TextCodec {
 public:
  virtual ~TextCodec() = default;
  virtual std::string AnsiToUtf8(const std::string& ansi) = 0;
};

}  // namespace vexlow

#endif  // TOOL_APP_CORE_STARTUP_SEAMS_H
