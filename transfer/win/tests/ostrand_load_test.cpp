// What only the real loader shows: ostrand.dll loads by name with its port
// library bound by ordinal, and every export is found by its plain name, as
// the update tool and the console client bind them. The exchanges behind the
// exports are the protocol's, tested natively and walked end to end.
#include <windows.h>

#include <gtest/gtest.h>

#include "ostrand.h"

namespace {

TEST(OstrandDll, LoadsBesideItsPortLibraryAndEveryExportIsFoundByName) {
  HMODULE dll = LoadLibraryA("ostrand.dll");
  ASSERT_NE(nullptr, dll) << GetLastError();
  EXPECT_NE(nullptr, GetModuleHandleA("hobrel.dll")) << "its import came in with it";
  for (const char* name :
       {"TRInitPrinter", "TRCmdInit", "TRGetStatus", "TRGetFileList", "TRSendFile", "TRReceiveFile",
        "TRDeleteFile", "TRCheckSupportPrinter", "TRCheckSupportPrinter2"}) {
    EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(dll, name))) << name;
  }
  FreeLibrary(dll);
}

}  // namespace
