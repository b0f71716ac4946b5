#include "core/program_path.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "startup_fakes.h"

namespace vexlow::testing {
namespace {

// The directory ends at the last separator of any kind, the title is the name
// without its last extension; neither ever takes the trail byte of a
// double-byte character (0x83 0x5C is one katakana in code page 932) for a
// separator.
TEST(ProgramPathTest, DirectoryAndTitleSplitAtWholeCharacters) {
  struct Case {
    std::string path, directory, title;
    bool available = true;  // an unavailable or empty path gives nothing
  };
  const Case cases[] = {
      {"C:\\Tools\\Vexlow.exe", "", "", false},
      {"", "", ""},
      {"C:/Tools/sub\\Vexlow.tool.exe", "C:/Tools/sub", "Vexlow.tool"},
      {"C:Vexlow.exe", "C", "Vexlow"},
      {"\\\\server\\share\\Vexlow.exe", "\\\\server\\share", "Vexlow"},
      {"Vexlow.exe", "", "Vexlow"},
      {"C:\\a.b\\Vexlow", "C:\\a.b", "Vexlow"},
      {"C:\\Tools\\\x83\x5C\\Vexlow.exe", "C:\\Tools\\\x83\x5C", "Vexlow"},
      {"C:\\\x83\x5C.exe", "C:", "\x83\x5C"},
      {"\x83\x5C\x83\x5C.exe", "", "\x83\x5C\x83\x5C"},
      {"\x83\x83.exe", "", "\x83\x83"},  // a lead byte as the trail byte
      {"C:\\x\x83", "C:", "x\x83"},      // a lead byte at the very end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    FakeLocation location;
    location.path = c.path;
    location.available = c.available;
    std::string directory = "|rest";  // the directory goes in front
    const bool found = c.available && !c.path.empty();
    EXPECT_EQ(GetProgramDirectory(location, directory), found);
    EXPECT_EQ(directory, found ? c.directory + "|rest" : "|rest");
    EXPECT_EQ(ExecutableTitle(location), c.title);
  }
}

// A path longer than the first buffer is read whole, never cut into another
// folder's name.
TEST(ReadWholePathTest, GrowsTheBufferUntilThePathFits) {
  const std::string longPath = "C:\\" + std::string(300, 'd') + "\\Vexlow.exe";
  int calls = 0;
  const auto copyLikeTheSystem = [&](char* buffer, std::size_t size) {
    ++calls;
    const std::size_t length = std::min(longPath.size(), size);
    longPath.copy(buffer, length);
    return length;
  };
  std::string path;
  ASSERT_TRUE(ReadWholePath(copyLikeTheSystem, path));
  EXPECT_EQ(path, longPath);
  EXPECT_EQ(calls, 2);

  EXPECT_FALSE(ReadWholePath([](char*, std::size_t) -> std::size_t { return 0; }, path));
  EXPECT_FALSE(ReadWholePath([](char*, std::size_t size) { return size; }, path));
  EXPECT_EQ(path, longPath);
}

}  // namespace
}  // namespace vexlow::testing
