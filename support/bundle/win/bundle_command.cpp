// The support bundle: a ZIP of the recording (when the recorder is in place),
// vexlow.ini and system.txt, gathered from the folder of the running program
// and from the PC. Nothing else of the PC is read into it.
#include "support/bundle/bundle_command.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/exit_codes.h"
#include "platform/registered_library.h"
#include "platform/win/library_search.h"
#include "platform/win/win32_library_loader.h"
#include "support/bundle/pc_report.h"
#include "support/bundle/zip_writer.h"
#include "support/recorder/recorder_paths.h"
#include "support/recording/recording_format.h"
#include "tool/printers/information_library.h"

namespace support {

namespace {

constexpr char kDriverKeyRoot[] = "SOFTWARE\\Quorbel Industries, Ltd.\\Skorvin\\Driver\\3.0\\";
constexpr uint16_t kModelIndex = 278;

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length < sizeof path ? length : 0);
  return folder.substr(0, folder.find_last_of("\\/"));
}

// The whole file, or false when it cannot be read.
bool ReadFile(const std::string& path, std::string* data, size_t limit = SIZE_MAX) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  char buffer[65536];
  size_t got = 0;
  data->clear();
  while (data->size() < limit && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    data->append(buffer, got);
  }
  std::fclose(file);
  if (data->size() > limit) {
    data->resize(limit);
  }
  return true;
}

std::string FileVersion(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  std::vector<char> info(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, info.data()) ||
      !VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
      fixedSize < sizeof(VS_FIXEDFILEINFO)) {
    return "unknown (no version resource)";
  }
  char text[64];
  std::snprintf(text, sizeof text, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                LOWORD(fixed->dwFileVersionLS));
  return text;
}

ModuleReport Module(const std::string& role, const std::string& path) {
  ModuleReport module;
  module.role = role;
  module.path = path;
  std::string head;
  module.found = ReadFile(path, &head, 4096);
  if (module.found) {
    module.version = FileVersion(path);
    module.machine = DescribeProgramMachine(head);
  }
  return module;
}

std::string WindowsVersion() {
  // GetVersionEx answers what the program's manifest allows; ntdll tells the truth.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  const auto get = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
  if (get == nullptr || get(&version) != 0) {
    return "unknown";
  }
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  const WORD arch = system.wProcessorArchitecture;
  char text[128];
  std::snprintf(text, sizeof text, "%lu.%lu build %lu, %s", version.dwMajorVersion,
                version.dwMinorVersion, version.dwBuildNumber,
                arch == PROCESSOR_ARCHITECTURE_AMD64   ? "64-bit (x86-64)"
                : arch == PROCESSOR_ARCHITECTURE_ARM64 ? "64-bit (ARM64)"
                : arch == PROCESSOR_ARCHITECTURE_INTEL ? "32-bit (x86)"
                                                       : "another processor");
  return text;
}

// The model the driver's information library gives the printer, as the update
// tool asks it: the library the driver registers, loaded by the tool's rule.
std::string PrinterModel(const char* name, const char* driver, const char* port) {
  const std::string key = std::string(kDriverKeyRoot) + driver;
  char path[MAX_PATH] = {};
  DWORD size = sizeof path;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "Info Dll", RRF_RT_REG_SZ, nullptr, path,
                   &size) != ERROR_SUCCESS) {
    return "unknown (the driver registers no information library)";
  }
  platform::Win32LibraryLoader loader;
  platform::LibraryLoader::Handle library = platform::LoadRegisteredLibrary(loader, path);
  if (library == nullptr) {
    return std::string("unknown (") + path + " cannot be loaded)";
  }
  const auto capabilities =
      reinterpret_cast<MyDeviceCapabilitiesFn>(loader.Resolve(library, INFO_LIBRARY_EXPORT));
  const int32_t model =
      capabilities != nullptr ? capabilities(name, port, kModelIndex, nullptr, nullptr) : -1;
  loader.Free(library);
  if (model == -1) {
    return "unknown (the information library gives none)";
  }
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(model & 0xFFFF));
  return text;
}

