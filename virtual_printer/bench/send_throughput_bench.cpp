// Send throughput of Ostrand's protocol core over the in-memory virtual
// printer, against a bare loop that makes the same port calls with no
// bookkeeping, and the heap allocations per chunk of each. At the end the two
// sends take turns on one printer and the ratio of their times is printed.
// Build without sanitizers to measure.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "transfer/protocol/transfer_library.h"
#include "virtual_printer/core/virtual_printer.h"

namespace {

std::atomic<uint64_t> allocations{0};

}  // namespace

// Every heap allocation of the process is counted here.
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) {
    std::abort();
  }
  return p;
}
// The replaced new takes its memory from malloc, so free is the matching release;
// the compiler cannot see that pairing across the replacement.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
#pragma GCC diagnostic pop

namespace {

constexpr uint32_t kPayload = 1u << 20;
constexpr uint32_t kChunk = 200;
constexpr uint32_t kChunksPerSend = (kPayload + kChunk - 1) / kChunk;
constexpr const char* kName = "Virtual Printer";

// Time that never moves: no time-out can end a send.
class StillClock final : public vp::LinkClock, public platform::TickClock {
 public:
  uint64_t NowUs() override { return 0; }
  void WaitUs(uint64_t) override {}
  uint32_t NowMs() override { return 1000; }
};

// Real time, and link delays spent spinning: a sleep would round up to the
// scheduler's tick, which is far coarser than a microsecond.
class SpinClock final : public vp::LinkClock, public platform::TickClock {
 public:
  uint64_t NowUs() override {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
  }
  void WaitUs(uint64_t microseconds) override {
    const uint64_t until = NowUs() + microseconds;
    while (NowUs() < until) {
    }
  }
  uint32_t NowMs() override { return static_cast<uint32_t>(NowUs() / 1000); }
};

// The printer and a package. linkUsPerCall 0 is the bare in-memory printer;
// above 0 every port write and read costs that long, as on a real link.
struct Rig {
  explicit Rig(uint32_t linkUsPerCall) {
    std::string error;
    vp::PrinterConfig config;
    config.faults.slowLinkUsPerCall = linkUsPerCall;
    if (linkUsPerCall > 0) {
      linkClock = &spin;
      tickClock = &spin;
    }
    printer = vp::VirtualPrinter::Create(config, *linkClock, &error);
    header[0] = 0x90;
    header[1] = 0x40;
    header[2] = static_cast<uint8_t>(vp::kDefaultModelId);
    header[3] = static_cast<uint8_t>(vp::kDefaultModelId >> 8);
    header[16] = static_cast<uint8_t>(kPayload);
    header[17] = static_cast<uint8_t>(kPayload >> 8);
    header[18] = static_cast<uint8_t>(kPayload >> 16);
    payload = std::make_unique<uint8_t[]>(kPayload);
    for (uint32_t i = 0; i < kPayload; ++i) {
      payload[i] = static_cast<uint8_t>(i * 7);
    }
  }

  StillClock still;
  SpinClock spin;
  vp::LinkClock* linkClock = &still;
  platform::TickClock* tickClock = &still;
  std::unique_ptr<vp::VirtualPrinter> printer;
  uint8_t header[64] = {};
  std::unique_ptr<uint8_t[]> payload;
};

// The port calls of a send and nothing else: no clock, no callback, no checks
// beyond what keeps the exchange in step.
bool BareSend(portio::PortIo& port, const uint8_t* header, const uint8_t* payload) {
  static const uint8_t kFrame[4] = {0x1B, 0x69, 0x46, 0x44};
  uint8_t status[32];
  uint32_t n = 0;
  port.Purge();
  port.BeginTransfer(kName, 0, 2000);
  port.Write(kFrame, 4, &n, 2000);
  port.Write(header, 64, &n, 2000);
  port.Read(status, 32, &n, 2000);
  uint32_t allowance = static_cast<uint32_t>(status[24] | (status[25] << 8) | (status[26] << 16) |
                                             (status[27] << 24));
  uint32_t sent = 0;
  while (sent < kPayload) {
    const uint32_t size = std::min({allowance, kChunk, kPayload - sent});
    const uint8_t word[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8), 0, 0};
    port.Write(word, 4, &n, 2000);
    port.Write(payload + sent, size, &n, 2000);
    sent += size;
    allowance -= size;
    if (allowance == 0) {
      port.Read(status, 32, &n, 2000);
      allowance = static_cast<uint32_t>(status[24] | (status[25] << 8) | (status[26] << 16) |
                                        (status[27] << 24));
    }
  }
  port.EndTransfer();
  return status[18] == 1 && allowance == 0;
}

