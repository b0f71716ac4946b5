#include "stored_files.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

#include "result_messages.h"

namespace cli {

namespace {

constexpr uint32_t kMaxListedEntries = 0xFFFF;

int32_t OSTRAND_CALL KeepGoing(int32_t /*percent*/) {
  return 1;
}

Verification Found(bool matched, std::string words, int32_t code = TR_OK) {
  return {{matched, std::move(words)}, code};
}

}  // namespace

int32_t ListStoredFiles(const TRFunctions& ostrand, uint32_t timeoutMs,
                        std::vector<PackageHeader>* entries) {
  uint32_t count = 0;
  int32_t code = ostrand.getFileList(nullptr, &count, timeoutMs);
  if (code == TR_OK) {
    return kCountAnsweredOk;
  }
  if (code != TR_FILE_COUNT) {
    return code;
  }
  count &= kMaxListedEntries;
  entries->assign(count, PackageHeader{});
  if (count == 0) {
    return TR_OK;
  }
  return ostrand.getFileList(entries->data(), &count, timeoutMs);
}

Verification VerifyStored(const TRFunctions& ostrand, const PackageFile& package,
                          uint32_t timeoutMs) {
  std::vector<PackageHeader> entries;
  if (int32_t code = ListStoredFiles(ostrand, timeoutMs, &entries); code != TR_OK) {
    return Found(false, std::string("reading the file list: ") + ResultMessage(code), code);
  }
  const auto entry = std::find_if(entries.begin(), entries.end(), [&](const PackageHeader& e) {
    return e.bytes == package.header.bytes;
  });
  if (entry == entries.end()) {
    return Found(false, "the printer's file list holds no entry of the package");
  }
  const Payload& sent = package.payload;
  Payload back;
  const uint32_t size = sent.size;
  back.bytes.reset(new (std::nothrow) uint8_t[size]);
  if (!back.bytes) {
    return Found(false, FileProblemText(FileProblem::kOutOfMemory));
  }
  back.size = size;
  uint8_t status[TR_STATUS_SIZE] = {};
  const int32_t code = ostrand.receiveFile(entry->bytes.data(), back.bytes.get(), &back.size,
                                           status, timeoutMs, KeepGoing);
  if (code != TR_OK) {
    return Found(false, std::string("reading the stored file back: ") + ResultMessage(code), code);
  }
  if (std::memcmp(back.bytes.get(), sent.bytes.get(), size) != 0) {
    return Found(false, "the stored file differs from the package's payload");
  }
  return Found(true, "the printer holds the package's payload byte for byte (" +
                         std::to_string(size) + " bytes)");
}

}  // namespace cli
