// The printer's stored files: the file list (a count call, then a buffer call)
// and deleting one file by its 64-byte entry.
#include <array>
#include <cstring>

#include "port_calls.h"
#include "time_budget.h"
#include "transfer_library.h"
#include "wire_format.h"

namespace ostrand {

namespace {

constexpr uint32_t kFileListRequestSize = wire::kFrameSize + 1;
constexpr uint32_t kDeleteRequestSize = wire::kFrameSize + wire::kFileEntrySize;

}  // namespace

int32_t TransferLibrary::GetFileList(void* list, uint32_t* count, uint32_t timeoutMs) {
  if (list == nullptr) {
    return RequestFileCount(count, timeoutMs);
  }
  return ReadFileEntries(list, *count, timeoutMs);
}

int32_t TransferLibrary::RequestFileCount(uint32_t* count, uint32_t timeoutMs) {
  const detail::TimeBudget budget(clock_, timeoutMs);
  if (!open_) {
    return TR_NOT_OPEN;
  }
  port_.Purge();
  std::array<uint8_t, kFileListRequestSize> request{};
  const wire::Frame frame = wire::CommandFrame(wire::Command::kFileList);
  std::memcpy(request.data(), frame.data(), frame.size());
  if (!detail::WriteAll(port_, request.data(), kFileListRequestSize, timeoutMs)) {
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
  *count = wire::GetLe16(reply.data());
  return TR_FILE_COUNT;
}

int32_t TransferLibrary::ReadFileEntries(void* list, uint32_t count, uint32_t timeoutMs) {
  if (!open_) {
    return TR_NOT_OPEN;
  }
  // The printer sends the entries right after the count: no purge, no command.
  // Its count is 16 bits wide, so only those bits of the caller's count apply.
  const uint32_t bytes = (count & 0xFFFFu) * wire::kFileEntrySize;
  return detail::ReadAll(port_, list, bytes, timeoutMs) ? TR_OK : TR_READ_FAILED;
}

int32_t TransferLibrary::DeleteFile(const void* entry, uint32_t timeoutMs) {
  if (!open_) {
    return TR_NOT_OPEN;
  }
  port_.Purge();
  const detail::TimeBudget budget(clock_, timeoutMs);
  std::array<uint8_t, kDeleteRequestSize> request{};
  const wire::Frame frame = wire::CommandFrame(wire::Command::kDeleteFile);
  std::memcpy(request.data(), frame.data(), frame.size());
  std::memcpy(request.data() + frame.size(), entry, wire::kFileEntrySize);
  if (!detail::WriteAll(port_, request.data(), kDeleteRequestSize, timeoutMs)) {
    return TR_WRITE_FAILED;
  }
  const int32_t remaining = budget.Remaining();
  if (remaining <= 0) {
    return TR_TIMEOUT;
  }
  wire::StatusBlock status{};
  if (!detail::ReadAll(port_, status.data(), wire::kStatusSize, static_cast<uint32_t>(remaining))) {
    return TR_READ_FAILED;
  }
  return wire::IsAccepted(status) ? TR_OK : TR_REJECTED;
}

}  // namespace ostrand