void ReportAllocations(benchmark::State& state, uint64_t before) {
  const double sends = static_cast<double>(state.iterations());
  const double allocs = static_cast<double>(allocations.load() - before);
  state.SetBytesProcessed(state.iterations() * int64_t{kPayload});
  state.counters["allocs_per_send"] = allocs / sends;
  state.counters["allocs_per_chunk"] = allocs / (sends * kChunksPerSend);
}

void BM_SendThroughOstrand(benchmark::State& state) {
  Rig rig(static_cast<uint32_t>(state.range(0)));
  ostrand::TransferLibrary library(rig.printer->Port(), *rig.tickClock);
  library.InitPrinter(kName, nullptr);
  uint8_t status[32];
  const uint32_t size = kPayload;
  // Warm-up: the first send fills the printer's buffers, the second its store's listing.
  for (int warmUp = 0; warmUp < 2; ++warmUp) {
    library.SendFile(rig.header, rig.payload.get(), &size, status, 500000, nullptr);
  }
  const uint64_t before = allocations.load();
  for (auto _ : state) {
    if (library.SendFile(rig.header, rig.payload.get(), &size, status, 500000, nullptr) != TR_OK) {
      state.SkipWithError("the send failed");
      break;
    }
  }
  ReportAllocations(state, before);
}

void BM_SendBareLoop(benchmark::State& state) {
  Rig rig(static_cast<uint32_t>(state.range(0)));
  portio::PortIo& port = rig.printer->Port();
  port.Open(kName, nullptr);
  for (int warmUp = 0; warmUp < 2; ++warmUp) {
    BareSend(port, rig.header, rig.payload.get());
  }
  const uint64_t before = allocations.load();
  for (auto _ : state) {
    if (!BareSend(port, rig.header, rig.payload.get())) {
      state.SkipWithError("the send failed");
      break;
    }
  }
  ReportAllocations(state, before);
}

// Argument: microseconds each port write and read costs (0: the in-memory printer alone).
BENCHMARK(BM_SendThroughOstrand)->Unit(benchmark::kMillisecond)->Repetitions(5)->Arg(0)->Arg(1);
BENCHMARK(BM_SendBareLoop)->Unit(benchmark::kMillisecond)->Repetitions(5)->Arg(0)->Arg(1);

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Ostrand's send and the bare loop in turns on one printer, each round timing
// one send of each in alternating order. Adjacent sends see the same load on
// the machine, so the median of the rounds' ratios stays steady where the
// ratio of two separately run benchmarks drifts with whatever else runs.
void CompareInTurns(uint32_t linkUsPerCall, int rounds) {
  Rig rig(linkUsPerCall);
  portio::PortIo& port = rig.printer->Port();
  ostrand::TransferLibrary library(port, *rig.tickClock);
  library.InitPrinter(kName, nullptr);
  uint8_t status[32];
  const uint32_t size = kPayload;
  bool ok = true;
  auto timed = [&ok](auto send) {
    const auto start = std::chrono::steady_clock::now();
    ok = send() && ok;
    return std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start)
        .count();
  };
  auto throughOstrand = [&] {
    return library.SendFile(rig.header, rig.payload.get(), &size, status, 500000, nullptr) == TR_OK;
  };
  auto bareLoop = [&] { return BareSend(port, rig.header, rig.payload.get()); };
  throughOstrand();  // warm-up, as in the benchmarks
  throughOstrand();
  std::vector<double> ostrandNs, bareNs, ratios;
  for (int round = 0; round < rounds; ++round) {
    double ostrand = 0;
    double bare = 0;
    if (round % 2 == 0) {
      ostrand = timed(throughOstrand);
      bare = timed(bareLoop);
    } else {
      bare = timed(bareLoop);
      ostrand = timed(throughOstrand);
    }
    ostrandNs.push_back(ostrand);
    bareNs.push_back(bare);
    ratios.push_back(ostrand / bare);
  }
  if (!ok) {
    std::printf("\nlink cost %u us per call: a send failed; no ratio\n", linkUsPerCall);
    return;
  }
  std::printf(
      "\nlink cost %u us per call, %d rounds: send time, Ostrand over the bare loop "
      "(median of the rounds): %.3f (aim: at most 1.05)\n",
      linkUsPerCall, rounds, Median(ratios));
  std::printf("  per chunk (medians): %.1f ns through Ostrand, %.1f ns in the bare loop\n",
              Median(ostrandNs) / kChunksPerSend, Median(bareNs) / kChunksPerSend);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  CompareInTurns(0, 801);
  CompareInTurns(1, 15);
  benchmark::Shutdown();
  return 0;
}
