// The printer list over the real spooler and registry, for what only they
// show and no update walks: the papers the spooler measures when the driver's
// information library is missing, and how the spooler's names compare. The
// printers are those vp_install_driver.exe puts into the Wine prefix; the test
// removes them and the driver, which the other tests install when they need it.
#include <process.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win/win32_library_loader.h"
#include "platform/win/win32_machine_registry.h"
#include "platform/win/win32_printer_spooler.h"
#include "tool/printers/printer_info.h"
#include "tool/printers/printer_list.h"
#include "tool/printers/tests/printer_fakes.h"
#include "tool/printers/win/win32_global_memory.h"
#include "tool/printers/win/win32_information_contexts.h"
#include "tool/printers/win/win32_system_version.h"
#include "tool/printers/win/win32_wait_cursor.h"

namespace {

const char kDriver[] = "Quorbel ZN-418";
const char kPrinters[] = R"( --printer "Quorbel Test One" --printer "Quorbel Test Two")";
const char kDamagedMessage[] = "The driver is damage. Reinstall the driver.";

// Runs the installer beside this program with these arguments (the C
// runtime joins them to its command line as they stand); its exit code.
int RunInstaller(const std::string& arguments) {
  char installer[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, installer, MAX_PATH);
  std::strcpy(std::strrchr(installer, '\\') + 1, "vp_install_driver.exe");
  return static_cast<int>(
      _spawnl(_P_WAIT, installer, "vp_install_driver.exe", arguments.c_str(), nullptr));
}

// The printers of the driver, registered with an information library that is
// not there.
TEST(PrinterListOnWine, ListsTheDriversPrintersWithTheSpoolersPapersWhenItsLibraryIsMissing) {
  ASSERT_EQ(
      0, RunInstaller(
             std::string("install --info-dll C:\\no\\such\\quorbel_info.dll").append(kPrinters)));
  // The real adapters; the messages and the support check (which listing by
  // driver does not ask) are the test's own.
  platform::Win32PrinterSpooler spooler;
  platform::Win32MachineRegistry registry;
  platform::Win32LibraryLoader loader;
  vexlow::Win32InformationContexts contexts;
  vexlow::Win32GlobalMemory memory;
  vexlow::Win32SystemVersion version;
  vexlow::Win32WaitCursor waitCursor;
  vexlow::testing::FakeMessageBoxes messages;
  vexlow::testing::FakeSupport support;
  vexlow::PrinterEnvironment environment{
      spooler, registry,   loader,   contexts, memory,
      version, waitCursor, messages, support,  "Quorbel Industries, Ltd.",
      ""};
  vexlow::PrinterList list{environment};
  const bool added = list.AddPrintersWithDriver(kDriver);
  RunInstaller(std::string("remove").append(kPrinters));
  RunInstaller("remove");
  ASSERT_TRUE(added);
  // Only the driver's printers, each with the papers the spooler gives and
  // measures through information contexts: Wine's PostScript driver gives A4
  // and US Letter from our PPD.
  std::vector<std::string> listed;
  for (auto at = list.GetHeadPosition(); const vexlow::PrinterInfo* entry = list.GetNext(at);) {
    listed.push_back(list.GetPrinterDisplayName(*entry));
    ASSERT_EQ(2u, entry->Papers().Size()) << listed.back();
    for (const vexlow::PaperRecord& paper : entry->Papers()) {
      EXPECT_GT(paper.PhysicalWidth(), 0) << paper.PaperName();
      EXPECT_GT(paper.PhysicalHeight(), paper.PhysicalWidth()) << paper.PaperName();
    }
  }
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ((std::vector<std::string>{"Quorbel Test One", "Quorbel Test Two"}), listed);
  const vexlow::testing::ShownMessage damaged = {
      "", kDamagedMessage, platform::MessageIcon::Exclamation, platform::MessageButtons::Ok};
  EXPECT_EQ(std::vector(listed.size(), damaged), messages.shown);
  // The system's comparison tells printer names apart by case.
  EXPECT_TRUE(spooler.SamePrinterName("Quorbel Test One", "Quorbel Test One"));
  EXPECT_FALSE(spooler.SamePrinterName("Quorbel Test One", "quorbel test one"));
}

}  // namespace
