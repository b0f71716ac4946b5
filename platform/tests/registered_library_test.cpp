#include "platform/registered_library.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/fake_library_loader.h"

namespace platform {
namespace {

using testing::FakeLibraryLoader;

void Marker() {}

TEST(RegisteredLibraryTest, FullPathOrSystemFolderWithOrWithoutTheSearchFlags) {
  const std::string current = FakeLibraryLoader::kCurrentFolder;
  // Where each library lies, and the export that tells it apart.
  const char* const libraries[][2] = {
      {"A:\\Drivers\\info.dll", "registered"},
      {"C:\\Windows\\system32\\info.dll", "system"},
      {"C:\\Program Files\\Vexlow\\beside.dll", "program"},
  };
  const struct {
    const char* name;
    const char* from;  // the export of the library loaded, or null for none
  } cases[] = {
      {"A:\\Drivers\\info.dll", "registered"},
      {"a:/drivers/INFO.DLL", "registered"},
      {"info.dll", "system"},
      {"planted.dll", nullptr},
      {"beside.dll", nullptr},
      {"Drivers\\info.dll", nullptr},
      {"C:info.dll", nullptr},
      {"C:\\Drivers\\missing.dll", nullptr},
      {"", nullptr},
      {nullptr, nullptr},
  };
  for (const bool searchFlags : {true, false}) {
    for (const auto& c : cases) {
      const std::string what = std::string(c.name == nullptr ? "(null)" : c.name) +
                               (searchFlags ? "" : " without the search flags");
      FakeLibraryLoader loader;
      for (const auto& [path, where] : libraries) {
        loader.Provide(path, {{where, &Marker}});
      }
      loader.Provide(current + "\\planted.dll", {});
      loader.Provide(current + "\\Drivers\\info.dll", {});
      if (!searchFlags) {
        loader.LackSearchFlags();
      }
      const LibraryLoader::Handle library = LoadRegisteredLibrary(loader, c.name);
      ASSERT_EQ(c.from != nullptr, library != nullptr) << what;
      if (library != nullptr) {
        EXPECT_NE(loader.Resolve(library, c.from), nullptr) << what;
        loader.Free(library);
      }
    }
  }
}

}  // namespace
}  // namespace platform
