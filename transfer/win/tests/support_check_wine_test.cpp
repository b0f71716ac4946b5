// TRCheckSupportPrinter and TRCheckSupportPrinter2 against the system's own
// spooler and registry: the suite installs a driver and a printer of its own,
// registers the driver under HKEY_LOCAL_MACHINE and changes its "TransferUI"
// value between the checks. Everything it creates is removed again, before and
// after, so a rerun in the same prefix starts clean.
//
// Under Wine the printer runs on wineps.drv with a small PPD of ours, printing
// to "FILE:"; no printer work is ever started.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "ostrand.h"

namespace {

const char kDriverName[] = "Ostrand Check Driver";
const char kPrinterName[] = "Ostrand Check Printer";
const char kPpdName[] = "ostrand-check.ppd";
const char kMakerKey[] = "SOFTWARE\\Quorbel Industries, Ltd.\\Skorvin\\Driver\\3.0\\";
const char kOtherCompany[] = "Ostrand Check Company";
const char kOtherKey[] = "SOFTWARE\\Ostrand Check Company\\Skorvin\\Driver\\3.0\\";

const char kPpd[] =
    "*PPD-Adobe: \"4.3\"\n"
    "*FormatVersion: \"4.3\"\n"
    "*FileVersion: \"1.0\"\n"
    "*LanguageVersion: English\n"
    "*LanguageEncoding: ISOLatin1\n"
    "*PCFileName: \"OSTCHECK.PPD\"\n"
    "*Manufacturer: \"Ostrand Check\"\n"
    "*Product: \"(Ostrand Check)\"\n"
    "*ModelName: \"Ostrand Check\"\n"
    "*NickName: \"Ostrand Check\"\n"
    "*ColorDevice: False\n"
    "*DefaultResolution: 300dpi\n"
    "*DefaultPageSize: A4\n"
    "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*DefaultPageRegion: A4\n"
    "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
    "*DefaultImageableArea: A4\n"
    "*ImageableArea A4/A4: \"18 18 577 824\"\n"
    "*DefaultPaperDimension: A4\n"
    "*PaperDimension A4/A4: \"595 842\"\n";

// A company name long enough that its driver key path passes 259 characters,
// though the name itself is a valid key name (at most 255 characters).
const std::string kLongCompany(230, 'L');

std::string PpdPath() {
  char directory[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                                  sizeof(directory), &needed)) {
    return {};
  }
  return std::string(directory) + "\\3\\" + kPpdName;
}

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
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, DriverKey("Quorbel Industries, Ltd.").c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string("SOFTWARE\\") + kOtherCompany).c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("SOFTWARE\\" + kLongCompany).c_str());
  const std::string ppd = PpdPath();
  if (!ppd.empty()) {
    DeleteFileA(ppd.c_str());
  }
}

bool InstallPrinter() {
  const std::string ppd = PpdPath();
  if (ppd.empty()) {
    return false;
  }
  CreateDirectoryA(ppd.substr(0, ppd.rfind('\\')).c_str(), nullptr);
  std::FILE* file = std::fopen(ppd.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  std::fputs(kPpd, file);
  std::fclose(file);

  DRIVER_INFO_3A driver = {};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kDriverName);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(kPpdName);
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

// Sets (or with type REG_NONE and no bytes, removes) the "TransferUI" value;
// answers the registry's error code. The key is created through the wide
// function: Wine's RegCreateKeyExA refuses paths of 260 characters and more
// with ERROR_MORE_DATA, though its RegOpenKeyExA opens them (Windows takes both).
LONG SetTransferUi(const std::string& key, DWORD type, const void* bytes, DWORD size) {
  const std::wstring wideKey(key.begin(), key.end());  // the test's names are ASCII
  HKEY handle = nullptr;
  LONG result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, wideKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &handle, nullptr);
  if (result != ERROR_SUCCESS) {
    return result;
  }
  if (type == REG_NONE && size == 0) {
    result = RegDeleteValueA(handle, "TransferUI");
    if (result == ERROR_FILE_NOT_FOUND) {
      result = ERROR_SUCCESS;
    }
  } else {
    result = RegSetValueExA(handle, "TransferUI", 0, type, static_cast<const BYTE*>(bytes), size);
  }
  RegCloseKey(handle);
  return result;
}

