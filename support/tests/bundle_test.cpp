// The support bundle's portable halves: the ZIP archive, checked by the host's
// unzip, and the bitness of a program told from its headers.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "support/bundle/pc_report.h"
#include "support/bundle/zip_writer.h"

namespace support {
namespace {

std::string HostOutput(const std::string& command, int* exit) {
  std::string output;
  std::FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  size_t got = 0;
  while (pipe != nullptr && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    output.append(buffer, got);
  }
  *exit = pipe != nullptr ? pclose(pipe) : -1;
  return output;
}

TEST(ZipWriter, TheHostsUnzipTestsAndExtractsEveryFile) {
  std::string random(70000, '\0');
  std::mt19937 generator(7);
  for (char& c : random) {
    c = static_cast<char>(generator());
  }
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
  const std::string path = ::testing::TempDir() + "bundle_test.zip";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(archive.data()),
             static_cast<std::streamsize>(archive.size()));

  int exit = 0;
  const std::string tested = HostOutput("unzip -t " + path + " 2>&1", &exit);
  ASSERT_EQ(exit, 0) << tested;
  const std::string listing = HostOutput("unzip -Z -T " + path + " 2>&1", &exit);
  EXPECT_NE(listing.find("20261207.134558"), std::string::npos) << listing;
  for (const auto& [name, data] : files) {
    EXPECT_EQ(HostOutput("unzip -p " + path + " " + name, &exit), data) << name;
  }
  std::remove(path.c_str());
}

TEST(PcReport, ProgramsAreToldByTheMachineTheirPeHeaderNames) {
  const auto program = [](uint32_t peAt, std::string pe, uint16_t machine) {
    std::string head(0x206, '\0');
    head[0] = 'M';
    head[1] = 'Z';
    for (int i = 0; i < 4; ++i) {
      head[0x3C + i] = static_cast<char>(peAt >> (8 * i));
    }
    if (peAt <= 0x200) {
      head.replace(peAt, 4, pe);
      head[peAt + 4] = static_cast<char>(machine);
      head[peAt + 5] = static_cast<char>(machine >> 8);
    }
    head.resize(0x200);  // the headers read: what lies past them is cut off
    return head;
  };
  const std::string pe("PE\0\0", 4);
  const struct {
    std::string head;
    const char* machine;
  } rows[] = {
      {program(0x80, pe, 0x8664), "x86-64 (64-bit)"},
      {program(0x80, pe, 0x014C), "x86 (32-bit)"},
      {program(0x80, pe, 0x1C0), "machine 0x01C0"},
      {program(0x1FA, pe, 0x014C), "x86 (32-bit)"},  // the header's last bytes
      {program(0x1FB, pe, 0x014C), "no PE header"},  // its machine's last byte cut off
      {program(0xFFFFFFFF, pe, 0x014C), "no PE header"},
      {program(0x80, std::string("PE\0\1", 4), 0x014C), "no PE header"},
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
