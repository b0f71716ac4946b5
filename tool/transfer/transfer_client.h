// The tool's side of Ostrand: binds the library by name, wraps the calls the
// tool makes so each keeps its transfer result code, and checks that a printer
// answers as the expected model before an update.
#ifndef TOOL_TRANSFER_TRANSFER_CLIENT_H
#define TOOL_TRANSFER_TRANSFER_CLIENT_H

#include <cstdint>
#include <string>

#include "ostrand.h"
#include "platform/library_loader.h"
#include "tool/printers/printer_seams.h"

namespace vexlow {

class TransferClient : public PrinterSupportCheck {
 public:
  explicit TransferClient(platform::LibraryLoader& loader) : loader_(loader) {}
  ~TransferClient() override { UnbindTransferLibrary(); }
  TransferClient(const TransferClient&) = delete;
  TransferClient& operator=(const TransferClient&) = delete;

  // Loads "Ostrand.dll" and resolves its eight entry points in order; false at
  // the first one missing (the library stays loaded).
  bool BindTransferLibrary();
  void UnbindTransferLibrary();

  // The wrappers keep Ostrand's code in LastTransferResult. With no library
  // (or without the entry point) nothing is called: the open fails with
  // TR_OPEN_FAILED, every command with TR_NOT_OPEN.
  bool OpenTransferPrinter(const std::string& name);
  // Asks the library, but answers 1 (supported) whatever it says: no printer
  // is turned away by the driver's transfer declaration.
  uint32_t CheckPrinterSupport(const std::string& name) override;
  bool InitPrinterCommand();
  bool ReadPrinterStatus();
  // Initialise, then a status reply of this model; its nonzero accept count
  // becomes CancelThreshold. A reply of another kind or model leaves the code 0.
  bool CheckPrinterReady();

  // Sends a package with TRSendFile; the code is kept in LastTransferResult.
  int32_t SendFile(const uint8_t* header, const uint8_t* data, const uint32_t* size,
                   TRProgressCallback progress);

  const std::string& CurrentTransferPrinter() const { return currentTransferPrinter_; }
  uint16_t CurrentModelId() const { return currentModelId_; }
  void SetCurrentModelId(uint16_t id) { currentModelId_ = id; }
  void SetCurrentTransferPrinter(const std::string& name) { currentTransferPrinter_ = name; }
  int32_t LastTransferResult() const { return lastTransferResult_; }
  void SetLastTransferResult(int32_t code) { lastTransferResult_ = code; }
  uint32_t CancelThreshold() const { return cancelThreshold_; }
  const uint8_t* StatusBlock() const { return status_; }

 private:
  platform::LibraryLoader& loader_;
  platform::LibraryLoader::Handle library_ = nullptr;
  TRFunctions entry_ = {};  // TRCheckSupportPrinter2 is never bound
  std::string currentTransferPrinter_;
  uint16_t currentModelId_ = 0;
  int32_t lastTransferResult_ = 0;
  uint8_t status_[TR_STATUS_SIZE] = {};
  uint32_t cancelThreshold_ = 0;
  uint8_t openBlock_[TR_OPEN_BLOCK_SIZE] = {};
};

}  // namespace vexlow

#endif  // TOOL_TRANSFER_TRANSFER_CLIENT_H
