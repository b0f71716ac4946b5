#include "exchange_rules.h"

#include <algorithm>

#include "fuzz/fuzz_check.h"

namespace ostrand_fuzz {
namespace {

using Kind = PortEvent::Kind;

constexpr uint32_t kPortTimeoutMs = 2000;
constexpr uint32_t kMaxChunk = 200;
constexpr uint32_t kStatusSize = 32;
constexpr uint32_t kEntrySize = 64;
// After the limit a length word, its chunk and the stop word may still start,
// each bounded by its own time-out.
constexpr int64_t kCallsAfterLimitMs = 3 * int64_t{kPortTimeoutMs};

const Bytes kStopWord = {0, 0, 0, 0};

Bytes Frame(char letter) {
  return {0x1B, 0x69, 0x46, static_cast<uint8_t>(letter)};
}

uint32_t Le(const Bytes& bytes, std::size_t at, std::size_t width) {
  uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
  }
  return value;
}

// The time left as the library counts it: deadline - now, a signed 32-bit
// difference of ticks.
int64_t TimeLeft(uint32_t timeoutMs, uint64_t elapsedMs) {
  return static_cast<int32_t>(timeoutMs - static_cast<uint32_t>(elapsedMs));
}

bool IsStatus(const PortEvent& read) {
  return read.Is(Kind::kRead) && read.Complete() && read.count == kStatusSize;
}
bool IsAccepted(const PortEvent& read) {
  return IsStatus(read) && read.bytes[18] == 1;
}

class TransferWalk {
 public:
  explicit TransferWalk(const TransferCall& call) : call_(call) {}

  void Step(const PortEvent& e) {
    switch (e.kind) {
      case Kind::kOpen:
        FUZZ_CHECK(false, "a transfer never opens the port");
        break;
      case Kind::kPurge:
        FUZZ_CHECK(!begunAsked_, "the purge comes before begin transfer");
        purged_ = true;
        break;
      case Kind::kBegin:
        FUZZ_CHECK(purged_ && !begunAsked_, "begin transfer once, after the purge");
        FUZZ_CHECK(e.timeoutMs == kPortTimeoutMs, "begin transfer has a 2000 ms time-out");
        FUZZ_CHECK(e.name == call_.printerName,
                   "begin transfer names the printer last given to TRInitPrinter");
        begunAsked_ = true;
        begun_ = e.answered;
        break;
      case Kind::kEnd:
        FUZZ_CHECK(begun_, "end transfer only after a transfer was begun");
        FUZZ_CHECK(++ends_ == 1, "end transfer exactly once");
        break;
      case Kind::kWrite:
        Write(e);
        break;
      case Kind::kRead:
        Read(e);
        break;
      case Kind::kProgress:
        Progress(e);
        break;
    }
    lastEndMs_ = e.endMs;
  }

  void Finish() {
    FUZZ_CHECK(begunAsked_, "an open library with a payload begins a transfer");
    FUZZ_CHECK(ends_ == (begun_ ? 1 : 0), "a begun transfer is ended exactly once, no other");
    FUZZ_CHECK(due_ == 0, "every chunk announced by a length word follows it");
    CheckTime();
    FUZZ_CHECK(
        call_.statusAfter == call_.statusBefore ||
            std::find(accepted_.begin(), accepted_.end(), call_.statusAfter) != accepted_.end(),
        "the caller's status buffer holds its old bytes or a whole accepted block");
    if (!call_.sending) {
      FUZZ_CHECK(std::equal(received_.begin(), received_.end(), call_.payload.begin()),
                 "the caller's buffer holds the chunks as the printer gave them");
    }
    CheckResult();
  }

