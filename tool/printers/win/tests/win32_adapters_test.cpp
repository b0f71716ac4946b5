// The printer model's global memory, version and wait cursor adapters against
// the system, under Wine. Information contexts are exercised with a printer of
// the virtual printer's driver (virtual_printer/driver/tests).
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

#include "tool/printers/win/win32_global_memory.h"
#include "tool/printers/win/win32_system_version.h"
#include "tool/printers/win/win32_wait_cursor.h"

namespace {

TEST(Win32GlobalMemory, GivesZeroedLockedMovableBlocksAndTakesThemBack) {
  vexlow::Win32GlobalMemory memory;
  for (std::size_t size : {std::size_t{1}, std::size_t{164}, std::size_t{65536}}) {
    SCOPED_TRACE(size);
    auto* block = static_cast<unsigned char*>(memory.AllocateLocked(size));
    ASSERT_NE(nullptr, block);
    HGLOBAL handle = GlobalHandle(block);
    ASSERT_NE(nullptr, handle) << "not a global memory block";
    EXPECT_GE(GlobalSize(handle), size);
    EXPECT_EQ(1u, GlobalFlags(handle) & GMEM_LOCKCOUNT) << "the block must stay locked";
    std::size_t nonZero = 0;
    for (std::size_t i = 0; i < size; ++i) {
      nonZero += block[i] != 0;
    }
    EXPECT_EQ(0u, nonZero);
    block[size - 1] = 0xA5;
    memory.FreeLocked(block);
    EXPECT_EQ(GMEM_INVALID_HANDLE, GlobalFlags(handle)) << "the block was not freed";
  }
  EXPECT_EQ(nullptr, memory.AllocateLocked(0));
  memory.FreeLocked(nullptr);  // harmless
}

TEST(Win32SystemVersion, ReportsAnNtFamilySystem) {
  uint32_t major = 0, minor = 0, platformId = 0;
  ASSERT_TRUE(vexlow::Win32SystemVersion().Query(&major, &minor, &platformId));
  // Wine, like every Windows this tool runs on today, is of the NT family.
  EXPECT_EQ(static_cast<uint32_t>(VER_PLATFORM_WIN32_NT), platformId);
  EXPECT_GE(major, 5u);
}

TEST(Win32WaitCursor, NestsAndBringsBackThePreviousCursorAtTheOutermostEnd) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  ASSERT_NE(arrow, wait);
  SetCursor(arrow);
  vexlow::Win32WaitCursor cursor;
  cursor.Begin();
  EXPECT_EQ(wait, GetCursor());
  cursor.Begin();
  SetCursor(arrow);  // a window sets its own cursor in between
  cursor.Begin();
  EXPECT_EQ(wait, GetCursor());
  cursor.End();
  cursor.End();
  EXPECT_EQ(wait, GetCursor()) << "an inner End took the wait cursor away";
  cursor.End();
  EXPECT_EQ(arrow, GetCursor());
  cursor.End();  // unbalanced: changes nothing
  EXPECT_EQ(arrow, GetCursor());
}

}  // namespace
