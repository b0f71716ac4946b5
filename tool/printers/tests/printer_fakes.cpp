#include "tool/printers/tests/printer_fakes.h"

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/byte_view.h"
#include "tool/printers/devmode.h"
#include "tool/printers/information_library.h"
#include "tool/printers/standard_capabilities.h"

namespace vexlow::testing {
namespace {

// Answers an asking as a capability would: the count, or with an output its
// bytes and the written count.
int32_t Answer(const CapabilityAnswer& answer, void* output) {
  if (output == nullptr) {
    return answer.count;
  }
  if (!answer.output.empty()) {
    std::memcpy(output, answer.output.data(), answer.output.size());
  }
  return answer.written.value_or(answer.count);
}

int32_t INFO_LIBRARY_CALL FakeMyDeviceCapabilities(const char* device, const char*, uint16_t index,
                                                   void* output, const void*) {
  FakeInformationLibrary& library = InformationLibrary();
  library.calls.push_back(std::string(device) + " " + std::to_string(index) +
                          (output != nullptr ? " out" : ""));
  const auto found = library.answers.find(index);
  return found == library.answers.end() ? -1 : Answer(found->second, output);
}

}  // namespace

FakeInformationLibrary& InformationLibrary() {
  static FakeInformationLibrary library;
  return library;
}

FakePrinter* FakeSpooler::Named(const std::string& name) {
  for (FakePrinter& printer : printers) {
    if (printer.name == name) {
      return &printer;
    }
  }
  return nullptr;
}

bool FakeSpooler::ForEachPrinter(uint32_t flags, platform::PrinterVisitor& visitor) {
  if (beforeListing) {
    beforeListing(static_cast<int>(listFlags.size()));
  }
  listFlags.push_back(flags);
  if (listFails || printers.empty()) {
    return false;
  }
  for (const FakePrinter& printer : printers) {
    visitor.Visit({nullptr, printer.name.c_str(), printer.driver.c_str(), printer.port.c_str(),
                   printer.attributes});
  }
  return true;
}

bool FakeSpooler::SamePrinterName(const char* a, const char* b) {
  return std::strcmp(a, b) == 0;
}

platform::PrinterSpooler::Printer FakeSpooler::OpenPrinter(const char* printerName) {
  opened.push_back(printerName);
  FakePrinter* printer = Named(printerName);
  if (printer == nullptr || !printer->opens) {
    return nullptr;
  }
  ++openPrinters;
  return printer;
}

void FakeSpooler::ClosePrinter(Printer printer) {
  EXPECT_NE(printer, nullptr);
  --openPrinters;
}

bool FakeSpooler::GetPrinter(Printer printer, platform::PrinterVisitor& visitor) {
  const auto* record = static_cast<const FakePrinter*>(printer);
  visitor.Visit({"\\\\server", record->name.c_str(), record->driver.c_str(), record->port.c_str(),
                 record->attributes});
  return true;
}

int32_t FakeSpooler::DocumentProperties(Printer printer, const char*, void* output,
                                        const void* input, uint32_t mode) {
  auto* record = static_cast<FakePrinter*>(printer);
  if (record->devMode.empty()) {
    return -1;
  }
  if (mode == 0) {
    return static_cast<int32_t>(record->devMode.size());
  }
  documentModes.push_back(mode);
  // The driver takes the settings it is given as they are.
  if ((mode & platform::kDmInBuffer) != 0 && input != nullptr) {
    std::memcpy(record->devMode.data(), input, record->devMode.size());
  }
  if ((mode & platform::kDmOutBuffer) != 0 && output != nullptr) {
    std::memcpy(output, record->devMode.data(), record->devMode.size());
  }
  return 1;
}

int32_t FakeSpooler::DeviceCapabilities(const char* device, const char*, uint16_t capability,
                                        void* output, const void* devMode) {
  EXPECT_NE(devMode, nullptr) << "capability " << capability << " without the device mode";
  const FakePrinter* printer = Named(device);
  if (printer == nullptr) {
    return -1;
  }
  const auto found = printer->capabilities.find(capability);
  return found == printer->capabilities.end() ? -1 : Answer(found->second, output);
}

void FakeRegistry::RegisterDriver(const std::string& company, const std::string& driver,
                                  const char* path) {
  const std::string root = "SOFTWARE\\" + company + "\\Skorvin\\Driver\\3.0";
  subkeys["SOFTWARE"].push_back(company);
  subkeys[root].push_back(driver);
  subkeys[root + "\\" + driver];
  if (path != nullptr) {
    values[root + "\\" + driver]["Info Dll"].assign(path, path + std::strlen(path) + 1);
  }
}

platform::MachineRegistry::Key FakeRegistry::OpenKey(const char* path) {
  if (subkeys.count(path) == 0 && values.count(path) == 0) {
    return nullptr;
  }
  ++openKeys;
  open_[nextKey_] = path;
  return reinterpret_cast<Key>(nextKey_++);
}

void FakeRegistry::CloseKey(Key key) {
  EXPECT_EQ(1u, open_.erase(reinterpret_cast<intptr_t>(key)));
  --openKeys;
}

bool FakeRegistry::EnumerateSubkey(Key key, uint32_t index, char* name, uint32_t capacity) {
  const std::vector<std::string>& names = subkeys[open_.at(reinterpret_cast<intptr_t>(key))];
  if (index >= names.size() || names[index].size() + 1 > capacity) {
    return false;
  }
  std::memcpy(name, names[index].c_str(), names[index].size() + 1);
  return true;
}

bool FakeRegistry::QueryValue(Key key, const char* valueName, void* buffer, uint32_t capacity,
                              uint32_t* size) {
  const auto& keyValues = values[open_.at(reinterpret_cast<intptr_t>(key))];
  const auto found = keyValues.find(valueName);
  if (found == keyValues.end() || found->second.size() > capacity) {
    return false;
  }
  std::memcpy(buffer, found->second.data(), found->second.size());
  *size = static_cast<uint32_t>(found->second.size());
  return true;
}

InformationContexts::Context FakeContexts::Create(const char*, const char*, const char*,
                                                  const void* devMode) {
  const int16_t paper = static_cast<int16_t>(
      platform::ByteReader(devMode, kDmPaperSizeOffset + 2).U16(kDmPaperSizeOffset).value_or(0));
  if (failAt == static_cast<int>(papersAsked.size())) {
    papersAsked.push_back(paper);
    return nullptr;
  }
  papersAsked.push_back(paper);
  ++live;
  return new int16_t(paper);
}

bool FakeContexts::SupportsEscape(Context, int32_t escape) {
  return escape == 12 || escape == 13;
}

int32_t FakeContexts::QueryPoint(Context context, int32_t escape, int32_t* x, int32_t* y) {
  const auto found = pages.find(*static_cast<int16_t*>(context));
  if (found == pages.end()) {
    return 0;
  }
  *x = escape == 12 ? found->second.width : found->second.offsetX;
  *y = escape == 12 ? found->second.height : found->second.offsetY;
  return 1;
}

void FakeContexts::Delete(Context context) {
  delete static_cast<int16_t*>(context);
  --live;
}

void* FakeMemory::AllocateLocked(std::size_t size) {
  if (failAt == allocations++) {
    return nullptr;
  }
  ++live;
  return std::calloc(size, 1);
}

void FakeMemory::FreeLocked(void* block) {
  if (block != nullptr) {
    --live;
    std::free(block);
  }
}

bool FakeVersion::Query(uint32_t* majorOut, uint32_t* minorOut, uint32_t* platformOut) {
  *majorOut = major;
  *minorOut = minor;
  *platformOut = platformId;
  return available;
}

void FakeWaitCursor::Begin() {
  ++begins;
  ++depth;
}

void FakeWaitCursor::End() {
  --depth;
}

platform::MessageAnswer FakeMessages::Show(const std::string& text, platform::MessageIcon icon,
                                           platform::MessageButtons buttons) {
  EXPECT_EQ(platform::MessageButtons::Ok, buttons);
  shown.push_back(text);
  icons.push_back(icon);
  return platform::MessageAnswer::Ok;
}

uint32_t FakeSupport::CheckPrinterSupport(const std::string& printerName) {
  return supported.count(printerName);
}

std::vector<uint8_t> MakeDevMode(uint32_t fields, std::size_t privateSize) {
  std::vector<uint8_t> bytes(kDevModeASize + privateSize);
  platform::ByteWriter writer(bytes.data(), bytes.size());
  writer.PutU16(kDmSizeOffset, kDevModeASize);
  writer.PutU16(kDmDriverExtraOffset, static_cast<uint16_t>(privateSize));
  writer.PutU32(kDmFieldsOffset, fields);
  return bytes;
}

void PutShort(std::vector<uint8_t>& bytes, std::size_t offset, int16_t value) {
  ASSERT_TRUE(platform::ByteWriter(bytes.data(), bytes.size())
                  .PutU16(offset, static_cast<uint16_t>(value)));
}

std::vector<uint8_t> Records(std::size_t n, std::size_t size,
                             const std::function<void(std::size_t, uint8_t*)>& fill) {
  std::vector<uint8_t> bytes(n * size);
  for (std::size_t i = 0; i < n; ++i) {
    fill(i, bytes.data() + i * size);
  }
  return bytes;
}

PrinterWorld::PrinterWorld() {
  InformationLibrary() = {};
}

PrinterWorld::~PrinterWorld() {
  EXPECT_EQ(0, spooler.openPrinters) << "printers left open";
  EXPECT_EQ(0, registry.openKeys) << "registry keys left open";
  EXPECT_EQ(0, loader.LoadedCount()) << "libraries left loaded";
  EXPECT_EQ(0, contexts.live) << "information contexts left";
  EXPECT_EQ(0, memory.live) << "memory blocks left";
}

FakePrinter& PrinterWorld::AddPrinter(const std::string& name, const std::string& driver,
                                      uint32_t fields, std::size_t privateSize) {
  FakePrinter& printer = spooler.printers.emplace_back();
  printer.name = name;
  printer.driver = driver;
  printer.devMode = MakeDevMode(fields, privateSize);
  printer.capabilities[kDcFields].count = static_cast<int32_t>(fields);
  return printer;
}

void PrinterWorld::RegisterDriver(const std::string& driver, bool withExport) {
  registry.RegisterDriver(kCompany, driver, kLibraryPath);
  platform::testing::FakeLibraryLoader::Exports exports;
  if (withExport) {
    exports[INFO_LIBRARY_EXPORT] =
        reinterpret_cast<platform::LibraryLoader::Symbol>(&FakeMyDeviceCapabilities);
  }
  loader.Provide(kLibraryPath, exports);
}

}  // namespace vexlow::testing
