// Stand-ins for everything the printer model reaches outside itself (the
// platform's spooler, registry, loader and message boxes, the model's own
// seams), bundled by PrinterWorld, which checks when it goes that every printer, key,
// library, context and block taken was given back.
#ifndef TOOL_PRINTERS_TESTS_PRINTER_FAKES_H
#define TOOL_PRINTERS_TESTS_PRINTER_FAKES_H

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/byte_view.h"
#include "platform/testing/fake_library_loader.h"
#include "platform/testing/fake_message_boxes.h"
#include "platform/testing/fake_registry.h"
#include "platform/testing/fake_spooler.h"
#include "tool/printers/devmode.h"
#include "tool/printers/information_library.h"
#include "tool/printers/printer_seams.h"
#include "tool/printers/records.h"
#include "tool/printers/standard_capabilities.h"

namespace vexlow::testing {

using platform::testing::AnswerOf;
using platform::testing::Answers;
using platform::testing::CapabilityAnswer;
using platform::testing::FakeMessageBoxes;
using platform::testing::FakePrinter;
using platform::testing::FakeRegistry;
using platform::testing::FakeSpooler;
using platform::testing::ShownMessage;

// Pages by dmPaperSize: width, height, printing offset x and y; a device mode
// in landscape gives each pair across.
struct FakeContexts : InformationContexts {
  std::map<int16_t, std::vector<int32_t>> pages;
  std::optional<std::size_t> failAt;  // the context of this number cannot be created
  std::vector<int16_t> papersAsked;
  int live = 0;
  // Bytes of the device mode given to Create that may be read: a shorter one
  // names no paper.
  std::size_t devModeSize = kDmPaperSizeOffset + 2;
  bool landscape = false;  // of the latest context

  Context Create(const char*, const char*, const char*, const void* devMode) override {
    const platform::ByteReader fields(devMode, devModeSize);
    papersAsked.push_back(static_cast<int16_t>(fields.U16(kDmPaperSizeOffset).value_or(0)));
    landscape = fields.I16(kDmOrientationOffset) == 2;  // DMORIENT_LANDSCAPE
    if (failAt == papersAsked.size() - 1) {
      return nullptr;
    }
    ++live;
    return &pages.try_emplace(papersAsked.back(), std::vector<int32_t>(4)).first->second;
  }
  bool SupportsEscape(Context, int32_t escape) override { return escape == 12 || escape == 13; }
  int32_t QueryPoint(Context context, int32_t escape, int32_t* x, int32_t* y) override {
    const std::vector<int32_t>& page = *static_cast<std::vector<int32_t>*>(context);
    *x = page[(escape == 12 ? 0 : 2) + landscape];
    *y = page[(escape == 12 ? 1 : 3) - landscape];
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
  FakeMessageBoxes messages;
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
