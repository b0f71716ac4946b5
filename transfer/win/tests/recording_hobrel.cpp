// A test stand-in for hobrel.dll: a scripted printer that accepts everything,
// and a record of every call, one line each, that the test takes through the
// export TakeRecordedCalls.
//
// Record lines: "open <name> <block hex>", "purge", "begin <name> <reserved>
// <timeout>", "end", "write <count> <timeout> <bytes hex>", "read <count>
// <timeout>".
//
// The printer: the open of a printer named "Absent" fails. A status read (32
// bytes) answers 0x81 0x20 0x42, model 0x1234, acceptance byte 1; its accept
// count is 1000 outside a transfer, and during a send (ESC i F D, then the
// 64-byte header whose offset 16 gives the payload size) what is left of the
// payload. Any other read answers the bytes 1, 2, 3, ...
#include <cstring>
#include <string>

#include "portio/hobrel_api.h"

namespace {

constexpr uint32_t kStatusSize = 32;
constexpr uint32_t kIdleAcceptCount = 1000;

// During a send: whether the header is still to come, and the payload bytes
// still owed (every write other than a 4-byte word is payload).
struct Printer {
  bool sending = false;
  bool awaitingHeader = false;
  uint32_t owed = 0;
} printer;

uint32_t LoadLe32(const unsigned char* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

std::string Hex(const void* data, uint32_t count) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (uint32_t i = 0; i < count; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

std::string record;  // the calls since the last take, a line each
std::string taken;

void Record(const std::string& line) {
  record += line + '\n';
}

void TakeWrite(const unsigned char* bytes, uint32_t count) {
  if (count >= 4 && bytes[0] == 0x1B && bytes[1] == 0x69 && bytes[2] == 0x46) {
    printer = {bytes[3] == 'D', bytes[3] == 'D', 0};
  } else if (printer.awaitingHeader && count == 64) {
    printer.owed = LoadLe32(bytes + 16);
    printer.awaitingHeader = false;
  } else if (printer.sending && count != 4) {
    printer.owed -= count < printer.owed ? count : printer.owed;
  }
}

void FillStatus(unsigned char* status) {
  static const unsigned char kStatus[kStatusSize] = {0x81, 0x20, 0x42, 0x34, 0x12, 0, 0, 0, 0, 0,
                                                     0,    0,    0,    0,    0,    0, 0, 0, 1};
  std::memcpy(status, kStatus, kStatusSize);
  const uint32_t accept = printer.sending ? printer.owed : kIdleAcceptCount;
  for (int i = 0; i < 4; ++i) {
    status[24 + i] = static_cast<unsigned char>(accept >> (8 * i));
  }
}

}  // namespace

extern "C" {

int32_t HOBREL_CALL HobrelOpen(const char* printerName, void* openBlock) {
  Record(std::string("open ") + printerName + " " + Hex(openBlock, HOBREL_OPEN_BLOCK_SIZE));
  return std::strcmp(printerName, "Absent") != 0;
}

int32_t HOBREL_CALL HobrelWrite(const void* buffer, uint32_t count, uint32_t* written,
                                uint32_t timeoutMs) {
  Record("write " + std::to_string(count) + " " + std::to_string(timeoutMs) + " " +
         Hex(buffer, count));
  TakeWrite(static_cast<const unsigned char*>(buffer), count);
  *written = count;
  return 1;
}

int32_t HOBREL_CALL HobrelRead(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  Record("read " + std::to_string(count) + " " + std::to_string(timeoutMs));
  auto* bytes = static_cast<unsigned char*>(buffer);
  if (count == kStatusSize) {
    FillStatus(bytes);
  } else {
    for (uint32_t i = 0; i < count; ++i) {
      bytes[i] = static_cast<unsigned char>(i + 1);
    }
  }
  *read = count;
  return 1;
}

int32_t HOBREL_CALL HobrelPurge(void) {
  Record("purge");
  return 1;
}

int32_t HOBREL_CALL HobrelBeginTransfer(const char* printerName, uint32_t reserved,
                                        uint32_t timeoutMs) {
  Record(std::string("begin ") + printerName + " " + std::to_string(reserved) + " " +
         std::to_string(timeoutMs));
  return 1;
}

int32_t HOBREL_CALL HobrelEndTransfer(void) {
  Record("end");
  return 1;
}

// The calls recorded since the last take, one line each; valid until the next
// take.
const char* TakeRecordedCalls(void) {
  taken.swap(record);
  record.clear();
  return taken.c_str();
}

}  // extern "C"