LONG SetTransferUiNumber(const std::string& key, DWORD number) {
  return SetTransferUi(key, REG_DWORD, &number, sizeof(number));
}

class SupportCheckOnWine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RemoveEverything();
    installed_ = InstallPrinter();
  }
  static void TearDownTestSuite() { RemoveEverything(); }
  void SetUp() override { ASSERT_TRUE(installed_) << "could not install the test printer"; }

  static bool installed_;
};

bool SupportCheckOnWine::installed_ = false;

TEST_F(SupportCheckOnWine, AnswersTheDriversFourByteTransferUiValue) {
  const std::string key = std::string(kMakerKey) + kDriverName;
  ASSERT_EQ(ERROR_SUCCESS, SetTransferUiNumber(key, 0x00C0FFEE));
  EXPECT_EQ(0x00C0FFEEu, TRCheckSupportPrinter(kPrinterName));

  // The registry type plays no part, only the length.
  const unsigned char binary[4] = {0x02, 0x00, 0x00, 0x80};
  ASSERT_EQ(ERROR_SUCCESS, SetTransferUi(key, REG_BINARY, binary, sizeof(binary)));
  EXPECT_EQ(0x80000002u, TRCheckSupportPrinter(kPrinterName));
}

TEST_F(SupportCheckOnWine, AnswersZeroForAZeroMissingOrMisSizedValue) {
  const std::string key = std::string(kMakerKey) + kDriverName;
  ASSERT_EQ(ERROR_SUCCESS, SetTransferUiNumber(key, 0));
  EXPECT_EQ(0u, TRCheckSupportPrinter(kPrinterName));

  ASSERT_EQ(ERROR_SUCCESS, SetTransferUi(key, REG_NONE, nullptr, 0));
  EXPECT_EQ(0u, TRCheckSupportPrinter(kPrinterName));

  const unsigned char two[2] = {1, 0};
  ASSERT_EQ(ERROR_SUCCESS, SetTransferUi(key, REG_BINARY, two, sizeof(two)));
  EXPECT_EQ(0u, TRCheckSupportPrinter(kPrinterName));

  const unsigned long long eight = 1;  // longer than the buffer: refused unread
  ASSERT_EQ(ERROR_SUCCESS, SetTransferUi(key, REG_QWORD, &eight, sizeof(eight)));
  EXPECT_EQ(0u, TRCheckSupportPrinter(kPrinterName));
}

TEST_F(SupportCheckOnWine, AnswersZeroForPrintersItDoesNotKnow) {
  ASSERT_EQ(ERROR_SUCCESS, SetTransferUiNumber(std::string(kMakerKey) + kDriverName, 1));
  EXPECT_EQ(0u, TRCheckSupportPrinter("Ostrand Check Printer That Is Not There"));
  // lstrcmpA tells case apart, on Windows as under Wine.
  EXPECT_EQ(0u, TRCheckSupportPrinter("ostrand check printer"));
  EXPECT_EQ(1u, TRCheckSupportPrinter(kPrinterName));
}

TEST_F(SupportCheckOnWine, SecondFormReadsTheNamedCompanyBranch) {
  ASSERT_EQ(ERROR_SUCCESS, SetTransferUiNumber(std::string(kMakerKey) + kDriverName, 3));
  ASSERT_EQ(ERROR_SUCCESS, SetTransferUiNumber(std::string(kOtherKey) + kDriverName, 4));
  EXPECT_EQ(4u, TRCheckSupportPrinter2(kPrinterName, kOtherCompany));
  EXPECT_EQ(3u, TRCheckSupportPrinter2(kPrinterName, "Quorbel Industries, Ltd."));
  EXPECT_EQ(0u, TRCheckSupportPrinter2(kPrinterName, "Ostrand Check Nobody"));
}

// The key exists and RegOpenKeyExA opens it (under Wine too): only the path's
// length makes the answer 0.
TEST_F(SupportCheckOnWine, KeyPathsOver259CharactersAnswerZeroEvenWhenTheKeyExists) {
  const std::string key = DriverKey(kLongCompany);
  ASSERT_GT(key.size(), 259u);
  ASSERT_EQ(ERROR_SUCCESS, SetTransferUiNumber(key, 5));
  EXPECT_EQ(0u, TRCheckSupportPrinter2(kPrinterName, kLongCompany.c_str()));
}

}  // namespace
