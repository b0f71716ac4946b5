// The virtual printer against a hostile host. The input is the printer's
// configuration text (as its ini file would hold it; the defaults when it is
// not understood), then any sequence of port calls: opens, writes of command
// frames, headers, length words or any bytes, reads of any count, purges,
// begins and ends, and the by-name calls. The printer runs on simulated time
// with its trace kept in memory. Besides the sanitizers: no call reports more
// bytes than it was given room for, and the printer keeps only whole files
// within its capacity.
#include <memory>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "virtual_printer/core/byte_order.h"
#include "virtual_printer/core/config_parser.h"
#include "virtual_printer/core/virtual_printer.h"
#include "virtual_printer/core/wire.h"
#include "virtual_printer/tests/sim_clock.h"

namespace vp_fuzz {
namespace {

// What a host writes: a command frame, a header announcing some payload, a
// length word, the mode command, or any bytes.
std::vector<uint8_t> HostBytes(fuzz::FuzzInput& input) {
  const uint8_t shape = input.U8();
  switch (shape & 7) {
    case 0:
      return {vp::kEsc, vp::kFrameI, vp::kFrameF, input.U8()};
    case 1: {
      std::vector<uint8_t> header = input.Bytes(vp::kEntrySize);
      header.resize(vp::kEntrySize);
      vp::WriteLe32(header.data() + vp::kHeaderPayloadSizeOffset,
                    (shape & 8) != 0 ? input.U32() : input.InRange(0, 2000));
      return header;
    }
    case 2:
    case 3: {
      std::vector<uint8_t> word(vp::kLengthWordSize);
      vp::WriteLe32(word.data(), (shape & 8) != 0 ? input.U32() : input.InRange(0, 210));
      return word;
    }
    case 4:
      return {vp::kEsc, vp::kFrameI, vp::kFrameModeA, input.U8()};
    default: {
      std::vector<uint8_t> bytes = input.Bytes(input.InRange(0, 300));
      return bytes;
    }
  }
}

std::string Name(fuzz::FuzzInput& input, const vp::PrinterConfig& config) {
  if ((input.U8() & 1) != 0 && !config.names.empty()) {
    return config.names[input.InRange(0, static_cast<uint32_t>(config.names.size() - 1))];
  }
  return input.Text(300);
}

void CheckStore(vp::VirtualPrinter& printer, const vp::PrinterConfig& config) {
  uint64_t held = 0;
  for (const vp::StoredFile& file : printer.Store().Files()) {
    FUZZ_CHECK(file.payloadSize == vp::ReadLe32(file.entry.data() + vp::kHeaderPayloadSizeOffset),
               "a stored file is whole: as long as its header says");
    held += file.payloadSize;
  }
  FUZZ_CHECK(held <= config.capacityBytes, "the stored files fit the printer's capacity");
}

void RunOne(fuzz::FuzzInput& input) {
  vp::PrinterConfig config;
  std::string error;
  if (!vp::ParsePrinterConfig(input.Text(400), &config, &error)) {
    config = vp::PrinterConfig{};
  }
  // Nothing of the host's reaches the file system.
  config.stateDir.clear();
  config.tracePath.clear();
  vp_test::SimClock clock;
  std::unique_ptr<vp::VirtualPrinter> printer = vp::VirtualPrinter::Create(config, clock, &error);
  FUZZ_CHECK(printer != nullptr, "a printer kept in memory can always be made");
  if ((input.U8() & 1) != 0) {
    printer->GetTrace().CaptureInMemory();
  }
  vp::VirtualPort& port = printer->Port();
  while (!input.Empty()) {
    const uint8_t call = input.U8();
    const uint32_t timeout = input.InRange(0, 5000);
    // A count pointer the host may leave null.
    uint32_t moved = 0xFFFFFFFF;
    uint32_t* count = (call & 0x80) != 0 ? nullptr : &moved;
    switch (call & 7) {
      case 0: {
        uint8_t block[10] = {};
        port.Open(Name(input, config).c_str(), (call & 8) != 0 ? nullptr : block);
        break;
      }
      case 1:
      case 2: {
        const std::vector<uint8_t> bytes = HostBytes(input);
        if ((call & 7) == 1) {
          port.Write(bytes.data(), static_cast<uint32_t>(bytes.size()), count, timeout);
        } else {
          port.WriteByName(Name(input, config).c_str(), input.U8(), bytes.data(),
                           static_cast<uint32_t>(bytes.size()), count, timeout);
        }
        FUZZ_CHECK(count == nullptr || moved <= bytes.size(),
                   "a write reports no more than it was given");
        break;
      }
      case 3:
      case 4: {
        const uint32_t wanted = (call & 8) != 0 ? 32 : input.InRange(0, 300);
        // Exactly the room asked for, so the sanitizer sees any byte past it.
        const std::unique_ptr<uint8_t[]> buffer(new uint8_t[wanted]);
        if ((call & 7) == 3) {
          port.Read(buffer.get(), wanted, count, timeout);
        } else {
          port.ReadByName(Name(input, config).c_str(), input.U8(), buffer.get(), wanted, count,
                          timeout);
        }
        FUZZ_CHECK(count == nullptr || moved <= wanted, "a read reports no more than it was asked");
        break;
      }
      case 5:
        port.Purge();
        break;
      case 6:
        port.BeginTransfer(Name(input, config).c_str(), input.U8(), timeout);
        break;
      default:
        port.EndTransfer();
        break;
    }
    CheckStore(*printer, config);
  }
}

}  // namespace
}  // namespace vp_fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  vp_fuzz::RunOne(input);
  return 0;
}
