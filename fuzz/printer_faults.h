// A virtual printer's configuration as the input makes it: its flow control,
// and the faults a printer on a real link may show.
#ifndef FUZZ_PRINTER_FAULTS_H
#define FUZZ_PRINTER_FAULTS_H

#include "fuzz/fuzz_input.h"
#include "virtual_printer/core/printer_config.h"

namespace fuzz {

inline vp::PrinterConfig FaultyPrinter(FuzzInput& input) {
  vp::PrinterConfig config;
  const uint8_t faults = input.U8();
  config.acceptCount = input.InRange(1, 5000);
  config.statusAcceptCount = input.U32();
  config.faults.rejectRequest = (faults & 1) != 0 ? input.InRange(1, 3) : 0;
  config.faults.breakLinkAfterBytes = (faults & 2) != 0 ? input.InRange(1, 3000) : 0;
  config.faults.shortStatusBytes =
      (faults & 4) != 0 ? static_cast<int32_t>(input.InRange(0, 31)) : -1;
  config.faults.wrongModel = (faults & 8) != 0;
  config.faults.wrongMagic = (faults & 16) != 0;
  config.faults.lateStatusMs = (faults & 32) != 0 ? input.InRange(0, 6000) : 0;
  return config;
}

}  // namespace fuzz

#endif  // FUZZ_PRINTER_FAULTS_H
