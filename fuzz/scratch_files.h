// Files a fuzz target hands to the code under test: written into one scratch
// folder per process (in memory where the system offers a folder there),
// removed when the process ends. Nothing is written anywhere else.
#ifndef FUZZ_SCRATCH_FILES_H
#define FUZZ_SCRATCH_FILES_H

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"

namespace fuzz {

inline const std::filesystem::path& ScratchFolder() {
  static std::string made =
      std::string(std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp") +
      "/vexlow-fuzz-XXXXXX";
  static const std::filesystem::path folder = [] {
    FUZZ_CHECK(mkdtemp(made.data()) != nullptr, "a scratch folder can be made");
    std::atexit([] { std::filesystem::remove_all(made); });
    return std::filesystem::path(made);
  }();
  return folder;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace fuzz

#endif  // FUZZ_SCRATCH_FILES_H
