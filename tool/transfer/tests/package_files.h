// Package files written into a temporary folder for one test.
#ifndef TOOL_TRANSFER_TESTS_PACKAGE_FILES_H
#define TOOL_TRANSFER_TESTS_PACKAGE_FILES_H

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

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

  // Writes a package of that model whose header announces `declaredSize`
  // bytes, followed by `payloadBytes` bytes; returns its path.
  std::string Write(const std::string& name, uint16_t modelId, int32_t declaredSize,
                    std::size_t payloadBytes) const {
    std::vector<uint8_t> file(64, 0);
    file[0] = 0x90;
    file[1] = 0x40;
    file[2] = static_cast<uint8_t>(modelId);
    file[3] = static_cast<uint8_t>(modelId >> 8);
    for (int i = 0; i < 4; ++i) {
      file[16 + i] = static_cast<uint8_t>(static_cast<uint32_t>(declaredSize) >> (8 * i));
    }
    const std::vector<uint8_t> payload = Payload(payloadBytes);
    file.insert(file.end(), payload.begin(), payload.end());
    const std::string path = (folder_ / name).string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
    return path;
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  std::filesystem::path folder_;
};

}  // namespace vexlow::testing

#endif  // TOOL_TRANSFER_TESTS_PACKAGE_FILES_H
