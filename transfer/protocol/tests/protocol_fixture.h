// The library under test over a scripted port and a fake clock.
#ifndef TRANSFER_PROTOCOL_TESTS_PROTOCOL_FIXTURE_H
#define TRANSFER_PROTOCOL_TESTS_PROTOCOL_FIXTURE_H

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "scripted_port.h"
#include "transfer_library.h"

namespace ostrand_test {

class ProtocolTest : public ::testing::Test {
 protected:
  static constexpr const char* kPrinter = "Label Printer 7";

  void TearDown() override { port_.VerifyDone(); }

  void OpenPrinter(const char* name = kPrinter) {
    port_.ExpectOpen(name);
    port_.ExpectPurge();
    ASSERT_EQ(TR_OK, library_.InitPrinter(name, nullptr));
  }

  FakeClock clock_;
  ScriptedPort port_{clock_};
  ostrand::TransferLibrary library_{port_, clock_};
};

// A send ("D") or a receive ("U") of payload_ under header_, with the scripted
// progress callback. The Expect helpers script what both directions share and
// the two places where they differ: how a chunk moves and how the status block
// after the chunks is read.
class TransferTest : public ProtocolTest {
 protected:
  void SetUp() override { OpenPrinter(); }

  // Purge, begin transfer, then the command frame; answers the frame's write.
  Step& ExpectStart() {
    port_.ExpectPurge();
    port_.ExpectBegin(kPrinter);
    return port_.ExpectWrite(Frame(sending_ ? 'D' : 'U'), 2000);
  }
  Step& ExpectHeader() { return port_.ExpectWrite(header_, 2000); }
  // Start, the first progress report, the header, and a first status block
  // that accepts `acceptCount` bytes; answers that block's read.
  Step& ExpectOpening(uint32_t acceptCount, uint8_t tag = 1) {
    ExpectStart();
    port_.ExpectProgress(0);
    ExpectHeader();
    return port_.ExpectRead(32, 2000, Status(1, acceptCount, tag));
  }
  // Length word, then payload_[from, from + length) written (send) or read
  // (receive), then, given a `percent`, the progress report. Answers the chunk.
  Step& ExpectChunk(size_t from, size_t length, int32_t percent = -1) {
    port_.ExpectWrite(Le32(static_cast<uint32_t>(length)), 2000);
    const Bytes chunk = Slice(payload_, from, length);
    Step& step = sending_ ? port_.ExpectWrite(chunk, 2000)
                          : port_.ExpectRead(static_cast<uint32_t>(length), 2000, chunk);
    if (percent >= 0) {
      port_.ExpectProgress(percent);
    }
    return step;
  }
  // The status block after a pass's chunks: a send reads it with the port
  // time-out and reports progress after the read; a receive reads it once with
  // the time limit R as its time-out. Answers the read.
  Step& ExpectNextStatus(const Bytes& block, int32_t percent, uint32_t limitMs = 500000) {
    if (!sending_) {
      return port_.ExpectRead(32, limitMs, block);
    }
    Step& read = port_.ExpectRead(32, 2000, block);
    port_.ExpectProgress(percent);
    return read;
  }
  Step& ExpectStopWord() { return port_.ExpectWrite(Le32(0), 2000); }

  int32_t Run(uint32_t timeoutMs = 500000, TRProgressCallback progress = &ScriptedPort::Progress) {
    const auto size = static_cast<uint32_t>(payload_.size());
    if (sending_) {
      return library_.SendFile(header_.data(), payload_.data(), &size, status_.data(), timeoutMs,
                               progress);
    }
    received_.assign(payload_.size(), 0);
    return library_.ReceiveFile(header_.data(), received_.data(), &size, status_.data(), timeoutMs,
                                progress);
  }
  Bytes LastStatus() const { return Bytes(status_.begin(), status_.end()); }

  bool sending_ = true;
  const Bytes header_ = Pattern(64, 0x40);
  Bytes payload_ = Pattern(450);
  Bytes received_;
  std::array<uint8_t, 32> status_{};
};

}  // namespace ostrand_test

#endif  // TRANSFER_PROTOCOL_TESTS_PROTOCOL_FIXTURE_H
