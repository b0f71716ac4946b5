// Stand-ins for everything the printer model reaches outside itself, bundled
// by PrinterWorld, which checks when it goes that every printer, key,
// library, context and block taken was given back.
#ifndef TOOL_PRINTERS_TESTS_PRINTER_FAKES_H
#define TOOL_PRINTERS_TESTS_PRINTER_FAKES_H

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/byte_view.h"
#include "platform/testing/fake_library_loader.h"
#include "tool/printers/devmode.h"
#include "tool/printers/information_library.h"
#include "tool/printers/printer_seams.h"
#include "tool/printers/records.h"
#include "tool/printers/standard_capabilities.h"

namespace vexlow::testing {

// A capability's count without an output; with one, the bytes it writes and
// the count it then answers (the count again unless set).
struct CapabilityAnswer {
  int32_t count = -1;
  std::vector<uint8_t> output;
  std::optional<int32_t> written;

  int32_t Answer(void* out) const {
    if (out != nullptr && !output.empty()) {
      std::memcpy(out, output.data(), output.size());
    }
    return out == nullptr ? count : written.value_or(count);
  }
};
using Answers = std::map<uint16_t, CapabilityAnswer>;

inline int32_t AnswerOf(const Answers& answers, uint16_t index, void* output) {
  const auto found = answers.find(index);
  return found == answers.end() ? -1 : found->second.Answer(output);
}

struct FakePrinter {
  std::string name, driver, port = "USB001";
  uint32_t attributes = 0;
  bool opens = true;
  std::vector<uint8_t> devMode;  // empty: DocumentProperties fails
  Answers capabilities;
};

struct FakeSpooler : platform::PrinterSpooler {
  std::deque<FakePrinter> printers;
  std::vector<uint32_t> listFlags;
  std::vector<std::string> opened;         // every OpenPrinter, by name
  int merges = 0;                          // DocumentProperties given settings to take
  std::function<void(int)> beforeListing;  // given the listing's number, from 0
  int openPrinters = 0;

  FakePrinter* Named(const std::string& name) {
    const auto found = std::find_if(printers.begin(), printers.end(),
                                    [&](const FakePrinter& p) { return p.name == name; });
    return found == printers.end() ? nullptr : &*found;
  }
  bool ForEachPrinter(uint32_t flags, platform::PrinterVisitor& visitor) override {
    if (beforeListing) {
      beforeListing(static_cast<int>(listFlags.size()));
    }
    listFlags.push_back(flags);
    for (const FakePrinter& p : printers) {
      visitor.Visit({nullptr, p.name.c_str(), p.driver.c_str(), p.port.c_str(), p.attributes});
    }
    return !printers.empty();  // as EnumPrinters fails on none
  }
  bool SamePrinterName(const char* a, const char* b) override { return std::string(a) == b; }
  Printer OpenPrinter(const char* printerName) override {
    opened.push_back(printerName);
    FakePrinter* printer = Named(printerName);
    openPrinters += printer != nullptr && printer->opens;
    return printer != nullptr && printer->opens ? printer : nullptr;
  }
  void ClosePrinter(Printer) override { --openPrinters; }
  bool GetPrinter(Printer printer, platform::PrinterVisitor& visitor) override {
    const auto* p = static_cast<const FakePrinter*>(printer);
    visitor.Visit({"\\\\server", p->name.c_str(), p->driver.c_str(), p->port.c_str(), 0});
    return true;
  }
  // A driver that takes the settings it is given as they are.
  int32_t DocumentProperties(Printer printer, const char*, void* output, const void* input,
                             uint32_t mode) override {
    std::vector<uint8_t>& devMode = static_cast<FakePrinter*>(printer)->devMode;
    if (devMode.empty() || mode == 0) {
      return devMode.empty() ? -1 : static_cast<int32_t>(devMode.size());
    }
    if ((mode & platform::kDmInBuffer) != 0) {
      ++merges;
      std::memcpy(devMode.data(), input, devMode.size());
    }
    std::memcpy(output, devMode.data(), devMode.size());
    return 1;
  }
  int32_t DeviceCapabilities(const char* device, const char*, uint16_t capability, void* output,
                             const void* devMode) override {
    EXPECT_NE(devMode, nullptr);
    return AnswerOf(Named(device)->capabilities, capability, output);
  }
};

// A key is the address of its path in the map of keys.
struct FakeRegistry : platform::MachineRegistry {
  std::map<std::string, std::vector<std::string>> subkeys;  // every key, with its subkeys
  std::map<std::string, std::map<std::string, std::vector<uint8_t>>> values;
  int openKeys = 0;

