// What the system's profile and file functions answer the start-up adapters.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "test_folder.h"
#include "win/win32_startup_services.h"

namespace vexlow::win::testing {
namespace {

TEST(Win32ProfileReaderTest, ReadsIntoTheGivenBufferSizeWithDefaults) {
  TestFolder folder;
  const std::string ini = folder.File("vexlow.ini");
  std::ofstream(ini) << "[UPDATE]\nMachineName=" << std::string(300, 'M')
                     << "\nDriverName=Skorvin VX-9\n";
  Win32ProfileReader reader;
  EXPECT_EQ(reader.ReadString(ini, "UPDATE", "MachineName", "", 260), std::string(259, 'M'));
  EXPECT_EQ(reader.ReadString(ini, "UPDATE", "DriverName", "", 260), "Skorvin VX-9");
  EXPECT_EQ(reader.ReadString(ini, "UPDATE", "Country", "", 260), "");
  EXPECT_EQ(reader.ReadString(ini, "OTHER", "DriverName", "none", 260), "none");
  EXPECT_EQ(reader.ReadString(ini, "UPDATE", "DriverName", "", 0), "");
}

TEST(Win32FilePresenceTest, FindsEntriesOfExactlyThatName) {
  TestFolder folder;
  std::ofstream(folder.File("update.kx7")) << "x";
  Win32FilePresence files;
  EXPECT_TRUE(files.Exists(folder.File("update.kx7")));
  EXPECT_TRUE(files.Exists(folder.Path()));  // any entry counts
  EXPECT_FALSE(files.Exists(folder.File("other.kx7")));
  EXPECT_FALSE(files.Exists(folder.File("*.kx7")));
  EXPECT_FALSE(files.Exists(folder.File("update.kx?")));
  EXPECT_FALSE(files.Exists(folder.Path() + "\\"));  // an empty package name
  EXPECT_FALSE(files.Exists(""));
}

}  // namespace
}  // namespace vexlow::win::testing
