// The commands outside a transfer: initialise, status, the file list's two
// calls and delete. Each writes its request after a purge and, but for
// initialise, reads its answer with what is left of the call's time-out.
#include <array>
#include <cstdint>
#include <optional>

#include "scripted_port.h"

namespace ostrand_test {
namespace {

class CommandTest : public ProtocolTest {
 protected:
  void SetUp() override { OpenPrinter(); }
};

TEST_F(CommandTest, EachRequestIsReadWithWhatIsLeftOfItsTimeOutAndFailuresAreNamed) {
  const Bytes entry = Pattern(64, 9);
  Bytes remove = Frame('R');
  remove.insert(remove.end(), entry.begin(), entry.end());  // one write
  const Bytes requests[] = {Frame('I'), Frame('S'), {0x1B, 0x69, 0x46, 0x4C, 0x00}, remove};
  enum { kInit, kStatus, kCount, kDelete };
  const struct {
    int command;
    uint32_t timeoutMs, purgeMs, writeMs;
    std::optional<uint32_t> written;        // none: the whole request
    std::optional<uint32_t> readTimeoutMs;  // none: no read follows
    Bytes reply;                            // shorter than asked: a short read
    int32_t expected;
    uint32_t startTick = 1000;
  } rows[] = {
      {kInit, 1234, 0, 0, {}, {}, {}, TR_OK},
      {kInit, 1234, 0, 0, 3, {}, {}, TR_WRITE_FAILED},
      // Purge and write count against the budget.
      {kStatus, 5000, 100, 300, {}, 4600, Status(0, 77), TR_OK},
      // A signed 32-bit tick difference: it holds across the wrap, and from
      // 2^31 ms on start + time-out - now is negative at once.
      {kStatus, 1000, 0, 0x200, {}, 1000 - 0x200, Status(1, 0), TR_OK, 0xFFFFFF00u},
      {kStatus, 0x80000000u, 0, 0, {}, {}, {}, TR_TIMEOUT},
      {kStatus, 500, 0, 0, 2, {}, {}, TR_WRITE_FAILED},
      {kStatus, 500, 0, 500, {}, {}, {}, TR_TIMEOUT},
      {kStatus, 500, 0, 499, {}, 1, Status(1, 0), TR_OK},  // 1 ms left still reads
      {kStatus, 500, 0, 0, {}, 500, Slice(Status(1, 0), 0, 31), TR_READ_FAILED},
      {kCount, 3000, 500, 1000, {}, 1500, {0x03, 0x02}, TR_FILE_COUNT},
      {kCount, 3000, 0, 0, 4, {}, {}, TR_WRITE_FAILED},
      {kCount, 3000, 0, 3000, {}, {}, {}, TR_TIMEOUT},
      {kCount, 3000, 0, 2999, {}, 1, {0x03, 0x02}, TR_FILE_COUNT},
      {kCount, 3000, 0, 0, {}, 3000, {0x05}, TR_READ_FAILED},
      // The budget of a delete starts after the purge.
      {kDelete, 2000, 500, 400, {}, 1600, Status(1, 0), TR_OK},
      {kDelete, 2000, 0, 0, {}, 2000, Status(2, 0), TR_REJECTED},
      {kDelete, 2000, 0, 0, 67, {}, {}, TR_WRITE_FAILED},
      {kDelete, 2000, 0, 2000, {}, {}, {}, TR_TIMEOUT},
      {kDelete, 2000, 0, 1999, {}, 1, Status(1, 0), TR_OK},
      {kDelete, 2000, 0, 0, {}, 2000, Slice(Status(1, 0), 0, 31), TR_READ_FAILED},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "command " << row.command << ", result " << row.expected);
    port_.nowMs = row.startTick;
    port_.Expect("purge").Takes(row.purgeMs);
    port_.ExpectWrite(requests[row.command], row.timeoutMs).Takes(row.writeMs).moved = row.written;
    if (row.readTimeoutMs) {
      port_.ExpectRead(row.command == kCount ? 2 : 32, *row.readTimeoutMs, row.reply);
    }
    std::array<uint8_t, 32> status{};
    uint32_t count = 0xFFFFFFFFu;
    const int32_t result =
        row.command == kInit     ? library_.CmdInit(row.timeoutMs)
        : row.command == kStatus ? library_.GetStatus(status.data(), row.timeoutMs)
        : row.command == kCount  ? library_.GetFileList(nullptr, &count, row.timeoutMs)
                                 : library_.DeleteFile(entry.data(), row.timeoutMs);
    EXPECT_EQ(row.expected, result);
    if (row.command == kStatus && result == TR_OK) {
      EXPECT_EQ(row.reply, Bytes(status.begin(), status.end()));
    }
    // All 32 bits written with 6; left alone otherwise.
    EXPECT_EQ(result == TR_FILE_COUNT ? 0x0203u : 0xFFFFFFFFu, count);
  }
}

TEST_F(CommandTest, FileListBufferCallReadsTheLow16BitsOfTheCountInEntriesAlone) {
  std::array<uint8_t, 64> list{};
  const Bytes entries = Pattern(64);
  uint32_t count = 0x10001u;
  port_.ExpectRead(64, 3000, entries);
  EXPECT_EQ(TR_OK, library_.GetFileList(list.data(), &count, 3000));
  EXPECT_EQ(entries, Bytes(list.begin(), list.end()));

  port_.ExpectRead(64, 3000, Slice(entries, 0, 63));
  EXPECT_EQ(TR_READ_FAILED, library_.GetFileList(list.data(), &count, 3000));

  count = 0x10000u;
  port_.ExpectRead(0, 3000, {});
  EXPECT_EQ(TR_OK, library_.GetFileList(list.data(), &count, 3000));
}

}  // namespace
}  // namespace ostrand_test