  Key OpenKey(const char* path) override {
    const auto found = subkeys.find(path);
    openKeys += found != subkeys.end();
    return found == subkeys.end() ? nullptr : const_cast<std::string*>(&found->first);
  }
  void CloseKey(Key) override { --openKeys; }
  bool EnumerateSubkey(Key key, uint32_t index, char* name, uint32_t capacity) override {
    const std::vector<std::string>& names = subkeys[*static_cast<std::string*>(key)];
    if (index >= names.size() || names[index].size() >= capacity) {
      return false;
    }
    std::memcpy(name, names[index].c_str(), names[index].size() + 1);
    return true;
  }
  bool QueryValue(Key key, const char* valueName, void* buffer, uint32_t capacity,
                  uint32_t* size) override {
    const auto& keyValues = values[*static_cast<std::string*>(key)];
    const auto found = keyValues.find(valueName);
    if (found == keyValues.end() || found->second.size() > capacity) {
      return false;
    }
    std::memcpy(buffer, found->second.data(), found->second.size());
    *size = static_cast<uint32_t>(found->second.size());
    return true;
  }
};

// Pages by dmPaperSize: width, height, printing offset x and y.
struct FakeContexts : InformationContexts {
  std::map<int16_t, std::vector<int32_t>> pages;
  std::optional<std::size_t> failAt;  // the context of this number cannot be created
  std::vector<int16_t> papersAsked;
  int live = 0;
  // Bytes of the device mode given to Create that may be read: a shorter one
  // names no paper.
  std::size_t devModeSize = kDmPaperSizeOffset + 2;

