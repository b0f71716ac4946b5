// Opening the printer and the two probes that need no transfer: initialise and
// status.
#include <cstring>

#include "port_calls.h"
#include "time_budget.h"
#include "transfer_library.h"
#include "wire_format.h"

namespace ostrand {

void TransferLibrary::StoreName(const char* printerName) {
  // A spooler name has at most 259 characters; a longer one is cut so the
  // stored copy always ends inside its buffer. No name at all counts as "".
  const char* name = printerName != nullptr ? printerName : "";
  const size_t length = strnlen(name, kNameCapacity - 1);
  std::memcpy(printerName_, name, length);
  printerName_[length] = '\0';
}

int32_t TransferLibrary::InitPrinter(const char* printerName, void* openBlock) {
  // The name is replaced even when the open then fails: begin transfer uses
  // the name of the last call.
  StoreName(printerName);
  if (!port_.Open(printerName_, openBlock)) {
    return TR_OPEN_FAILED;
  }
  open_ = true;
  port_.Purge();
  return TR_OK;
}

int32_t TransferLibrary::CmdInit(uint32_t timeoutMs) {
  if (!open_) {
    return TR_NOT_OPEN;
  }
  port_.Purge();
  // The printer sends no reply to the initialise command.
  return detail::WriteCommand(port_, wire::Command::kInitialise, timeoutMs) ? TR_OK
                                                                            : TR_WRITE_FAILED;
}

int32_t TransferLibrary::GetStatus(void* status, uint32_t timeoutMs) {
  const detail::TimeBudget budget(clock_, timeoutMs);  // the whole call counts
  if (!open_) {
    return TR_NOT_OPEN;
  }
  port_.Purge();
  if (!detail::WriteCommand(port_, wire::Command::kStatus, timeoutMs)) {
    return TR_WRITE_FAILED;
  }
  const int32_t remaining = budget.Remaining();
  if (remaining <= 0) {
    return TR_TIMEOUT;
  }
  return detail::ReadAll(port_, status, wire::kStatusSize, static_cast<uint32_t>(remaining))
             ? TR_OK
             : TR_READ_FAILED;
}

}  // namespace ostrand
