// The printer's stored files: the file list (a count call, then a buffer call)
// and deleting one file by its 64-byte entry.
#include <array>

#include "ostrand_status.h"
#include "platform/byte_view.h"
#include "port_calls.h"
#include "time_budget.h"
#include "transfer_library.h"
#include "wire_format.h"

namespace ostrand {

int32_t TransferLibrary::GetFileList(void* list, uint32_t* count, uint32_t timeoutMs) {
  if (list == nullptr) {
    return RequestFileCount(count, timeoutMs);
  }
  // The buffer call. Like every command it checks the open flag before it
  // touches anything of the caller's, the count included.
  if (!open_) {
    return TR_NOT_OPEN;
  }
  // The printer sends the entries right after the count: no purge, no command.
  // Its count is 16 bits wide, so only those bits of the caller's count apply.
  const uint32_t bytes = (*count & 0xFFFFu) * wire::kFileEntrySize;
  return detail::ReadAll(port_, list, bytes, timeoutMs) ? TR_OK : TR_READ_FAILED;
}

int32_t TransferLibrary::RequestFileCount(uint32_t* count, uint32_t timeoutMs) {
  const detail::TimeBudget budget(clock_, timeoutMs);
  if (!open_) {
    return TR_NOT_OPEN;
  }
  port_.Purge();
  const uint8_t listAll = 0x00;
  const auto request = wire::CommandWith<1>(wire::Command::kFileList, &listAll);
  if (!detail::WriteAll(port_, request.data(), request.size(), timeoutMs)) {
    return TR_WRITE_FAILED;
  }
  const int32_t remaining = budget.Remaining();
  if (remaining <= 0) {
    return TR_TIMEOUT;
  }
  std::array<uint8_t, wire::kFileCountSize> reply{};
  if (!detail::ReadAll(port_, reply.data(), wire::kFileCountSize,
                       static_cast<uint32_t>(remaining))) {
    return TR_READ_FAILED;  // the caller's count stays as it was
  }
  *count = platform::ByteReader(reply.data(), reply.size()).U16(0).value_or(0);
  return TR_FILE_COUNT;
}

int32_t TransferLibrary::DeleteFile(const void* entry, uint32_t timeoutMs) {
  if (!open_) {
    return TR_NOT_OPEN;
  }
  port_.Purge();
  const detail::TimeBudget budget(clock_, timeoutMs);
  const auto request = wire::CommandWith<wire::kFileEntrySize>(wire::Command::kDeleteFile, entry);
  if (!detail::WriteAll(port_, request.data(), request.size(), timeoutMs)) {
    return TR_WRITE_FAILED;
  }
  const int32_t remaining = budget.Remaining();
  if (remaining <= 0) {
    return TR_TIMEOUT;
  }
  StatusBlock status;
  if (!detail::ReadAll(port_, status.bytes.data(), wire::kStatusSize,
                       static_cast<uint32_t>(remaining))) {
    return TR_READ_FAILED;
  }
  return status.Accepted() ? TR_OK : TR_REJECTED;
}

}  // namespace ostrand
