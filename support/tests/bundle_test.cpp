// The support bundle's portable halves: the ZIP archive, checked by the host's
// unzip, and the bitness of a program told from its headers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "support/bundle/pc_report.h"
#include "support/bundle/zip_writer.h"

namespace support {
namespace {

using namespace std::string_literals;

TEST(ZipWriter, TheHostsUnzipTestsAndExtractsEveryFile) {
  std::string random(70000, '\0');
  std::generate(random.begin(), random.end(), std::mt19937(7));
  const std::vector<std::pair<std::string, std::string>> files = {
      {"empty.txt", ""},
      {"recording.txt", std::string(1 << 20, '0')},  // deflated
      {"random.bin", random},                        // stored: deflate would not shrink it
  };
  ZipWriter zip({2026, 12, 7, 13, 45, 58});
  for (const auto& [name, data] : files) {
    ASSERT_TRUE(zip.Add(name, data)) << name;
  }
  EXPECT_FALSE(zip.Add("", "x")) << "a file needs a name";
  const std::vector<uint8_t> archive = zip.Finish();
  EXPECT_LT(archive.size(), random.size() + 20000) << "the zeros are deflated";
  const std::string folder = ::testing::TempDir() + "bundle_test/", path = folder + "bundle.zip";
  std::filesystem::create_directories(folder);
  std::ofstream(path, std::ios::binary) << std::string(archive.begin(), archive.end());
  ASSERT_EQ(std::system(("cd " + folder + " && unzip -tq bundle.zip && unzip -oq bundle.zip && " +
                         "unzip -Z -T bundle.zip | grep -q 20261207.134558")
                            .c_str()),
            0);
  for (const auto& [name, data] : files) {
    std::ifstream extracted(folder + name, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(extracted), {}), data) << name;
  }
  std::filesystem::remove_all(folder);
}

TEST(PcReport, ProgramsAreToldByTheMachineTheirPeHeaderNames) {
  // The headers read (0x200 bytes): MZ, where the PE header lies, and there the
  // bytes given, cut off at the end of the headers.
  const auto program = [](uint32_t peAt, const std::string& pe) {
    std::string head = "MZ" + std::string(0x210, '\0');
    for (int i = 0; i < 4; ++i) {
      head[0x3C + i] = static_cast<char>(peAt >> (8 * i));
    }
    if (peAt < 0x200) {
      head.replace(peAt, pe.size(), pe);
    }
    return head.substr(0, 0x200);
  };
  const struct {
    std::string head;
    const char* machine;
  } rows[] = {
      {program(0x80, "PE\0\0\x64\x86"s), "x86-64 (64-bit)"},
      {program(0x80, "PE\0\0\x4C\x01"s), "x86 (32-bit)"},
      {program(0x80, "PE\0\0\xC0\x01"s), "machine 0x01C0"},
      {program(0x1FA, "PE\0\0\x4C\x01"s), "x86 (32-bit)"},  // the header's last bytes
      {program(0x1FB, "PE\0\0\x4C\x01"s), "no PE header"},  // its machine's last byte cut off
      {program(0xFFFFFFFF, ""), "no PE header"},
      {program(0x80, "PE\0\1\x4C\x01"s), "no PE header"},
      {"MZ" + std::string(0x3D, '\0'), "no MZ header"},  // one byte short of a header
      {std::string(0x200, 'x'), "no MZ header"},
  };
  for (const auto& row : rows) {
    EXPECT_NE(DescribeProgramMachine(row.head).find(row.machine), std::string::npos)
        << DescribeProgramMachine(row.head);
  }
}

}  // namespace
}  // namespace support
