#include "tool/transfer/package_file.h"

#include <array>

namespace vexlow {

bool PackageFile::Open(const std::string& path) {
  header_ = PackageHeader{};
  if (!file_.Open(path)) {
    return false;
  }
  std::array<uint8_t, PackageHeader::kSize> start;
  const std::size_t read = file_.Read(start.data(), start.size());
  header_ = ReadPackageHeader(start.data(), read);
  file_.Seek(0, platform::File::Origin::Begin);
  return true;
}

bool PackageFile::HoldsPayload(std::size_t size) {
  const int64_t length = file_.Seek(0, platform::File::Origin::End);
  return length >= static_cast<int64_t>(PackageHeader::kSize) &&
         static_cast<uint64_t>(length) - PackageHeader::kSize >= size;
}

bool PackageFile::ReadPayload(void* buffer, std::size_t size) {
  return file_.Seek(PackageHeader::kSize, platform::File::Origin::Begin) ==
             static_cast<int64_t>(PackageHeader::kSize) &&
         file_.Read(buffer, size) == size;
}

}  // namespace vexlow
