#include "tool/transfer/port_binding.h"

#include <algorithm>

namespace vexlow {
namespace {

// ESC "i" "a" 0x01: switches the printer's command mode before an update.
constexpr uint8_t kModeCommand[] = {0x1B, 0x69, 0x61, 0x01};
constexpr uint32_t kModeCommandTimeoutMs = 10000;
// SKWriteFile takes the printer name as a character buffer of at least this
// many bytes and may read all of them.
constexpr std::size_t kPrinterNameBufferSize = 256;

}  // namespace

bool PortBinding::BindPortLibrary() {
  UnbindPortLibrary();
  library_ = loader_.Load("hobrel.dll");
  if (library_ == nullptr) {
    return false;
  }
  // Symbol is a plain function pointer; each is cast back to its own type.
  writeFile_ = reinterpret_cast<SKWriteFileFn>(loader_.Resolve(library_, "SKWriteFile"));
  if (writeFile_ == nullptr) {
    return false;
  }
  readFile_ = reinterpret_cast<SKReadFileFn>(loader_.Resolve(library_, "SKReadFile"));
  return readFile_ != nullptr;
}

void PortBinding::UnbindPortLibrary() {
  if (library_ != nullptr) {
    loader_.Free(library_);
    library_ = nullptr;
  }
  writeFile_ = nullptr;
  readFile_ = nullptr;
}

bool PortBinding::SendModeCommand(const std::string& printerName) {
  // A half-finished binding counts as none: the update then fails here
  // instead of writing through a library that was not fully bound.
  if (!IsBound()) {
    return false;
  }
  std::string nameBuffer = printerName;
  nameBuffer.resize(std::max(printerName.size() + 1, kPrinterNameBufferSize), '\0');
  uint32_t written = 0;
  return writeFile_(nameBuffer.c_str(), 0, kModeCommand, sizeof(kModeCommand), &written,
                    kModeCommandTimeoutMs) != 0;
}

}  // namespace vexlow
