// The folder store: what another process reads back, and that replacing and
// removing keep the list order.
#include <gtest/gtest.h>

#include <filesystem>

#include "virtual_printer/core/folder_file_store.h"

namespace vp {
namespace {

namespace fs = std::filesystem;

FileEntry EntryTagged(uint8_t tag) {
  FileEntry e{};
  e[0] = 0x90;
  e[1] = 0x40;
  e[40] = tag;
  return e;
}

class FolderFileStoreTest : public testing::Test {
 public:
  void SetUp() override {
    folder_ = fs::path(testing::TempDir()) / "vp-folder-store-test" / "state";
    fs::remove_all(folder_.parent_path());
  }
  void TearDown() override { fs::remove_all(folder_.parent_path()); }
  fs::path folder_;
};

TEST_F(FolderFileStoreTest, ASecondStoreOnTheSameFolderSeesTheFiles) {
  FolderFileStore writer(folder_.string());
  ASSERT_TRUE(writer.Prepare()) << "creates missing folders";
  ASSERT_TRUE(writer.Store(EntryTagged(1), {1, 2, 3}));
  ASSERT_TRUE(writer.Store(EntryTagged(2), {4, 5}));
  ASSERT_TRUE(writer.Store(EntryTagged(1), {9, 9, 9, 9}));  // replaces in place

  FolderFileStore reader(folder_.string());
  std::vector<StoredFile> files = reader.Files();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].entry, EntryTagged(1));
  EXPECT_EQ(files[0].payloadSize, 4u);
  EXPECT_EQ(files[1].entry, EntryTagged(2));
  std::vector<uint8_t> payload;
  ASSERT_TRUE(reader.Load(EntryTagged(1), &payload));
  EXPECT_EQ(payload, (std::vector<uint8_t>{9, 9, 9, 9}));
  EXPECT_EQ(reader.BytesHeldExcept(EntryTagged(2)), 4u);

  EXPECT_TRUE(reader.Remove(EntryTagged(1)));
  EXPECT_FALSE(reader.Remove(EntryTagged(1)));
  EXPECT_FALSE(writer.Load(EntryTagged(1), &payload));
  ASSERT_TRUE(writer.Store(EntryTagged(3), {7}));
  files = writer.Files();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[1].entry, EntryTagged(3)) << "a new file goes after the last one";

  // Stray and unfinished files are not listed.
  for (const char* name : {"file-00000009.vpf.part", "notes.txt", "file-00000008.vpf"}) {
    std::FILE* f = std::fopen((folder_ / name).string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("shorter than an entry", f);
    std::fclose(f);
  }
  EXPECT_EQ(reader.Files().size(), 2u);
}

}  // namespace
}  // namespace vp
