#include "package_file.h"

#include <cstdio>
#include <new>

#include "platform/file.h"

namespace cli {

const char* FileProblemText(FileProblem problem) {
  switch (problem) {
    case FileProblem::kNone:
      return "usable";
    case FileProblem::kCannotOpen:
      return "cannot be opened";
    case FileProblem::kShorterThanHeader:
      return "is shorter than a 64-byte header";
    case FileProblem::kEmptyPayload:
      return "announces an empty payload";
    case FileProblem::kPayloadTooLarge:
      return "announces a payload of 2 GiB or more, more than a package holds";
    case FileProblem::kShorterThanPayload:
      return "is shorter than the header and the payload it announces";
    case FileProblem::kOutOfMemory:
      return "announces a payload too large for the memory of this computer";
  }
  return "is not usable";
}

FileProblem AllocatePayload(const PackageHeader& header, Payload* payload) {
  const int32_t size = header.RawPayloadSize();
  if (size <= 0) {
    return size == 0 ? FileProblem::kEmptyPayload : FileProblem::kPayloadTooLarge;
  }
  payload->bytes.reset(new (std::nothrow) uint8_t[static_cast<uint32_t>(size)]);
  payload->size = payload->bytes ? static_cast<uint32_t>(size) : 0;
  return payload->bytes ? FileProblem::kNone : FileProblem::kOutOfMemory;
}

FileProblem ReadPackageFile(const std::string& path, PackageFile* package) {
  platform::File file;
  if (!file.Open(path)) {
    return FileProblem::kCannotOpen;
  }
  PackageHeader& header = package->header;
  if (file.Read(header.bytes.data(), header.bytes.size()) != header.bytes.size()) {
    return FileProblem::kShorterThanHeader;
  }
  // 64-bit: a file of 2 GiB or more is measured, not misread.
  const int64_t length = file.Seek(0, platform::File::Origin::End);
  const int64_t headerSize = PackageHeader::kSize;
  if (header.PayloadSize() && length - headerSize < *header.PayloadSize()) {
    return FileProblem::kShorterThanPayload;
  }
  if (FileProblem problem = AllocatePayload(header, &package->payload);
      problem != FileProblem::kNone) {
    return problem;
  }
  const Payload& payload = package->payload;
  if (file.Seek(headerSize, platform::File::Origin::Begin) < 0 ||
      file.Read(payload.bytes.get(), payload.size) != payload.size) {
    return FileProblem::kShorterThanPayload;
  }
  return FileProblem::kNone;
}

FileProblem ReadEntryFile(const std::string& path, PackageHeader* entry) {
  platform::File file;
  if (!file.Open(path)) {
    return FileProblem::kCannotOpen;
  }
  return file.Read(entry->bytes.data(), entry->bytes.size()) == entry->bytes.size()
             ? FileProblem::kNone
             : FileProblem::kShorterThanHeader;
}

bool WritePackageFile(const std::string& path, const PackageFile& package) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  const auto& header = package.header.bytes;
  const Payload& payload = package.payload;
  bool ok = std::fwrite(header.data(), 1, header.size(), file) == header.size() &&
            std::fwrite(payload.bytes.get(), 1, payload.size, file) == payload.size;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) {
    std::remove(path.c_str());
  }
  return ok;
}

}  // namespace cli
