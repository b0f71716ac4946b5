// Every injected fault, run through Ostrand's protocol core: the result code the
// host gets, and what the printer holds afterwards (never a partial file).
#include <gtest/gtest.h>

#include "virtual_printer/tests/host_fixture.h"

namespace vp_test {
namespace {

enum class Operation {
  kOpenUnknownName,
  kStatus,
  kSend,            // a 10000-byte package to an empty printer
  kReceive,         // the one stored file
  kReceiveMissing,  // an entry the printer does not hold
  kDelete,          // the one stored file
  kDeleteMissing,
};

struct FaultCase {
  const char* name;
  void (*configure)(vp::PrinterConfig& c);
  Operation operation;
  uint32_t timeoutMs;
  int32_t expectedCode;
  size_t filesAfter;
};

constexpr uint32_t kPayload = 10000;
constexpr uint32_t kFirstChunkBytes = 4 + 64 + 32;  // command, header, first status

const FaultCase kFaults[] = {
    {"unknown printer name", [](vp::PrinterConfig& c) { c.names = {"Another Printer"}; },
     Operation::kOpenUnknownName, 10000, TR_OPEN_FAILED, 0},
    {"reject the first request: send", [](vp::PrinterConfig& c) { c.faults.rejectRequest = 1; },
     Operation::kSend, 500000, TR_REJECTED, 0},
    {"reject the first request: receive", [](vp::PrinterConfig& c) { c.faults.rejectRequest = 1; },
     Operation::kReceive, 500000, TR_REJECTED, 1},
    {"reject the first request: delete", [](vp::PrinterConfig& c) { c.faults.rejectRequest = 1; },
     Operation::kDelete, 10000, TR_REJECTED, 1},
    {"receive of an entry the printer does not hold", [](vp::PrinterConfig&) {},
     Operation::kReceiveMissing, 500000, TR_REJECTED, 1},
    {"delete of an entry the printer does not hold", [](vp::PrinterConfig&) {},
     Operation::kDeleteMissing, 10000, TR_REJECTED, 1},
    {"link breaks in the middle of a chunk",
     [](vp::PrinterConfig& c) { c.faults.breakLinkAfterBytes = kFirstChunkBytes + 204 + 104; },
     Operation::kSend, 500000, TR_WRITE_FAILED, 0},
    {"link breaks in the first status block",
     [](vp::PrinterConfig& c) { c.faults.breakLinkAfterBytes = 4 + 64 + 10; }, Operation::kSend,
     500000, TR_READ_FAILED, 0},
    {"link breaks while the send awaits a status block",
     [](vp::PrinterConfig& c) {
       c.faults.breakLinkAfterBytes = kFirstChunkBytes + 4096 + 21 * 4 + 10;
     },
     Operation::kSend, 500000, TR_TIMEOUT, 0},
    {"link breaks while a chunk is received",
     [](vp::PrinterConfig& c) { c.faults.breakLinkAfterBytes = kFirstChunkBytes + 4 + 100; },
     Operation::kReceive, 500000, TR_READ_FAILED, 1},
    {"late status beyond the time limit: send",
     [](vp::PrinterConfig& c) {
       c.faults.lateStatusMs = 600000;
       c.faults.lateStatusScope = vp::StatusScope::kDataOnly;
     },
     Operation::kSend, 10000, TR_TIMEOUT, 0},
    {"late status within the time limit: send",
     [](vp::PrinterConfig& c) {
       c.faults.lateStatusMs = 3000;
       c.faults.lateStatusScope = vp::StatusScope::kDataOnly;
     },
     Operation::kSend, 500000, TR_OK, 1},
    {"late status beyond the read time-out: receive",
     [](vp::PrinterConfig& c) {
       c.faults.lateStatusMs = 600000;
       c.faults.lateStatusScope = vp::StatusScope::kDataOnly;
     },
     Operation::kReceive, 10000, TR_READ_FAILED, 1},
    {"late status beyond the time-out: status",
     [](vp::PrinterConfig& c) { c.faults.lateStatusMs = 5000; }, Operation::kStatus, 2000,
     TR_READ_FAILED, 0},
    {"short status replies: status", [](vp::PrinterConfig& c) { c.faults.shortStatusBytes = 16; },
     Operation::kStatus, 10000, TR_READ_FAILED, 0},
    {"short status replies: first block of a send",
     [](vp::PrinterConfig& c) { c.faults.shortStatusBytes = 16; }, Operation::kSend, 500000,
     TR_READ_FAILED, 0},
    {"short status replies while a send waits",
     [](vp::PrinterConfig& c) {
       c.faults.shortStatusBytes = 16;
       c.faults.shortStatusScope = vp::StatusScope::kDataOnly;
     },
     Operation::kSend, 500000, TR_TIMEOUT, 0},
    // The printer did remove the file; only its answer was cut short.
    {"short status replies: delete", [](vp::PrinterConfig& c) { c.faults.shortStatusBytes = 16; },
     Operation::kDelete, 10000, TR_READ_FAILED, 0},
    {"begin transfer refused: send",
     [](vp::PrinterConfig& c) { c.faults.refuseBeginTransfer = true; }, Operation::kSend, 500000,
     TR_TIMEOUT, 0},
    {"begin transfer refused: receive",
     [](vp::PrinterConfig& c) { c.faults.refuseBeginTransfer = true; }, Operation::kReceive, 500000,
     TR_TIMEOUT, 1},
    {"slow link beyond the time limit",
     [](vp::PrinterConfig& c) { c.faults.slowLinkUsPerByte = 100; }, Operation::kSend, 500,
     TR_TIMEOUT, 0},
    {"slow link within the time limit",
     [](vp::PrinterConfig& c) {
       c.faults.slowLinkUsPerByte = 10;
       c.faults.slowLinkUsPerCall = 100;
     },
     Operation::kSend, 500000, TR_OK, 1},
    {"wrong model: the status block still arrives",
     [](vp::PrinterConfig& c) {
       c.faults.wrongModel = true;
       c.faults.wrongModelId = 0x7777;
     },
     Operation::kStatus, 10000, TR_OK, 0},
    {"wrong magic: the status block still arrives",
     [](vp::PrinterConfig& c) { c.faults.wrongMagic = true; }, Operation::kStatus, 10000, TR_OK, 0},
};

void PrintTo(const FaultCase& fault, std::ostream* os) {
  *os << fault.name;
}

class FaultMatrixTest : public HostFixture, public testing::WithParamInterface<FaultCase> {};

TEST_P(FaultMatrixTest, EndsWithItsResultCodeAndNoPartialFile) {
  const FaultCase& fault = GetParam();
  fault.configure(config_);
  Package stored = MakePackage(vp::kDefaultModelId, kPayload, 7);
  Package missing = MakePackage(vp::kDefaultModelId, kPayload, 8);
  Build();
  library_ = std::make_unique<ostrand::TransferLibrary>(printer_->Port(), clock_);
  if (fault.operation == Operation::kOpenUnknownName) {
    EXPECT_EQ(library_->InitPrinter(kPrinterName, nullptr), fault.expectedCode);
    return;
  }
  ASSERT_EQ(library_->InitPrinter(kPrinterName, nullptr), TR_OK);
  const bool seeded = fault.operation != Operation::kSend && fault.operation != Operation::kStatus;
  if (seeded) {
    Seed(stored);
  }

  Bytes received;
  int32_t code = -1;
  switch (fault.operation) {
    case Operation::kStatus:
      code = GetStatus(fault.timeoutMs);
      break;
    case Operation::kSend:
      code = Send(stored, fault.timeoutMs);
      break;
    case Operation::kReceive:
      code = Receive(stored.header, &received, fault.timeoutMs);
      break;
    case Operation::kReceiveMissing:
      code = Receive(missing.header, &received, fault.timeoutMs);
      break;
    case Operation::kDelete:
      code = Delete(stored.header, fault.timeoutMs);
      break;
    case Operation::kDeleteMissing:
      code = Delete(missing.header, fault.timeoutMs);
      break;
    case Operation::kOpenUnknownName:
      break;
  }
  EXPECT_EQ(code, fault.expectedCode) << TraceText();

  std::vector<vp::StoredFile> held = printer_->Store().Files();
  ASSERT_EQ(held.size(), fault.filesAfter);
  if (!held.empty()) {
    // Whatever is held is complete and intact.
    Bytes payload;
    ASSERT_TRUE(printer_->Store().Load(held[0].entry, &payload));
    EXPECT_EQ(payload, stored.payload);
  }
  if (fault.operation == Operation::kStatus && code == TR_OK) {
    // The library hands the block on unread; the caller's check must catch it.
    const bool magicOk = status_[0] == 0x81 && status_[1] == 0x20 && status_[2] == 0x42;
    const uint16_t model = static_cast<uint16_t>(status_[3] | (status_[4] << 8));
    EXPECT_EQ(magicOk, !config_.faults.wrongMagic);
    EXPECT_EQ(model, config_.faults.wrongModel ? config_.faults.wrongModelId : config_.modelId);
  }
}

std::string CaseName(const testing::TestParamInfo<FaultCase>& info) {
  std::string name;
  for (const char* c = info.param.name; *c != '\0'; ++c) {
    name.push_back(std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_');
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrixTest, testing::ValuesIn(kFaults), CaseName);

}  // namespace
}  // namespace vp_test
