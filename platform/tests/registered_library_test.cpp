#include "platform/registered_library.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/fake_library_loader.h"

namespace platform {
namespace {

using testing::FakeLibraryLoader;

void Marker() {}

// Libraries named info.dll in three folders and a full path, each telling by
// its one export where it lies; one more in the current folder alone and one
// beside the program alone.
void ProvideLibraries(FakeLibraryLoader& loader) {
  const auto at = [&](const std::string& folder, const char* name, const char* where) {
    loader.Provide(folder + "\\" + name, {{where, &Marker}});
  };
  at(FakeLibraryLoader::kProgramFolder, "info.dll", "program");
  at(FakeLibraryLoader::kSystemFolder, "info.dll", "system");
  at(FakeLibraryLoader::kCurrentFolder, "info.dll", "current");
  at(std::string(FakeLibraryLoader::kCurrentFolder) + "\\Drivers", "info.dll", "current");
  at("C:\\Drivers", "info.dll", "registered");
  at(FakeLibraryLoader::kCurrentFolder, "planted.dll", "current");
  at(FakeLibraryLoader::kProgramFolder, "beside.dll", "program");
}

TEST(RegisteredLibraryTest, FullPathOrSystemFolderWithOrWithoutTheSearchFlags) {
  const struct {
    const char* name;
    const char* from;  // the export of the library loaded, or null for none
  } cases[] = {
      {"C:\\Drivers\\info.dll", "registered"},
      {"c:/drivers/INFO.DLL", "registered"},
      {"info.dll", "system"},
      {"planted.dll", nullptr},
      {"beside.dll", nullptr},
      {"Drivers\\info.dll", nullptr},
      {"C:info.dll", nullptr},
      {"\\Drivers\\info.dll", nullptr},
      {"C:\\Drivers\\missing.dll", nullptr},
      {"missing.dll", nullptr},
      {"", nullptr},
      {nullptr, nullptr},
  };
  for (const bool searchFlags : {true, false}) {
    for (const auto& c : cases) {
      const std::string what = std::string(c.name == nullptr ? "(null)" : c.name) +
                               (searchFlags ? "" : " without the search flags");
      FakeLibraryLoader loader;
      ProvideLibraries(loader);
      if (!searchFlags) {
        loader.LackSearchFlags();
      }
      const LibraryLoader::Handle library = LoadRegisteredLibrary(loader, c.name);
      ASSERT_EQ(c.from != nullptr, library != nullptr) << what;
      if (library != nullptr) {
        EXPECT_NE(loader.Resolve(library, c.from), nullptr) << what;
        loader.Free(library);
      }
      EXPECT_LE(loader.Loads().size(), searchFlags ? 1u : 2u) << what;
    }
  }
}

}  // namespace
}  // namespace platform
