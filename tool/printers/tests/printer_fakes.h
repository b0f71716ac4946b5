// Stand-ins for everything the printer model reaches outside itself: a
// spooler of made-up printers with their device modes and capability answers,
// a registry tree, information contexts that measure made-up pages, global
// memory, and a driver information library whose answers a test sets and
// whose calls it reads back. PrinterWorld bundles them into an environment
// and checks, when it goes, that every printer, key, library, context and
// block taken was given back.
#ifndef TOOL_PRINTERS_TESTS_PRINTER_FAKES_H
#define TOOL_PRINTERS_TESTS_PRINTER_FAKES_H

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/testing/fake_library_loader.h"
#include "tool/printers/printer_seams.h"

namespace vexlow::testing {

// An answer of a capability: the count it gives without an output, and with
// one the bytes it writes and the count it then answers (the count again
// unless set).
struct CapabilityAnswer {
  int32_t count = -1;
  std::vector<uint8_t> output;
  std::optional<int32_t> written;
};

struct FakePrinter {
  std::string name;
  std::string driver;
  std::string port = "USB001";
  uint32_t attributes = 0;
  bool opens = true;
  std::vector<uint8_t> devMode;  // empty: DocumentProperties fails
  std::map<uint16_t, CapabilityAnswer> capabilities;
};

class FakeSpooler : public platform::PrinterSpooler {
 public:
  std::deque<FakePrinter> printers;
  bool listFails = false;
  std::vector<uint32_t> listFlags;
  std::vector<std::string> opened;         // every OpenPrinter, by name
  std::vector<uint32_t> documentModes;     // every DocumentProperties with an output
  std::function<void(int)> beforeListing;  // given the listing's number, from 0
  int openPrinters = 0;

  FakePrinter* Named(const std::string& name);

  bool ForEachPrinter(uint32_t flags, platform::PrinterVisitor& visitor) override;
  bool SamePrinterName(const char* a, const char* b) override;
  Printer OpenPrinter(const char* printerName) override;
  void ClosePrinter(Printer printer) override;
  bool GetPrinter(Printer printer, platform::PrinterVisitor& visitor) override;
  int32_t DocumentProperties(Printer printer, const char* printerName, void* output,
                             const void* input, uint32_t mode) override;
  int32_t DeviceCapabilities(const char* device, const char* port, uint16_t capability,
                             void* output, const void* devMode) override;
};

class FakeRegistry : public platform::MachineRegistry {
 public:
  std::map<std::string, std::vector<std::string>> subkeys;  // key path -> subkeys in order
  std::map<std::string, std::map<std::string, std::vector<uint8_t>>> values;
  int openKeys = 0;

  // The driver's key with an "Info Dll" value (zero-terminated) unless path is null.
  void RegisterDriver(const std::string& company, const std::string& driver, const char* path);

  Key OpenKey(const char* path) override;
  void CloseKey(Key key) override;
  bool EnumerateSubkey(Key key, uint32_t index, char* name, uint32_t capacity) override;
  bool QueryValue(Key key, const char* valueName, void* buffer, uint32_t capacity,
                  uint32_t* size) override;

 private:
  std::map<intptr_t, std::string> open_;
  intptr_t nextKey_ = 1;
};

// A page as the information context measures it, by dmPaperSize.
struct FakePage {
  int32_t width = 0;
  int32_t height = 0;
  int32_t offsetX = 0;
  int32_t offsetY = 0;
};

class FakeContexts : public InformationContexts {
 public:
  std::map<int16_t, FakePage> pages;
  std::optional<int> failAt;  // the context of this number (from 0) cannot be created
  std::vector<int16_t> papersAsked;
  int live = 0;

  Context Create(const char* driver, const char* device, const char* port,
                 const void* devMode) override;
  bool SupportsEscape(Context context, int32_t escape) override;
  int32_t QueryPoint(Context context, int32_t escape, int32_t* x, int32_t* y) override;
  void Delete(Context context) override;
};

class FakeMemory : public GlobalMemory {
 public:
  std::optional<int> failAt;  // the allocation of this number (from 0) fails
  int allocations = 0;
  int live = 0;
  void* AllocateLocked(std::size_t size) override;
  void FreeLocked(void* block) override;
};

struct FakeVersion : SystemVersion {
  bool available = true;
  uint32_t major = 10, minor = 0, platformId = 2;
  bool Query(uint32_t* majorOut, uint32_t* minorOut, uint32_t* platformOut) override;
};

struct FakeWaitCursor : WaitCursor {
  int begins = 0;
  int depth = 0;
  void Begin() override;
  void End() override;
};

struct FakeMessages : platform::MessageBoxes {
  std::vector<std::string> shown;
  std::vector<platform::MessageIcon> icons;
  platform::MessageAnswer Show(const std::string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override;
};

struct FakeSupport : PrinterSupportCheck {
  std::set<std::string> supported;
  uint32_t CheckPrinterSupport(const std::string& printerName) override;
};

// The answers of the information library by index, and its calls as
// "device index" with " out" for a call given an output.
struct FakeInformationLibrary {
  std::map<uint16_t, CapabilityAnswer> answers;
  std::vector<std::string> calls;
};
FakeInformationLibrary& InformationLibrary();

inline constexpr char kCompany[] = "Quorbel Industries, Ltd.";
inline constexpr char kDriver[] = "Quorbel ZN-418";
inline constexpr char kLibraryPath[] = "C:\\Windows\\System32\\zn418inf.dll";

// A device mode of dmSize 156 with privateSize private bytes.
std::vector<uint8_t> MakeDevMode(uint32_t fields, std::size_t privateSize);
void PutShort(std::vector<uint8_t>& bytes, std::size_t offset, int16_t value);
// n records of size bytes, each made by fill.
std::vector<uint8_t> Records(std::size_t n, std::size_t size,
                             const std::function<void(std::size_t, uint8_t*)>& fill);

struct PrinterWorld {
  FakeSpooler spooler;
  FakeRegistry registry;
  platform::testing::FakeLibraryLoader loader;
  FakeContexts contexts;
  FakeMemory memory;
  FakeVersion version;
  FakeWaitCursor waitCursor;
  FakeMessages messages;
  FakeSupport support;
  PrinterEnvironment environment{spooler,    registry, loader,  contexts, memory,          version,
                                 waitCursor, messages, support, kCompany, "(Special Tape)"};

  PrinterWorld();
  ~PrinterWorld();
  // An attachable printer: a device mode with privateSize private bytes, and
  // DC_FIELDS answered with the device mode's fields.
  FakePrinter& AddPrinter(const std::string& name, const std::string& driver = kDriver,
                          uint32_t fields = 0, std::size_t privateSize = 8);
  // Registers the driver; with an export, its library is the fake one.
  void RegisterDriver(const std::string& driver = kDriver, bool withExport = true);
};

}  // namespace vexlow::testing

#endif  // TOOL_PRINTERS_TESTS_PRINTER_FAKES_H
