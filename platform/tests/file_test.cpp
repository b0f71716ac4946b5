#include "platform/file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace platform {
namespace {

TEST(FileTest, ReadsAndSeeksPast2GiBAndFailsHarmlesslyWhenClosed) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "platform_file_test.bin").string();
  std::ofstream(path, std::ios::binary) << "0123456789";
  File file;
  char buffer[4] = {};
  EXPECT_FALSE(file.Open(path + ".missing"));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Read(buffer, 4), 0u);
  EXPECT_EQ(file.Seek(0, File::Origin::Begin), -1);
  ASSERT_TRUE(file.Open(path));
  EXPECT_EQ(file.Read(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  EXPECT_EQ(file.Seek(-3, File::Origin::End), 7);
  EXPECT_EQ(file.Read(buffer, 4), 3u);
  EXPECT_EQ(std::string(buffer, 3), "789");
  EXPECT_EQ(file.Read(buffer, 4), 0u);
  EXPECT_EQ(file.Seek(1, File::Origin::Begin), 1);
  EXPECT_EQ(file.Seek(2, File::Origin::Current), 3);
  EXPECT_EQ(file.Seek(-1, File::Origin::Begin), -1);
  file.Close();
  EXPECT_EQ(file.Read(buffer, 4), 0u);

  // A package may reach 2 GiB: its length must not wrap through a 32-bit position.
  constexpr int64_t kLength = 0x80000000LL + 10;
  std::filesystem::resize_file(path, kLength);  // sparse where the file system allows
  ASSERT_TRUE(file.Open(path));
  EXPECT_EQ(file.Seek(0, File::Origin::End), kLength);
  EXPECT_EQ(file.Seek(-4, File::Origin::Current), kLength - 4);
  EXPECT_EQ(file.Read(buffer, 4), 4u);
  EXPECT_EQ(file.Seek(2, File::Origin::Begin), 2);
  EXPECT_EQ(file.Read(buffer, 1), 1u);
  EXPECT_EQ(buffer[0], '2');
  file.Close();
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace platform