 private:
  void Write(const PortEvent& e) {
    FUZZ_CHECK(begun_, "nothing is written before the transfer has begun");
    FUZZ_CHECK(!stopTried_ && !abortTried_, "nothing is written after the stop word or the abort");
    const bool stop = e.bytes == kStopWord;
    const bool abort = !call_.sending && e.bytes == Frame('I');
    if (writeFailed_) {
      FUZZ_CHECK(stop || abort, "after a failed write only the stop word or the abort is written");
    }
    if (ends_ > 0) {
      FUZZ_CHECK(call_.sending && stop, "after end transfer only a send's stop word is written");
    }
    if (due_ > 0) {
      FUZZ_CHECK(call_.sending, "a receive reads the chunk its length word asked for");
      FUZZ_CHECK(e.count == due_, "a chunk is as long as its length word says");
      FUZZ_CHECK(e.timeoutMs == kPortTimeoutMs, "a chunk has a 2000 ms time-out");
      FUZZ_CHECK(std::equal(e.bytes.begin(), e.bytes.end(), call_.payload.begin() + moved_),
                 "a chunk carries the payload from where the last one ended");
      moved_ += e.Complete() ? due_ : 0;
      due_ = 0;
    } else if (abort) {
      FUZZ_CHECK(phase_ == Phase::kExchange, "a receive aborts only after its header");
      FUZZ_CHECK(e.timeoutMs == call_.timeoutMs, "the abort has the caller's whole time-out");
      abortAtMs_ = e.startMs - call_.startMs;
      FUZZ_CHECK(TimeLeft(call_.timeoutMs, abortAtMs_) <= 0,
                 "a receive aborts only when its time is up");
      abortTried_ = true;
    } else {
      FUZZ_CHECK(e.timeoutMs == kPortTimeoutMs,
                 "every write of a transfer but the abort has a 2000 ms time-out");
      ExchangeWrite(e, stop);
    }
    stopTried_ = stopTried_ || stop;
    stopWritten_ = stopWritten_ || (stop && e.Complete());
    writeFailed_ = writeFailed_ || !e.Complete();
  }

  // The command, the header, then length words.
  void ExchangeWrite(const PortEvent& e, bool stop) {
    if (phase_ == Phase::kCommand) {
      FUZZ_CHECK(e.bytes == Frame(call_.sending ? 'D' : 'U'), "the command frame comes first");
      phase_ = Phase::kHeader;
      if (e.Complete()) {
        SetLimit(e.endMs);
      }
      return;
    }
    if (phase_ == Phase::kHeader && !stop) {
      FUZZ_CHECK(e.bytes == call_.header, "the header follows the command, unchanged");
      phase_ = Phase::kExchange;
      return;
    }
    FUZZ_CHECK(e.count == 4, "after the header the host writes length words and chunks only");
    const uint32_t length = Le(e.bytes, 0, 4);
    if (length == 0) {
      return;  // the stop word
    }
    FUZZ_CHECK(phase_ == Phase::kExchange, "no chunk before the header");
    FUZZ_CHECK(length <= kMaxChunk, "no chunk above 200 bytes");
    FUZZ_CHECK(moved_ + length <= call_.total, "never more payload than the payload size");
    due_ = e.Complete() ? length : 0;
  }

  void Read(const PortEvent& e) {
    FUZZ_CHECK(begun_ && ends_ == 0, "the printer is read only inside the transfer");
    FUZZ_CHECK(!writeFailed_ && !stopTried_ && !abortTried_,
               "nothing is read after a failed write, the stop word or the abort");
    lastRead_ = &e;
    if (due_ > 0) {
      FUZZ_CHECK(!call_.sending, "a send writes the chunk its length word announced");
      FUZZ_CHECK(e.count == due_, "a chunk read is as long as its length word asked");
      FUZZ_CHECK(e.timeoutMs == kPortTimeoutMs, "a chunk has a 2000 ms time-out");
      if (e.Complete()) {
        received_.insert(received_.end(), e.bytes.begin(), e.bytes.end());
        moved_ += due_;
      }
      due_ = 0;
      return;
    }
    FUZZ_CHECK(e.count == kStatusSize, "the host reads status blocks and asked-for chunks only");
    FUZZ_CHECK(phase_ == Phase::kExchange, "the first status block is read after the header");
    // A receive waits for each later block with the limit R as its time-out.
    const bool waitsWithLimit = !call_.sending && statusReads_ > 0;
    FUZZ_CHECK(!waitsWithLimit || (limit_ > 0 && e.timeoutMs == static_cast<uint32_t>(limit_)),
               "a receive reads a later status block with the limit R as its time-out");
    FUZZ_CHECK(waitsWithLimit || e.timeoutMs == kPortTimeoutMs,
               "a status block is read with a 2000 ms time-out");
    if (statusReads_++ == 0 && IsAccepted(e)) {
      SetLimit(e.endMs);
    }
    if (IsAccepted(e)) {
      accepted_.emplace_back();
      std::copy(e.bytes.begin(), e.bytes.end(), accepted_.back().begin());
    }
  }

