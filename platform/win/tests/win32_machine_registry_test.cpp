// The registry adapter against the registry of the Wine prefix: subkey names
// and values that do not fit are refused, and nothing is written past the
// capacity given. The suite's key is removed before and after.
#include "platform/win/win32_machine_registry.h"

#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

const char kTestKey[] = "SOFTWARE\\Vexlow Registry Adapter Test";
const std::string kLongName(40, 'k');
const char kPath[] = "C:\\Drivers\\info.dll";  // 19 characters, 20 bytes with the zero

class Win32MachineRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    HKEY subkey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key, kLongName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &subkey, nullptr));
    RegCloseKey(subkey);
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "Info Dll", 0, REG_SZ,
                                            reinterpret_cast<const BYTE*>(kPath), sizeof kPath));
    RegCloseKey(key);
  }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kTestKey); }

  platform::Win32MachineRegistry registry;
};

TEST_F(Win32MachineRegistryTest, SubkeyNamesThatDoNotFitAreRefused) {
  const struct {
    uint32_t index;
    uint32_t capacity;
    bool found;
  } kCases[] = {
      {0, 41, true},   // 40 characters and the zero
      {0, 40, false},  // no room for the zero
      {0, 144, true},
      {1, 144, false},  // past the last subkey
  };
  platform::MachineRegistry::Key key = registry.OpenKey(kTestKey);
  ASSERT_NE(nullptr, key);
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << "index " << c.index << ", capacity " << c.capacity);
    char name[200];
    std::memset(name, '#', sizeof name);
    EXPECT_EQ(c.found, registry.EnumerateSubkey(key, c.index, name, c.capacity));
    EXPECT_EQ(c.found ? kLongName : std::string(), std::string(name));
    EXPECT_EQ('#', name[c.capacity]) << "written past the capacity";
  }
  registry.CloseKey(key);
  EXPECT_EQ(nullptr, registry.OpenKey("SOFTWARE\\Vexlow Registry Adapter Test\\Nothing"));
}

TEST_F(Win32MachineRegistryTest, ValuesThatDoNotFitAreRefusedUnwritten) {
  const struct {
    const char* value;
    uint32_t capacity;
    bool read;
  } kCases[] = {
      {"Info Dll", sizeof kPath, true},
      {"Info Dll", 260, true},
      {"Info Dll", sizeof kPath - 1, false},
      {"TransferUI", 260, false},  // no such value
  };
  platform::MachineRegistry::Key key = registry.OpenKey(kTestKey);
  ASSERT_NE(nullptr, key);
  for (const auto& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.value << ", capacity " << c.capacity);
    char buffer[300];
    std::memset(buffer, '#', sizeof buffer);
    uint32_t size = 0;
    EXPECT_EQ(c.read, registry.QueryValue(key, c.value, buffer, c.capacity, &size));
    if (c.read) {
      EXPECT_EQ(sizeof kPath, size);
      EXPECT_STREQ(kPath, buffer);
    }
    EXPECT_EQ('#', buffer[c.capacity]) << "written past the capacity";
  }
  registry.CloseKey(key);
}

}  // namespace
