#include "core/program_path.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "startup_fakes.h"

namespace vexlow::testing {
namespace {

std::string DirectoryOf(const std::string& path) {
  FakeLocation location;
  location.path = path;
  std::string directory = "|rest";
  EXPECT_TRUE(GetProgramDirectory(location, directory));
  return directory.substr(0, directory.size() - 5);
}

TEST(GetProgramDirectoryTest, CutsAtTheLastSeparatorOfAnyKind) {
  EXPECT_EQ(DirectoryOf("C:\\Tools\\Vexlow.exe"), "C:\\Tools");
  EXPECT_EQ(DirectoryOf("C:/Tools/sub\\Vexlow.exe"), "C:/Tools/sub");
  EXPECT_EQ(DirectoryOf("C:Vexlow.exe"), "C");
  EXPECT_EQ(DirectoryOf("\\\\server\\share\\Vexlow.exe"), "\\\\server\\share");
  EXPECT_EQ(DirectoryOf("Vexlow.exe"), "");
}

TEST(GetProgramDirectoryTest, NeverTakesTheTrailByteOfADoubleByteCharacterForASeparator) {
  // 0x83 0x5C is one katakana character in code page 932.
  EXPECT_EQ(DirectoryOf("C:\\Tools\\\x83\x5C\\Vexlow.exe"), "C:\\Tools\\\x83\x5C");
  EXPECT_EQ(DirectoryOf("C:\\\x83\x5C"
                        "abc.exe"),
            "C:");
  EXPECT_EQ(DirectoryOf("\x83\x5C\x83\x5C.exe"), "");
  EXPECT_EQ(DirectoryOf("C:\\x\x83"), "C:");  // a lead byte at the very end
}

TEST(GetProgramDirectoryTest, UnavailableOrEmptyPathLeavesTheStringUnchanged) {
  FakeLocation location;
  std::string directory = "kept";
  location.available = false;
  EXPECT_FALSE(GetProgramDirectory(location, directory));
  location.available = true;
  location.path = "";
  EXPECT_FALSE(GetProgramDirectory(location, directory));
  EXPECT_EQ(directory, "kept");
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

TEST(ExecutableTitleTest, IsTheFileNameWithoutItsLastExtension) {
  FakeLocation location;
  EXPECT_EQ(ExecutableTitle(location), "Vexlow");
  location.path = "C:\\a.b\\Vexlow.tool.exe";
  EXPECT_EQ(ExecutableTitle(location), "Vexlow.tool");
  location.path = "C:\\a.b\\Vexlow";
  EXPECT_EQ(ExecutableTitle(location), "Vexlow");
  location.path = "C:\\\x83\x5C.exe";
  EXPECT_EQ(ExecutableTitle(location), "\x83\x5C");
  location.available = false;
  EXPECT_EQ(ExecutableTitle(location), "");
}

}  // namespace
}  // namespace vexlow::testing
