// The percentage reported by a transfer, for payloads too large to script.
#include <cstdint>

#include "fake_clock.h"
#include "file_transfer.h"
#include "scripted_port.h"

namespace ostrand_test {
namespace {

TEST(TransferSessionTest, PercentageOfALargePayloadNeitherOverflowsNorReaches100Early) {
  FakeClock clock;
  ScriptedPort port(clock);
  const uint32_t total = 0xFFFFFFF0u;
  const ostrand::detail::TransferRequest request{nullptr, total, nullptr, 1000,
                                                 &ScriptedPort::Progress};
  ostrand::detail::TransferSession session(port, clock, request);
  session.SetAllowance(total);

  session.Advance(100000000u);  // x 100 no longer fits in 32 bits
  port.ExpectProgress(2);
  EXPECT_TRUE(session.ReportProgress());
  session.Advance(total - 100000000u - 1);
  port.ExpectProgress(99);
  EXPECT_TRUE(session.ReportProgress());
  session.Advance(1);
  port.ExpectProgress(100).Cancels();
  EXPECT_FALSE(session.ReportProgress());
  port.VerifyDone();
}

}  // namespace
}  // namespace ostrand_test
