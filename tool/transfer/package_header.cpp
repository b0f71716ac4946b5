#include "tool/transfer/package_header.h"

#include <algorithm>

#include "platform/byte_view.h"

namespace vexlow {
namespace {

constexpr std::size_t kModelIdOffset = 2;
constexpr std::size_t kPayloadSizeOffset = 16;

}  // namespace

uint16_t PackageHeader::ModelId() const {
  return platform::ByteReader(bytes.data(), bytes.size()).U16(kModelIdOffset).value_or(0);
}

int32_t PackageHeader::RawPayloadSize() const {
  return platform::ByteReader(bytes.data(), bytes.size()).I32(kPayloadSizeOffset).value_or(0);
}

std::optional<int32_t> PackageHeader::PayloadSize() const {
  const int32_t size = RawPayloadSize();
  return size > 0 ? std::optional<int32_t>(size) : std::nullopt;
}

PackageHeader ReadPackageHeader(const void* fileBytes, std::size_t size) {
  PackageHeader header;
  const platform::ByteReader file(fileBytes, size);
  file.Copy(0, header.bytes.data(), std::min(file.Size(), PackageHeader::kSize));
  return header;
}

}  // namespace vexlow
