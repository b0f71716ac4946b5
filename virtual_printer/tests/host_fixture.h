// Ostrand's protocol core, as the host, talking to a virtual printer on
// simulated time: the whole exchange runs in-process with nothing mocked.
#ifndef VIRTUAL_PRINTER_TESTS_HOST_FIXTURE_H
#define VIRTUAL_PRINTER_TESTS_HOST_FIXTURE_H

#include <array>
#include <memory>
#include <vector>

#include "transfer/protocol/transfer_library.h"
#include "virtual_printer/tests/printer_fixture.h"

namespace vp_test {

using Entry = std::array<uint8_t, 64>;

class HostFixture : public PrinterFixture {
 public:
  // Builds the printer from config_ and a fresh library that has opened it.
  void Connect() {
    Build();
    library_ = std::make_unique<ostrand::TransferLibrary>(printer_->Port(), clock_);
    uint8_t block[TR_OPEN_BLOCK_SIZE] = {};
    ASSERT_EQ(library_->InitPrinter(kPrinterName, block), TR_OK);
  }

  int32_t Send(const Package& p, uint32_t timeoutMs = 500000,
               TRProgressCallback progress = nullptr) {
    const uint32_t size = static_cast<uint32_t>(p.payload.size());
    return library_->SendFile(p.header.data(), p.payload.data(), &size, status_, timeoutMs,
                              progress);
  }

  // Receives the file of that entry; its payload size comes from the entry.
  int32_t Receive(const Entry& entry, Bytes* payload, uint32_t timeoutMs = 500000) {
    const uint32_t size = Le32At(&entry[16]);
    payload->assign(size, 0);
    return library_->ReceiveFile(entry.data(), payload->data(), &size, status_, timeoutMs, nullptr);
  }

  // Count call and buffer call; TR_OK with the entries, or the failing code.
  int32_t List(std::vector<Entry>* entries, uint32_t timeoutMs = 10000) {
    uint32_t count = 0;
    int32_t code = library_->GetFileList(nullptr, &count, timeoutMs);
    if (code != TR_FILE_COUNT) {
      return code;
    }
    entries->assign(count, Entry{});
    if (count == 0) {
      return TR_OK;
    }
    return library_->GetFileList(entries->data(), &count, timeoutMs);
  }

  int32_t Delete(const Entry& entry, uint32_t timeoutMs = 10000) {
    return library_->DeleteFile(entry.data(), timeoutMs);
  }

  int32_t GetStatus(uint32_t timeoutMs = 10000) { return library_->GetStatus(status_, timeoutMs); }

  std::unique_ptr<ostrand::TransferLibrary> library_;
  uint8_t status_[TR_STATUS_SIZE] = {};
};

}  // namespace vp_test

#endif  // VIRTUAL_PRINTER_TESTS_HOST_FIXTURE_H
