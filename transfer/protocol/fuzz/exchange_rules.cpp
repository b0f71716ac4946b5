#include "exchange_rules.h"

#include <algorithm>

#include "fuzz/fuzz_check.h"
#include "transfer/protocol/tests/wire_bytes.h"

namespace ostrand_fuzz {
namespace {

using Kind = PortEvent::Kind;
using wire_test::Frame;

constexpr uint32_t kPortTimeoutMs = 2000;
constexpr uint32_t kMaxChunk = 200;

bool IsAccepted(const PortEvent& read) {
  return read.Complete() && read.count == 32 && read.bytes[18] == 1;
}

// A bound on the time a transfer takes, loose but finite: the calls up to the
// first status block, those begun before the limit passed, a receive's wait
// with the limit as its time-out and the abort with the caller's time-out may
// each run out their own time-outs.
uint64_t TimeBoundMs(uint32_t timeoutMs) {
  return 2 * uint64_t{timeoutMs} + 8 * kPortTimeoutMs;
}

}  // namespace

void CheckTransfer(const TransferCall& call, const Journal& journal) {
  if (!call.libraryOpen || call.total == 0) {
    FUZZ_CHECK(journal.empty(), "a refused call makes no port call");
    FUZZ_CHECK(call.result == (call.libraryOpen ? 7 : 2),
               "2 before a printer is opened; 7 for an empty payload");
    return;
  }
  bool begun = false, headerSent = false, writeFailed = false, stopWritten = false;
  bool cancelled = false;
  int ends = 0, writes = 0;
  uint32_t due = 0;  // a chunk announced by a length word and not yet moved
  uint64_t moved = 0;
  int32_t lastPercent = 0;
  const PortEvent* lastRead = nullptr;
  std::vector<StatusBytes> accepted;
  Bytes received;
  for (const PortEvent& e : journal) {
    switch (e.kind) {
      case Kind::kBegin:
        FUZZ_CHECK(e.name == call.printerName, "begin transfer names the printer kept at open");
        begun = e.answered;
        break;
      case Kind::kEnd:
        FUZZ_CHECK(begun && ++ends == 1, "a begun transfer is ended once, no other");
        break;
      case Kind::kProgress:
        FUZZ_CHECK(e.percent >= lastPercent && e.percent <= 100,
                   "the percentage never falls and never passes 100");
        FUZZ_CHECK(e.percent < 100 || moved == call.total, "100 only once the whole payload moved");
        lastPercent = e.percent;
        cancelled = cancelled || !e.answered;
        break;
      case Kind::kRead:
        FUZZ_CHECK(begun && ends == 0, "the printer is read only inside the transfer");
        lastRead = &e;
        if (due > 0) {
          FUZZ_CHECK(!call.sending && e.count == due, "a receive reads the chunk it asked for");
          if (e.Complete()) {
            received.insert(received.end(), e.bytes.begin(), e.bytes.end());
            moved += due;
          }
          due = 0;
        } else if (IsAccepted(e)) {
          std::copy(e.bytes.begin(), e.bytes.end(), accepted.emplace_back().begin());
        }
        break;
      case Kind::kWrite:
        FUZZ_CHECK(begun, "nothing is written before the transfer has begun");
        if (++writes == 1) {
          FUZZ_CHECK(e.bytes == Frame(call.sending ? 'D' : 'U'), "the command frame comes first");
        } else if (due > 0) {
          FUZZ_CHECK(call.sending && e.count == due, "a send writes the chunk it announced");
          FUZZ_CHECK(std::equal(e.bytes.begin(), e.bytes.end(), call.payload.begin() + moved),
                     "a chunk carries the payload from where the last one ended");
          moved += e.Complete() ? due : 0;
          due = 0;
        } else if (e.count == 64 && !headerSent) {
          FUZZ_CHECK(e.bytes == call.header, "the header follows the command, unchanged");
          headerSent = true;
        } else if (call.sending || e.bytes != Frame('I')) {  // a receive's abort
          FUZZ_CHECK(e.count == 4, "after the header the host writes length words and chunks");
          const uint32_t length = wire_test::Le32At(e.bytes.data());
          FUZZ_CHECK(length == 0 || (headerSent && length <= kMaxChunk),
                     "no chunk before the header, none above 200 bytes");
          FUZZ_CHECK(moved + length <= call.total, "never more payload than the payload size");
          due = e.Complete() ? length : 0;
          stopWritten = stopWritten || (length == 0 && e.Complete());
        }
        writeFailed = writeFailed || !e.Complete();
        break;
      default:
        break;
    }
  }
  FUZZ_CHECK(ends == (begun ? 1 : 0), "a begun transfer is ended exactly once");
  FUZZ_CHECK(journal.back().endMs - call.startMs <= TimeBoundMs(call.timeoutMs),
             "the exchange ends within the time rule");
  FUZZ_CHECK(call.statusAfter == call.statusBefore ||
                 std::find(accepted.begin(), accepted.end(), call.statusAfter) != accepted.end(),
             "the caller's status buffer holds its old bytes or a whole accepted block");
  FUZZ_CHECK(call.sending || std::equal(received.begin(), received.end(), call.payload.begin()),
             "the caller's buffer holds the chunks as the printer gave them");
  switch (call.result) {
    case 0:
      FUZZ_CHECK(moved == call.total && !writeFailed && !stopWritten && lastRead != nullptr &&
                     IsAccepted(*lastRead),
                 "0 only when the whole payload moved and the printer's last block accepted it");
      break;
    case 3:
      FUZZ_CHECK(writeFailed, "3 only after a write failed or came short");
      break;
    case 4:
      FUZZ_CHECK(lastRead != nullptr && !lastRead->Complete(),
                 "4 only after a read failed or came short");
      break;
    case 5:
      break;
    case 7:
      FUZZ_CHECK(lastRead != nullptr && lastRead->Complete() && !IsAccepted(*lastRead),
                 "7 only after a status block that does not accept");
      break;
    case 8:
      FUZZ_CHECK(cancelled && stopWritten,
                 "8 only after the callback asked to stop and the stop word went out");
      break;
    default:
      FUZZ_CHECK(false, "a transfer answers 0, 3, 4, 5, 7 or 8");
  }
}

void CheckCommand(const CommandCall& call, const Journal& journal) {
  FUZZ_CHECK(call.countAfter == call.countBefore || call.result == 6,
             "only a delivered count changes the caller's count");
  if (!call.libraryOpen) {
    FUZZ_CHECK(journal.empty() && call.result == 2,
               "2 and no port call before a printer is opened");
    return;
  }
  const PortEvent* last = journal.empty() ? nullptr : &journal.back();
  const bool completed = last != nullptr && last->Complete();
  if (call.command == Command::kFileEntries) {
    FUZZ_CHECK(journal.size() == 1 && last->Is(Kind::kRead) &&
                   last->count == (call.countBefore & 0xFFFF) * 64,
               "the entries of the count's low 16 bits are read at once");
  } else {
    FUZZ_CHECK(journal.size() >= 2 && journal[0].Is(Kind::kPurge) && journal[1].Is(Kind::kWrite),
               "a command is a purge and a write of its request");
    Bytes remove = Frame('R');
    remove.insert(remove.end(), call.entry.begin(), call.entry.end());
    FUZZ_CHECK(call.command != Command::kDeleteFile || journal[1].bytes == remove,
               "a delete names its entry unchanged");
  }
  FUZZ_CHECK(journal.empty() || last->endMs - call.startMs <= call.timeoutMs,
             "a command ends within its time-out");
  switch (call.result) {
    case 0:
      FUZZ_CHECK(completed && (call.command != Command::kDeleteFile || IsAccepted(*last)),
                 "0 only when the exchange completed and a delete was accepted");
      FUZZ_CHECK(call.command != Command::kFileCount, "a count is answered with 6");
      break;
    case 3:
      FUZZ_CHECK(last->Is(Kind::kWrite) && !completed, "3 only after the write failed");
      break;
    case 4:
      FUZZ_CHECK(last->Is(Kind::kRead) && !completed, "4 only after the read failed");
      break;
    case 5:
      FUZZ_CHECK(last->Is(Kind::kWrite) && completed, "5 only when no time was left to read");
      break;
    case 6:
      FUZZ_CHECK(call.command == Command::kFileCount && completed && last->count == 2 &&
                     call.countAfter == uint32_t{last->bytes[0]} + (last->bytes[1] << 8),
                 "6 delivers the printer's count");
      break;
    case 7:
      FUZZ_CHECK(call.command == Command::kDeleteFile && completed && !IsAccepted(*last),
                 "7 only for a delete the printer refused");
      break;
    default:
      FUZZ_CHECK(false, "a command answers 0 or 3 to 7");
  }
}

void CheckInitPrinter(const std::string& keptName, int32_t result, const Journal& journal) {
  FUZZ_CHECK(!journal.empty() && journal[0].Is(Kind::kOpen), "TRInitPrinter opens the port");
  FUZZ_CHECK(journal[0].name == keptName,
             "the port is given the name kept, at most 259 characters of it");
  FUZZ_CHECK(result == (journal[0].answered ? 0 : 1), "0 when the port opened, else 1");
  FUZZ_CHECK(journal.size() == (journal[0].answered ? 2u : 1u) &&
                 (!journal[0].answered || journal[1].Is(Kind::kPurge)),
             "an opened port is purged, and nothing else happens");
}

}  // namespace ostrand_fuzz
