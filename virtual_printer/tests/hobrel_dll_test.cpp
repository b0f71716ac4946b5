// hobrel.dll as its callers load it: ordinals 3 to 8 and the two names
// resolve, and the calls reach the printer the environment configures.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "portio/hobrel_api.h"

namespace {

template <typename Fn>
Fn Export(HMODULE library, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

TEST(HobrelDllTest, AnswersByOrdinalAndByNameAsTheConfiguredPrinter) {
  char temp[MAX_PATH] = {};
  ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
  const std::string folder = std::string(temp) + "vp-hobrel-dll-test";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string ini = folder + "\\printer.ini";
  const std::string trace = folder + "\\trace.txt";
  DeleteFileA(trace.c_str());
  {
    std::ofstream out(ini);
    out << "[printer]\nname = Dll Printer\nmodel = 0x2345\ntrace = " << trace << "\n";
  }
  ASSERT_TRUE(SetEnvironmentVariableA("VEXLOW_VIRTUAL_PRINTER", ini.c_str()));

  HMODULE library = LoadLibraryA("hobrel.dll");
  ASSERT_NE(library, nullptr);
  for (int ordinal = 3; ordinal <= 8; ++ordinal) {
    EXPECT_NE(GetProcAddress(library, MAKEINTRESOURCEA(ordinal)), nullptr) << ordinal;
  }
  auto open = Export<HobrelOpenFn>(library, MAKEINTRESOURCEA(3));
  auto write = Export<HobrelWriteFn>(library, MAKEINTRESOURCEA(4));
  auto read = Export<HobrelReadFn>(library, MAKEINTRESOURCEA(5));
  auto purge = Export<HobrelPurgeFn>(library, MAKEINTRESOURCEA(6));
  auto skWrite = Export<SKWriteFileFn>(library, "SKWriteFile");
  ASSERT_NE(skWrite, nullptr);
  ASSERT_NE(GetProcAddress(library, "SKReadFile"), nullptr);

  uint8_t block[HOBREL_OPEN_BLOCK_SIZE] = {};
  EXPECT_EQ(open("Virtual Printer", block), 0) << "not a configured name";
  ASSERT_NE(open("Dll Printer", block), 0);
  purge();
  const uint8_t status[] = {0x1B, 0x69, 0x46, 0x53};
  uint32_t count = 0;
  ASSERT_NE(write(status, 4, &count, 2000), 0);
  EXPECT_EQ(count, 4u);
  uint8_t reply[32] = {};
  ASSERT_NE(read(reply, 32, &count, 2000), 0);
  ASSERT_EQ(count, 32u);
  EXPECT_EQ(reply[0], 0x81);
  EXPECT_EQ(reply[3] | (reply[4] << 8), 0x2345);

  const uint8_t mode[] = {0x1B, 0x69, 0x61, 0x01};
  EXPECT_NE(skWrite("Dll Printer", 0, mode, 4, &count, 10000), 0);
  EXPECT_EQ(skWrite("Someone Else", 0, mode, 4, &count, 10000), 0);

  FreeLibrary(library);  // every trace line is flushed as it is written
  std::ifstream in(trace);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_NE(text.str().find("mode command: the printer switches to command mode 1"),
            std::string::npos)
      << text.str();
  EXPECT_NE(text.str().find("status reply: 81 20 42, model 0x2345"), std::string::npos);
}

}  // namespace
