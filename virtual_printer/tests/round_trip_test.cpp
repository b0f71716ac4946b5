// Whole exchanges through Ostrand's protocol core against the virtual printer:
// what goes in comes back byte for byte, and only what was completed is kept.
#include <gtest/gtest.h>

#include <filesystem>

#include "virtual_printer/tests/host_fixture.h"

namespace vp_test {
namespace {

class RoundTripTest : public HostFixture {};

TEST_F(RoundTripTest, SendListReceiveDeleteAcrossChunkAndAcceptCountBoundaries) {
  for (uint32_t acceptCount : {4096u, 150u, 1u}) {
    for (uint32_t size : {1u, 199u, 200u, 201u, 450u, 4096u, 4097u, 10000u}) {
      if (acceptCount == 1 && size > 450) {
        continue;  // one byte per status block: the small sizes say it all
      }
      SCOPED_TRACE(testing::Message() << "accept count " << acceptCount << ", size " << size);
      config_.acceptCount = acceptCount;
      Connect();
      Package p = MakePackage(vp::kDefaultModelId, size);
      ASSERT_EQ(Send(p), TR_OK);
      EXPECT_EQ(status_[18], 1);
      EXPECT_EQ(Le32At(&status_[24]), 0u) << "the last block asks for nothing more";

      std::vector<Entry> entries;
      ASSERT_EQ(List(&entries), TR_OK);
      ASSERT_EQ(entries.size(), 1u);
      EXPECT_EQ(entries[0], p.header);

      Bytes back;
      ASSERT_EQ(Receive(entries[0], &back), TR_OK);
      EXPECT_EQ(back, p.payload);

      ASSERT_EQ(Delete(entries[0]), TR_OK);
      ASSERT_EQ(List(&entries), TR_OK);
      EXPECT_TRUE(entries.empty());
    }
  }
}

TEST_F(RoundTripTest, FilesAreListedInTheOrderSentAndAnEqualHeaderReplaces) {
  Connect();
  Package a = MakePackage(vp::kDefaultModelId, 300, 1);
  Package b = MakePackage(vp::kDefaultModelId, 500, 2);
  Package a2 = MakePackage(vp::kDefaultModelId, 300, 1);
  a2.payload[0] ^= 0xFF;
  ASSERT_EQ(Send(a), TR_OK);
  ASSERT_EQ(Send(b), TR_OK);
  ASSERT_EQ(Send(a2), TR_OK);
  std::vector<Entry> entries;
  ASSERT_EQ(List(&entries), TR_OK);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0], a.header);
  EXPECT_EQ(entries[1], b.header);
  Bytes back;
  ASSERT_EQ(Receive(entries[0], &back), TR_OK);
  EXPECT_EQ(back, a2.payload) << "the later send of the same header replaced the file";
}

TEST_F(RoundTripTest, AStateFolderCarriesFilesFromOnePrinterObjectToTheNext) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(testing::TempDir()) /
                          ("vp-state-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
  fs::remove_all(folder);
  config_.stateDir = folder.string();
  Package p = MakePackage(vp::kDefaultModelId, 1234);

  Connect();
  ASSERT_EQ(Send(p), TR_OK);

  Connect();  // a later process
  std::vector<Entry> entries;
  ASSERT_EQ(List(&entries), TR_OK);
  ASSERT_EQ(entries.size(), 1u);
  Bytes back;
  ASSERT_EQ(Receive(entries[0], &back), TR_OK);
  EXPECT_EQ(back, p.payload);
  ASSERT_EQ(Delete(entries[0]), TR_OK);

  Connect();
  ASSERT_EQ(List(&entries), TR_OK);
  EXPECT_TRUE(entries.empty());
  fs::remove_all(folder);
}

int32_t lastPercent = -1;
int32_t callsBeforeCancel = 0;

int32_t OSTRAND_CALL RecordPercent(int32_t percent) {
  lastPercent = percent;
  return 1;
}

int32_t OSTRAND_CALL CancelAfterSomeCalls(int32_t percent) {
  lastPercent = percent;
  return callsBeforeCancel-- > 0 ? 1 : 0;
}

TEST_F(RoundTripTest, ProgressEndsAtOneHundredAndACancelStoresNothing) {
  Connect();
  Package p = MakePackage(vp::kDefaultModelId, 5000);
  ASSERT_EQ(Send(p, 500000, RecordPercent), TR_OK);
  EXPECT_EQ(lastPercent, 100);

  for (int calls : {0, 3, 24}) {
    SCOPED_TRACE(calls);
    Connect();
    callsBeforeCancel = calls;
    EXPECT_EQ(Send(p, 500000, CancelAfterSomeCalls), TR_CANCELLED);
    EXPECT_LT(lastPercent, 100);
    EXPECT_EQ(StoredFiles(), 0u);
  }
}

}  // namespace
}  // namespace vp_test
