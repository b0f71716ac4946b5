// What one virtual printer is: the names it answers to, its model, its flow
// control, where it keeps its files, and the faults it injects. Read from the
// ini file described in virtual_printer/README.md; the defaults make one ready
// printer.
#ifndef VIRTUAL_PRINTER_CORE_PRINTER_CONFIG_H
#define VIRTUAL_PRINTER_CORE_PRINTER_CONFIG_H

#include <cstdint>
#include <string>
#include <vector>

namespace vp {

inline constexpr const char* kDefaultPrinterName = "Virtual Printer";
inline constexpr uint16_t kDefaultModelId = 0x0415;

// Which status replies a status fault touches.
enum class StatusScope {
  kAll,       // every status reply
  kDataOnly,  // only the blocks that answer payload chunks of a send or receive
};

struct FaultConfig {
  // The nth file request (D, U or R) since the printer was opened is rejected; 0: none.
  uint32_t rejectRequest = 0;
  // The link breaks once this many bytes have crossed since open; 0: never.
  uint64_t breakLinkAfterBytes = 0;
  // Status replies become readable only this many milliseconds after they are due.
  uint32_t lateStatusMs = 0;
  StatusScope lateStatusScope = StatusScope::kAll;
  // Status replies carry only this many of their 32 bytes; negative: whole replies.
  int32_t shortStatusBytes = -1;
  StatusScope shortStatusScope = StatusScope::kAll;
  bool refuseBeginTransfer = false;
  // A slow link: every write and read costs perCall plus perByte for each byte moved.
  uint32_t slowLinkUsPerByte = 0;
  uint32_t slowLinkUsPerCall = 0;
  // The status blocks report this model instead of the configured one.
  bool wrongModel = false;
  uint16_t wrongModelId = 0;
  // The status blocks do not begin with 0x81 0x20 0x42.
  bool wrongMagic = false;
};

struct PrinterConfig {
  // Names (compared without regard to ASCII case) under which the printer opens.
  std::vector<std::string> names{kDefaultPrinterName};
  uint16_t modelId = kDefaultModelId;
  // Accept count in the reply to the status command (the host's cancel threshold).
  uint32_t statusAcceptCount = 1048576;
  // Payload bytes taken or given per status block during a transfer; at least 1.
  uint32_t acceptCount = 4096;
  // Total payload bytes the printer's memory holds.
  uint64_t capacityBytes = 64ull * 1024 * 1024;
  // Folder where stored files persist between processes; empty keeps them in memory.
  std::string stateDir;
  // File the trace is appended to; empty writes no trace.
  std::string tracePath;
  // Every trace line starts with the milliseconds since the printer was loaded.
  bool traceTimes = false;
  // A recording of a real printer's port calls to answer with instead of the
  // model (replay_port.h); empty: the model answers.
  std::string replayPath;
  FaultConfig faults;

  bool AnswersTo(const char* printerName) const;
};

// The faults that are on, as their ini lines would set them
// ("reject_request 2, slow_link 10 200"), or "none".
std::string DescribeFaults(const FaultConfig& faults);

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_PRINTER_CONFIG_H