  void Progress(const PortEvent& e) {
    FUZZ_CHECK(e.percent >= 0 && e.percent <= 100, "the percentage lies within 0 to 100");
    FUZZ_CHECK(e.percent >= lastPercent_, "the percentage never falls");
    FUZZ_CHECK(static_cast<uint64_t>(e.percent) == moved_ * 100 / call_.total,
               "the percentage is the payload moved so far, 100 only when all moved");
    FUZZ_CHECK(due_ == 0, "no progress report between a length word and its chunk");
    lastPercent_ = e.percent;
    cancelled_ = cancelled_ || !e.answered;
  }

  // R = deadline - now, taken when the library takes it.
  void SetLimit(uint64_t nowMs) {
    limitAtMs_ = static_cast<int64_t>(nowMs - call_.startMs);
    limit_ = TimeLeft(call_.timeoutMs, nowMs - call_.startMs);
  }

  // Once R is fixed, the chunk loop stops when elapsed passes it and the waits
  // when elapsed reaches it; the calls already started may still run out their
  // own time-outs. A receive waits for a status block with R itself as time-out.
  void CheckTime() const {
    if (!begun_) {
      return;
    }
    const int64_t ended = static_cast<int64_t>(lastEndMs_ - call_.startMs);
    int64_t bound = std::max(limit_, limitAtMs_) + kCallsAfterLimitMs;
    if (!call_.sending) {
      bound = std::max(bound, std::max(limit_, limitAtMs_) + limit_ + int64_t{kPortTimeoutMs});
    }
    if (abortTried_) {
      bound = static_cast<int64_t>(abortAtMs_) + call_.timeoutMs;
    }
    FUZZ_CHECK(ended <= bound, "the exchange ends within the time rule");
  }

  void CheckResult() const {
    switch (call_.result) {
      case 0:
        FUZZ_CHECK(moved_ == call_.total && !writeFailed_ && !stopTried_ && lastRead_ != nullptr &&
                       IsAccepted(*lastRead_),
                   "0 only when the whole payload moved and the printer's last block accepted it");
        break;
      case 3:
        FUZZ_CHECK(writeFailed_, "3 only after a write failed or came short");
        break;
      case 4:
        FUZZ_CHECK(lastRead_ != nullptr && !lastRead_->Complete(),
                   "4 only after a read failed or came short");
        break;
      case 5:
        break;
      case 7:
        FUZZ_CHECK(lastRead_ != nullptr && IsStatus(*lastRead_) && !IsAccepted(*lastRead_),
                   "7 only after a status block that does not accept");
        break;
      case 8:
        FUZZ_CHECK(cancelled_ && stopWritten_,
                   "8 only after the callback asked to stop and the stop word went out");
        break;
      default:
        FUZZ_CHECK(false, "a transfer answers 0, 3, 4, 5, 7 or 8");
    }
  }

  enum class Phase { kCommand, kHeader, kExchange };

  const TransferCall& call_;
  bool purged_ = false;
  bool begunAsked_ = false;
  bool begun_ = false;
  int ends_ = 0;
  Phase phase_ = Phase::kCommand;
  uint32_t due_ = 0;  // a chunk announced and not yet moved
  uint64_t moved_ = 0;
  bool writeFailed_ = false;
  bool stopTried_ = false;
  bool stopWritten_ = false;
  bool abortTried_ = false;
  uint64_t abortAtMs_ = 0;
  bool cancelled_ = false;
  int32_t lastPercent_ = 0;
  int64_t limit_ = 0;  // R
  int64_t limitAtMs_ = 0;
  int statusReads_ = 0;
  const PortEvent* lastRead_ = nullptr;
  std::vector<StatusBytes> accepted_;
  Bytes received_;
  uint64_t lastEndMs_ = 0;
};

}  // namespace

