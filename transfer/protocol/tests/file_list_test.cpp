// The file list's two calls and deleting a file.
#include <array>
#include <cstdint>

#include "protocol_fixture.h"

namespace ostrand_test {
namespace {

class FileListTest : public ProtocolTest {
 protected:
  void SetUp() override { OpenPrinter(); }
  const Bytes kListRequest{0x1B, 0x69, 0x46, 0x4C, 0x00};
};

TEST_F(FileListTest, CountCallDeliversTheCountWithCodeSixAndLeavesItAloneOnFailure) {
  uint32_t count = 0xFFFFFFFFu;
  // The start tick comes first: purge and write count against the budget.
  port_.ExpectPurge().Takes(500);
  port_.ExpectWrite(kListRequest, 3000).Takes(1000);
  port_.ExpectRead(2, 1500, {0x03, 0x02});
  EXPECT_EQ(TR_FILE_COUNT, library_.GetFileList(nullptr, &count, 3000));
  EXPECT_EQ(0x0203u, count);  // all 32 bits written

  count = 99;
  port_.ExpectPurge();
  port_.ExpectWrite(kListRequest, 3000).Moves(4);
  EXPECT_EQ(TR_WRITE_FAILED, library_.GetFileList(nullptr, &count, 3000));
  port_.ExpectPurge();
  port_.ExpectWrite(kListRequest, 3000).Takes(3000);
  EXPECT_EQ(TR_TIMEOUT, library_.GetFileList(nullptr, &count, 3000));
  port_.ExpectPurge();
  port_.ExpectWrite(kListRequest, 3000);
  port_.ExpectRead(2, 3000, {0x05});
  EXPECT_EQ(TR_READ_FAILED, library_.GetFileList(nullptr, &count, 3000));
  EXPECT_EQ(99u, count);
}

TEST_F(FileListTest, BufferCallReadsTheLow16BitsOfTheCountInEntriesWithoutPurgeOrCommand) {
  std::array<uint8_t, 128> list{};
  const Bytes entries = Pattern(128);
  uint32_t count = 0x10002u;
  port_.ExpectRead(128, 3000, entries);
  EXPECT_EQ(TR_OK, library_.GetFileList(list.data(), &count, 3000));
  EXPECT_EQ(entries, Bytes(list.begin(), list.end()));

  port_.ExpectRead(128, 3000, Slice(entries, 0, 127));
  EXPECT_EQ(TR_READ_FAILED, library_.GetFileList(list.data(), &count, 3000));

  count = 0x10000u;
  port_.ExpectRead(0, 3000, {});
  EXPECT_EQ(TR_OK, library_.GetFileList(list.data(), &count, 3000));
}

TEST_F(FileListTest, DeleteWritesFrameAndEntryInOneWriteAndReadsTheVerdict) {
  const Bytes entry = Pattern(64, 9);
  Bytes request = Frame('R');
  request.insert(request.end(), entry.begin(), entry.end());
  // The budget starts after the purge.
  port_.ExpectPurge().Takes(500);
  port_.ExpectWrite(request, 2000).Takes(400);
  port_.ExpectRead(32, 1600, Status(1, 0));
  EXPECT_EQ(TR_OK, library_.DeleteFile(entry.data(), 2000));

  port_.ExpectPurge();
  port_.ExpectWrite(request, 2000);
  port_.ExpectRead(32, 2000, Status(2, 0));
  EXPECT_EQ(TR_REJECTED, library_.DeleteFile(entry.data(), 2000));

  port_.ExpectPurge();
  port_.ExpectWrite(request, 2000).Moves(67);
  EXPECT_EQ(TR_WRITE_FAILED, library_.DeleteFile(entry.data(), 2000));
  port_.ExpectPurge();
  port_.ExpectWrite(request, 2000).Takes(2500);
  EXPECT_EQ(TR_TIMEOUT, library_.DeleteFile(entry.data(), 2000));
  port_.ExpectPurge();
  port_.ExpectWrite(request, 2000);
  port_.ExpectRead(32, 2000, Status(1, 0)).Fails();
  EXPECT_EQ(TR_READ_FAILED, library_.DeleteFile(entry.data(), 2000));
}

}  // namespace
}  // namespace ostrand_test
