// Package files as the host sends them: the product's own new header with a
// model, a payload size and a tag to tell packages apart, a payload of
// distinct bytes, and whole files in a folder of one test.
#ifndef VIRTUAL_PRINTER_TESTS_PACKAGES_H
#define VIRTUAL_PRINTER_TESTS_PACKAGES_H

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tool/transfer/package_header.h"

namespace vp_test {

using Bytes = std::vector<uint8_t>;

// Model at offset 2 and payload size at offset 16, little-endian; the tag in a
// byte nobody reads.
inline vexlow::PackageHeader NewPackageHeader(uint16_t model, uint32_t payloadSize,
                                              uint8_t tag = 0) {
  vexlow::PackageHeader header;
  for (int i = 0; i < 4; ++i) {
    header.bytes[16 + i] = static_cast<uint8_t>(payloadSize >> (8 * i));
  }
  header.bytes[2] = static_cast<uint8_t>(model);
  header.bytes[3] = static_cast<uint8_t>(model >> 8);
  header.bytes[32] = tag;
  return header;
}

struct Package {
  std::array<uint8_t, 64> header{};
  Bytes payload;
};

// The payload's first n bytes are the same whatever its size.
inline Package MakePackage(uint16_t model, uint32_t payloadSize, uint8_t tag = 1) {
  Package p{NewPackageHeader(model, payloadSize, tag).bytes, Bytes(payloadSize)};
  for (uint32_t i = 0; i < payloadSize; ++i) {
    p.payload[i] = static_cast<uint8_t>(tag * 31 + i * 7 + (i >> 8));
  }
  return p;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

// A folder of its own for one test (other checkouts on the machine may run
// the same tests at once), removed with everything in it.
class PackageFolder {
 public:
  PackageFolder() { std::filesystem::create_directories(folder_); }
  ~PackageFolder() { std::filesystem::remove_all(folder_); }

  // Writes a package file of MakePackage's header and `payloadSize` bytes of its
  // payload, the header announcing `announced` bytes; returns its path.
  std::string Write(const std::string& name, uint16_t model, uint32_t announced,
                    uint32_t payloadSize) const {
    const auto header = NewPackageHeader(model, announced, 1).bytes;
    Bytes file(header.begin(), header.end());
    const Bytes payload = MakePackage(model, payloadSize).payload;
    file.insert(file.end(), payload.begin(), payload.end());
    WriteFile(Path(name), file);
    return Path(name);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

 private:
  const std::filesystem::path folder_ =
      std::filesystem::path(::testing::TempDir()) /
      ("vexlow-packages-" + std::to_string(std::random_device{}()));
};

}  // namespace vp_test

#endif  // VIRTUAL_PRINTER_TESTS_PACKAGES_H