  Context Create(const char*, const char*, const char*, const void* devMode) override {
    const platform::ByteReader fields(devMode, devModeSize);
    papersAsked.push_back(static_cast<int16_t>(fields.U16(kDmPaperSizeOffset).value_or(0)));
    if (failAt == papersAsked.size() - 1) {
      return nullptr;
    }
    ++live;
    return &pages.try_emplace(papersAsked.back(), std::vector<int32_t>(4)).first->second;
  }
  bool SupportsEscape(Context, int32_t escape) override { return escape == 12 || escape == 13; }
  int32_t QueryPoint(Context context, int32_t escape, int32_t* x, int32_t* y) override {
    const std::vector<int32_t>& page = *static_cast<std::vector<int32_t>*>(context);
    *x = page[escape == 12 ? 0 : 2];
    *y = page[escape == 12 ? 1 : 3];
    return *x > 0 ? 1 : 0;
  }
  void Delete(Context) override { --live; }
};

struct FakeMemory : GlobalMemory {
  std::optional<int> failAt;  // the allocation of this number fails
  int allocations = 0;
  int live = 0;
  void* AllocateLocked(std::size_t size) override {
    const bool fails = failAt == allocations++;
    live += !fails;
    return fails ? nullptr : std::calloc(size, 1);
  }
  void FreeLocked(void* block) override {
    live -= block != nullptr;
    std::free(block);
  }
};

struct FakeVersion : SystemVersion {
  bool available = true;
  uint32_t major = 10, minor = 0, platformId = 2;
  bool Query(uint32_t* majorOut, uint32_t* minorOut, uint32_t* platformOut) override {
    *majorOut = major, *minorOut = minor, *platformOut = platformId;
    return available;
  }
};

struct FakeWaitCursor : WaitCursor {
  int begins = 0, depth = 0;
  void Begin() override { ++begins, ++depth; }
  void End() override { --depth; }
};

struct FakeMessages : platform::MessageBoxes {
  std::vector<std::string> shown;  // text, then " !" for the exclamation icon and OK button
  platform::MessageAnswer Show(const std::string& text, platform::MessageIcon icon,
                               platform::MessageButtons buttons) override {
    const bool exclamation = icon == platform::MessageIcon::Exclamation;
    shown.push_back(text + (exclamation && buttons == platform::MessageButtons::Ok ? " !" : ""));
    return platform::MessageAnswer::Ok;
  }
};

struct FakeSupport : PrinterSupportCheck {
  std::set<std::string> supported;
  uint32_t CheckPrinterSupport(const std::string& name) override { return supported.count(name); }
};

// The information library's answers by index, and its calls as "device index",
// with " out" for a call given an output.
struct FakeInformationLibrary {
  Answers answers;
  std::vector<std::string> calls;
};
inline FakeInformationLibrary& InformationLibrary() {
  static FakeInformationLibrary library;
  return library;
}
inline int32_t INFO_LIBRARY_CALL FakeMyDeviceCapabilities(const char* device, const char*,
                                                          uint16_t index, void* output,
                                                          const void*) {
  InformationLibrary().calls.push_back(std::string(device) + " " + std::to_string(index) +
                                       (output != nullptr ? " out" : ""));
  return AnswerOf(InformationLibrary().answers, index, output);
}

inline constexpr char kCompany[] = "Quorbel Industries, Ltd.";
inline constexpr char kDriver[] = "Quorbel ZN-418";
inline constexpr char kLibraryPath[] = "C:\\Windows\\System32\\zn418inf.dll";

// A device mode of dmSize 156 with privateSize private bytes.
inline std::vector<uint8_t> MakeDevMode(uint32_t fields, std::size_t privateSize) {
  std::vector<uint8_t> bytes(kDevModeASize + privateSize);
  platform::ByteWriter writer(bytes.data(), bytes.size());
  writer.PutU16(kDmSizeOffset, kDevModeASize);
  writer.PutU16(kDmDriverExtraOffset, static_cast<uint16_t>(privateSize));
  writer.PutU32(kDmFieldsOffset, fields);
  return bytes;
}
inline void PutShort(std::vector<uint8_t>& bytes, std::size_t offset, int16_t value) {
  platform::ByteWriter(bytes.data(), bytes.size()).PutU16(offset, static_cast<uint16_t>(value));
}
// The values as little-endian numbers of width bytes each.
inline std::vector<uint8_t> Numbers(const std::vector<int32_t>& values, std::size_t width) {
  std::vector<uint8_t> bytes(values.size() * width);
  for (std::size_t i = 0; i < values.size(); ++i) {
    std::memcpy(&bytes[i * width], &values[i], width);
  }
  return bytes;
}

// Papers from rows of id, group, piece, physical width and height, offset x
// and y, printable width and height, flags; columns left off are 0.
inline PaperList Papers(const std::vector<std::vector<int>>& rows) {
  constexpr std::size_t kAt[] = {0, 128, 130, 112, 2, 116, 6, 118, 8, 124};
  PaperList papers;
  papers.SetSize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    platform::ByteWriter record(papers[i].Bytes(), PaperRecord::kSize);
    for (std::size_t k = 0; k < rows[i].size(); ++k) {
      const auto value = static_cast<uint32_t>(rows[i][k]);
      if (k == 2) {
        record.PutU8(kAt[k], static_cast<uint8_t>(value));
      } else if (k == 9) {
        record.PutU32(kAt[k], value);
      } else {
        record.PutU16(kAt[k], static_cast<uint16_t>(value));
      }
    }
  }
  return papers;
}
// The same as the information library writes them.
inline std::vector<uint8_t> PaperBytes(const std::vector<std::vector<int>>& rows) {
  PaperList papers = Papers(rows);
  const uint8_t* bytes = papers.Data()->Bytes();
  return {bytes, bytes + papers.Size() * PaperRecord::kSize};
}
// Margin records of keys 0, 12 and 24, with margins 100, 101 and 102.
inline MarginList Margins() {
  MarginList margins;
  margins.SetSize(3);
  for (std::size_t i = 0; i < 3; ++i) {
    margins[i].SetKey(static_cast<uint8_t>(12 * i));
    margins[i].SetMargin(static_cast<int16_t>(100 + i));
  }
  return margins;
}

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

  PrinterWorld() { InformationLibrary() = {}; }
  ~PrinterWorld() {
    EXPECT_EQ(0, spooler.openPrinters) << "printers left open";
    EXPECT_EQ(0, registry.openKeys) << "registry keys left open";
    EXPECT_EQ(0, loader.LoadedCount()) << "libraries left loaded";
    EXPECT_EQ(0, contexts.live) << "information contexts left";
    EXPECT_EQ(0, memory.live) << "memory blocks left";
  }
  // An attachable printer; DC_FIELDS answers the device mode's fields.
  FakePrinter& AddPrinter(const std::string& name, const std::string& driver = kDriver,
                          uint32_t fields = 0, std::size_t privateSize = 8) {
    FakePrinter& printer = spooler.printers.emplace_back();
    printer.name = name;
    printer.driver = driver;
    printer.devMode = MakeDevMode(fields, privateSize);
    printer.capabilities[kDcFields].count = static_cast<int32_t>(fields);
    return printer;
  }
  // Registers the driver, its "Info Dll" the fake library, with an export or without.
  void RegisterDriver(const std::string& driver = kDriver, bool withExport = true) {
    const std::string root = std::string("SOFTWARE\\") + kCompany + "\\Skorvin\\Driver\\3.0";
    registry.subkeys["SOFTWARE"].push_back(kCompany);
    registry.subkeys[root].push_back(driver);
    registry.subkeys[root + "\\" + driver];
    registry.values[root + "\\" + driver]["Info Dll"].assign(kLibraryPath, std::end(kLibraryPath));
    platform::testing::FakeLibraryLoader::Exports exports;
    if (withExport) {
      exports[INFO_LIBRARY_EXPORT] =
          reinterpret_cast<platform::LibraryLoader::Symbol>(&FakeMyDeviceCapabilities);
    }
    loader.Provide(kLibraryPath, exports);
  }
};

}  // namespace vexlow::testing

#endif  // TOOL_PRINTERS_TESTS_PRINTER_FAKES_H
