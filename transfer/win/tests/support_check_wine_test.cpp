// TRCheckSupportPrinter and TRCheckSupportPrinter2 against the system's own
// spooler and registry: the test installs a driver and a printer of its own,
// registers the driver under HKEY_LOCAL_MACHINE and changes its "TransferUI"
// value between the checks. Everything it creates is removed again, before and
// after, so a rerun in the same prefix starts clean.
//
// Under Wine the printer runs on wineps.drv, printing to "FILE:". The check
// only lists printers, so the driver needs no PPD; no printer work is started.
#include <windows.h>
#include <winspool.h>

#include <string>

#include <gtest/gtest.h>

#include "ostrand.h"

namespace {

const char kDriverName[] = "Ostrand Check Driver";
const char kPrinterName[] = "Ostrand Check Printer";
const char kMaker[] = "Quorbel Industries, Ltd.";
const char kOtherCompany[] = "Ostrand Check Company";

std::string DriverKey(const std::string& company) {
  return "SOFTWARE\\" + company + "\\Skorvin\\Driver\\3.0\\" + kDriverName;
}

void RemoveEverything() {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterA(const_cast<char*>(kPrinterName), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
  DeletePrinterDriverA(nullptr, nullptr, const_cast<char*>(kDriverName));
  // Only the driver's own key in the maker's branch, which other drivers share;
  // the company branches of the test's own making go entirely.
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, DriverKey(kMaker).c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string("SOFTWARE\\") + kOtherCompany).c_str());
}

bool InstallPrinter() {
  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kDriverName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>("ostrand-check.ppd");  // Wine needs a name; no file
  if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) {
    return false;
  }
  PRINTER_INFO_2A info = {};
  info.pPrinterName = const_cast<char*>(kPrinterName);
  info.pDriverName = const_cast<char*>(kDriverName);
  info.pPortName = const_cast<char*>("FILE:");
  info.pPrintProcessor = const_cast<char*>("WinPrint");
  info.pDatatype = const_cast<char*>("RAW");
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) {
    return false;
  }
  ClosePrinter(printer);
  return true;
}

// Sets the "TransferUI" value, creating the key; answers the registry's error code.
LONG SetTransferUi(const std::string& key, DWORD type, const void* bytes, DWORD size) {
  return RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "TransferUI", type, bytes, size);
}

// What only the system shows; the check's logic is tested natively. Each row
// sets the first `size` bytes of `value` (little-endian) in the driver key of
// one company branch, then asks.
TEST(SupportCheckOnWine, AnswersTheTransferUiValueOfThePrintersDriver) {
  RemoveEverything();
  ASSERT_TRUE(InstallPrinter()) << "could not install the test printer";
  const struct {
    const char* what;
    std::string branch;
    DWORD type;
    uint64_t value;
    DWORD size;
    const char* printer;
    const char* company;  // null: the first form
    uint32_t expected;
  } kCases[] = {
      {"a number", kMaker, REG_DWORD, 0x00C0FFEE, 4, kPrinterName, nullptr, 0x00C0FFEE},
      {"the type plays no part", kMaker, REG_BINARY, 0x80000002, 4, kPrinterName, nullptr,
       0x80000002},
      {"longer than 4 bytes: refused unread", kMaker, REG_QWORD, 1, 8, kPrinterName, nullptr, 0},
      {"lstrcmpA tells case apart", kMaker, REG_DWORD, 1, 4, "ostrand check printer", nullptr, 0},
      {"the named company's branch", kOtherCompany, REG_DWORD, 4, 4, kPrinterName, kOtherCompany,
       4},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(ERROR_SUCCESS, SetTransferUi(DriverKey(c.branch), c.type, &c.value, c.size));
    EXPECT_EQ(c.expected, c.company ? TRCheckSupportPrinter2(c.printer, c.company)
                                    : TRCheckSupportPrinter(c.printer));
  }
  RemoveEverything();
}

}  // namespace
