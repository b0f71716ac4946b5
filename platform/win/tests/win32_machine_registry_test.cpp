// The registry adapter against the registry of the Wine prefix: subkey names
// and values that do not fit are refused, and nothing is written past the
// capacity given. The test's key is removed before and after.
#include "platform/win/win32_machine_registry.h"

#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

const char kTestKey[] = "SOFTWARE\\Vexlow Registry Adapter Test";
const std::string kLongName(40, 'k');
const char kPath[] = "C:\\Drivers\\info.dll";  // 19 characters, 20 bytes with the zero

// Each case reads into a buffer of '#' and checks the byte after the capacity.
TEST(Win32MachineRegistry, NamesAndValuesThatDoNotFitAreRefusedUnwritten) {
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey);
  ASSERT_EQ(ERROR_SUCCESS,
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, kTestKey, "Info Dll", REG_SZ, kPath, sizeof kPath));
  ASSERT_EQ(ERROR_SUCCESS,
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, (kTestKey + ("\\" + kLongName)).c_str(), "", REG_SZ,
                            "", 1));
  const struct {
    const char* value;  // null: the subkey at index 0
    uint32_t capacity;
    const char* expected;  // null: refused
  } kCases[] = {
      {nullptr, 41, kLongName.c_str()},  // 40 characters and the zero
      {nullptr, 40, nullptr},            // no room for the zero
      {"Info Dll", sizeof kPath, kPath},
      {"Info Dll", sizeof kPath - 1, nullptr},
      {"TransferUI", 260, nullptr},  // no such value
  };
  platform::Win32MachineRegistry registry;
  platform::MachineRegistry::Key key = registry.OpenKey(kTestKey);
  ASSERT_NE(nullptr, key);
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << (c.value ? c.value : "subkey") << ", " << c.capacity);
    char buffer[300];
    std::memset(buffer, '#', sizeof buffer);
    uint32_t size = 0;
    const bool read = c.value == nullptr
                          ? registry.EnumerateSubkey(key, 0, buffer, c.capacity)
                          : registry.QueryValue(key, c.value, buffer, c.capacity, &size);
    EXPECT_EQ(c.expected != nullptr, read);
    if (read) {
      EXPECT_STREQ(c.expected, buffer);
    }
    EXPECT_EQ('#', buffer[c.capacity]) << "written past the capacity";
  }
  char name[144];
  EXPECT_FALSE(registry.EnumerateSubkey(key, 1, name, sizeof name)) << "past the last subkey";
  registry.CloseKey(key);
  EXPECT_EQ(nullptr, registry.OpenKey("SOFTWARE\\Vexlow Registry Adapter Test\\Nothing"));
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey);
}

}  // namespace
