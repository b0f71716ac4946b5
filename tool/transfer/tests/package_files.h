// Package files for tests: headers made with the product's own PackageHeader,
// and whole files written into a temporary folder for one test.
#ifndef TOOL_TRANSFER_TESTS_PACKAGE_FILES_H
#define TOOL_TRANSFER_TESTS_PACKAGE_FILES_H

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/byte_view.h"
#include "tool/transfer/package_header.h"

namespace vexlow::testing {

// Payload byte i of a package is i & 0xFF.
inline std::vector<uint8_t> Payload(std::size_t size) {
  std::vector<uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<uint8_t>(i);
  }
  return bytes;
}

class PackageFolder {
 public:
  PackageFolder()
      : folder_(std::filesystem::temp_directory_path() /
                ("vexlow_packages_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))) {
    std::filesystem::create_directories(folder_);
  }
  ~PackageFolder() { std::filesystem::remove_all(folder_); }

  // Writes a package file under that name: a new header naming the model and
  // announcing `declaredSize` bytes, then `payloadBytes` bytes of Payload().
  // Returns its path.
  std::string Write(const std::string& name, uint16_t modelId, int32_t declaredSize,
                    std::size_t payloadBytes) const {
    PackageHeader header;
    platform::ByteWriter fields(header.bytes.data(), header.bytes.size());
    fields.PutU16(2, modelId);
    fields.PutU32(16, static_cast<uint32_t>(declaredSize));
    const std::vector<uint8_t> payload = Payload(payloadBytes);
    const std::string path = Path(name);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(header.bytes.data()), PackageHeader::kSize);
    file.write(reinterpret_cast<const char*>(payload.data()),
               static_cast<std::streamsize>(payload.size()));
    return path;
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
};

}  // namespace vexlow::testing

#endif  // TOOL_TRANSFER_TESTS_PACKAGE_FILES_H