void ListPrinters(PcReport* report) {
  const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  DWORD needed = 0, count = 0;
  EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed);
  if (needed > 0 && !EnumPrintersA(flags, nullptr, 2, buffer.data(), needed, &needed, &count)) {
    report->printerProblem =
        "the printer list cannot be read (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    const PRINTER_INFO_2A& p = printers[i];
    const char* name = p.pPrinterName != nullptr ? p.pPrinterName : "";
    const char* driver = p.pDriverName != nullptr ? p.pDriverName : "";
    const char* port = p.pPortName != nullptr ? p.pPortName : "";
    report->printers.push_back({name, driver, port, PrinterModel(name, driver, port)});
  }
}

std::string RecorderSetting(const std::string& ini, const char* key) {
  char value[MAX_PATH] = {};
  GetPrivateProfileStringA("recorder", key, "", value, sizeof value, ini.c_str());
  return value;
}

ZipTime Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear,
          static_cast<uint8_t>(now.wMonth),
          static_cast<uint8_t>(now.wDay),
          static_cast<uint8_t>(now.wHour),
          static_cast<uint8_t>(now.wMinute),
          static_cast<uint8_t>(now.wSecond)};
}

}  // namespace

int RunBundleCommand(int argc, const char* const* argv) {
  if (argc != 1) {
    std::cerr << "ostrandcli: bundle takes one argument, the ZIP file to write\n"
                 "usage: ostrandcli bundle OUT.zip\n";
    return cli::kExitUsage;
  }
  // The drivers' information libraries are loaded by the paths their
  // registration gives; what those load in turn comes from no planted folder.
  platform::RestrictLibrarySearch();
  const std::string folder = ProgramFolder();
  PcReport report;
  report.windows = WindowsVersion();
  report.modules = {Module("Vexlow.exe", folder + "\\Vexlow.exe"),
                    Module("ostrand.dll", folder + "\\ostrand.dll"),
                    Module("hobrel.dll", folder + "\\hobrel.dll")};

  // With the recorder in place, hobrel.dll is the recorder and the maker's
  // library is the one its settings name.
  const std::string ini = folder + "\\" + kRecorderSettingsName;
  std::string recording, unused;
  if (GetFileAttributesA(ini.c_str()) == INVALID_FILE_ATTRIBUTES) {
    report.recorder = "not in place (no " + std::string(kRecorderSettingsName) + ")";
  } else {
    const std::string library = RecorderSetting(ini, "library");
    std::string recordingName = RecorderSetting(ini, "recording");
    if (recordingName.empty()) {
      recordingName = kDefaultRecordingName;
    }
    report.recorder = "in place as hobrel.dll; library=" + library + ", recording=" + recordingName;
    report.modules[2].role = "hobrel.dll (the recorder)";
    std::string path;
    if (ResolveRecorderPath(folder, library, &path, &unused)) {
      report.modules.push_back(Module("the maker's hobrel.dll (library=)", path));
    }
    if (!ResolveRecorderPath(folder, recordingName, &recording, &unused)) {
      recording.clear();
    }
  }
  ListPrinters(&report);

  ZipWriter zip(Now());
  std::string data;
  std::vector<std::string> names;
  bool added = true;
  if (!recording.empty() && ReadFile(recording, &data, kMaxRecordingBytes)) {
    added = zip.Add("recording.txt", data) && added;
    names.push_back("recording.txt");
  }
  if (ReadFile(folder + "\\vexlow.ini", &data, 1 << 20)) {
    added = zip.Add("vexlow.ini", data) && added;
    names.push_back("vexlow.ini");
  }
  added = zip.Add("system.txt", FormatPcReport(report)) && added;
  names.push_back("system.txt");

  const std::vector<uint8_t> archive = zip.Finish();
  std::FILE* out = std::fopen(argv[0], "wb");
  bool written =
      out != nullptr && std::fwrite(archive.data(), 1, archive.size(), out) == archive.size();
  if (out != nullptr && std::fclose(out) != 0) {
    written = false;
  }
  if (!added || !written) {
    std::cerr << "ostrandcli: " << argv[0] << " cannot be written\n";
    std::remove(argv[0]);
    return cli::kExitCannotWrite;
  }
  std::cout << "Wrote " << argv[0] << ":";
  for (const std::string& name : names) {
    std::cout << " " << name;
  }
  std::cout << "\n";
  return cli::kExitOk;
}

}  // namespace support