void CheckTransfer(const TransferCall& call, const Journal& journal) {
  if (!call.libraryOpen || call.total == 0) {
    FUZZ_CHECK(journal.empty(), "a refused call makes no port call");
    FUZZ_CHECK(call.result == (call.libraryOpen ? 7 : 2),
               "2 before a printer is opened; 7 for an empty payload");
    return;
  }
  TransferWalk walk(call);
  for (const PortEvent& event : journal) {
    walk.Step(event);
  }
  walk.Finish();
}

void CheckCommand(const CommandCall& call, const Journal& journal) {
  if (!call.libraryOpen) {
    FUZZ_CHECK(journal.empty() && call.result == 2,
               "2 and no port call before a printer is opened");
    FUZZ_CHECK(call.countAfter == call.countBefore, "a refused call leaves the count");
    return;
  }
  std::size_t next = 0;
  const auto take = [&](Kind kind, const char* rule) -> const PortEvent& {
    FUZZ_CHECK(next < journal.size() && journal[next].Is(kind), rule);
    return journal[next++];
  };
  const uint32_t timeout = call.timeoutMs;
  const auto elapsed = [&](uint64_t ms) { return ms - call.startMs; };
  bool done = false;
  int32_t expected = 0;
  if (call.command == Command::kFileEntries) {
    const PortEvent& read = take(Kind::kRead, "the entries are read at once, without a command");
    FUZZ_CHECK(read.count == (call.countBefore & 0xFFFF) * kEntrySize && read.timeoutMs == timeout,
               "the entries of the count's low 16 bits are read with the whole time-out");
    expected = read.Complete() ? 0 : 4;
    done = true;
  }
  if (!done) {
    take(Kind::kPurge, "a command begins with the purge");
    Bytes request;
    switch (call.command) {
      case Command::kCmdInit:
        request = Frame('I');
        break;
      case Command::kGetStatus:
        request = Frame('S');
        break;
      case Command::kFileCount:
        request = Frame('L');
        request.push_back(0x00);
        break;
      default:
        request = Frame('R');
        request.insert(request.end(), call.entry.begin(), call.entry.end());
        break;
    }
    const PortEvent& write = take(Kind::kWrite, "the command is written after the purge");
    FUZZ_CHECK(write.bytes == request && write.timeoutMs == timeout,
               "the command goes out in one write with the whole time-out");
    const int64_t left = TimeLeft(timeout, elapsed(write.endMs));
    if (!write.Complete()) {
      expected = 3;
    } else if (call.command == Command::kCmdInit) {
      expected = 0;
    } else if (left <= 0) {
      expected = 5;
    } else {
      const PortEvent& read = take(Kind::kRead, "the reply is read after the command");
      const uint32_t size = call.command == Command::kFileCount ? 2 : kStatusSize;
      FUZZ_CHECK(read.count == size && read.timeoutMs == static_cast<uint32_t>(left),
                 "the reply is read with the time left");
      if (!read.Complete()) {
        expected = 4;
      } else if (call.command == Command::kFileCount) {
        expected = 6;
        FUZZ_CHECK(call.countAfter == Le(read.bytes, 0, 2), "the count is the printer's count");
      } else if (call.command == Command::kDeleteFile) {
        expected = read.bytes[18] == 1 ? 0 : 7;
      }
    }
  }
  FUZZ_CHECK(next == journal.size(), "a command makes no port call beyond its exchange");
  FUZZ_CHECK(call.result == expected, "the result code says how the exchange went");
  FUZZ_CHECK(call.command == Command::kFileCount && call.result == 6
                 ? true
                 : call.countAfter == call.countBefore,
             "only a delivered count changes the caller's count");
  FUZZ_CHECK(journal.empty() || elapsed(journal.back().endMs) <= timeout,
             "a command ends within its time-out");
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
