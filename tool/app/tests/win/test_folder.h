// A fresh folder under the temporary directory, removed with its files.
#ifndef TOOL_APP_TESTS_WIN_TEST_FOLDER_H
#define TOOL_APP_TESTS_WIN_TEST_FOLDER_H

#include <windows.h>

#include <filesystem>
#include <string>

namespace vexlow::win::testing {

class TestFolder {
 public:
  TestFolder() { std::filesystem::create_directories(path_); }
  ~TestFolder() { std::filesystem::remove_all(path_); }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  std::string Path() const { return path_.string(); }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("vexlow_app_" + std::to_string(GetCurrentProcessId()));
};

// The folder of the running test program.
inline std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

}  // namespace vexlow::win::testing

#endif  // TOOL_APP_TESTS_WIN_TEST_FOLDER_H
