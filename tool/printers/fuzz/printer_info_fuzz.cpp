// A printer as a hostile spooler, driver and information library describe it:
// any device mode (dmSize, dmDriverExtra, fields and private area of any
// value, any length), any capability counts and records, -1 anywhere, a
// registration of any bytes. Attached directly, or listed and selected
// through the printer list, over the printer model's test fakes. Records,
// masks, media and geometry must stay inside their buffers (the sanitizers),
// every printer, key, library, context and block taken must be given back
// (the fakes' own checks), and what attach leaves must hold together.
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/test_reports.h"
#include "tool/printers/printer_info.h"
#include "tool/printers/printer_list.h"
#include "tool/printers/private_area.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow::fuzzing {
namespace {

using testing::CapabilityAnswer;
using testing::PrinterWorld;

constexpr char kSuffix[] = "(Special Tape)";

// A count as a driver may give it (no answer, none, a few, anything) and, for
// a count the model may fill a block for, up to that many records of size
// bytes; with any count reported back as written.
CapabilityAnswer Answer(fuzz::FuzzInput& input, std::size_t size) {
  CapabilityAnswer answer;
  const uint8_t shape = input.U8();
  switch (shape & 3) {
    case 0:
      answer.count = -1;
      break;
    case 1:
      answer.count = static_cast<int32_t>(input.InRange(0, 12));
      break;
    case 2:
      answer.count = static_cast<int32_t>(input.U32());
      break;
    default:
      answer.count = static_cast<int32_t>(input.InRange(0, 3));
      break;
  }
  if (size != 0 && answer.count > 0 && answer.count <= static_cast<int32_t>(kMaxDriverRecords)) {
    const std::size_t room = static_cast<std::size_t>(answer.count) * size;
    answer.output = input.Bytes(input.InRange(0, static_cast<uint32_t>(room)));
  }
  if ((shape & 4) != 0) {
    answer.written = static_cast<int32_t>(input.U32());
  }
  return answer;
}

// Any bytes, with the fields a driver sets shaped on request, so that the
// device-mode and private-area readings get past their first checks.
std::vector<uint8_t> DeviceMode(fuzz::FuzzInput& input) {
  const uint8_t shape = input.U8();
  const std::size_t size = (shape & 1) != 0 ? input.InRange(0, 200) : input.InRange(0, 3500);
  std::vector<uint8_t> bytes = input.Bytes(size);
  bytes.resize(size);
  platform::ByteWriter devMode(bytes.data(), bytes.size());
  if ((shape & 2) != 0) {
    devMode.PutU16(kDmSizeOffset, static_cast<uint16_t>(kDevModeASize));
    devMode.PutU16(kDmDriverExtraOffset,
                   static_cast<uint16_t>(size > kDevModeASize ? size - kDevModeASize : 0));
  }
  platform::ByteWriter area = devMode.From(kDevModeASize);
  if ((shape & 4) != 0) {
    // A layout-one area whose size word matches its media count.
    const uint16_t media = static_cast<uint16_t>(input.InRange(0, 25));
    area.PutU16(kPrivateSizeOffset, static_cast<uint16_t>(media * 150 + 30));
    area.PutU16(kPrivateMediaCountOffset, media);
  }
  if ((shape & 8) != 0) {
    area.PutU16(kPrivateSpecialTapeOffset, kSpecialTapeOn);
  }
  return bytes;
}

// A name of up to 300 characters, the suffix in it on request.
std::string DisplayName(fuzz::FuzzInput& input, const std::string& suffix) {
  std::string name = input.Text(300);
  if ((input.U8() & 1) != 0) {
    name.insert(input.InRange(0, static_cast<uint32_t>(name.size())), suffix);
  }
  return name;
}

struct Printer {
  std::string displayName;
  std::string driverForList;
};

// The world of one input: one printer, its driver's registration and
// information library, its papers' measures.
Printer Describe(fuzz::FuzzInput& input, PrinterWorld& world) {
  if ((input.U8() & 1) != 0) {
    world.environment.specialTapeSuffix = input.Text(20);
  }
  const std::string suffix = world.environment.specialTapeSuffix.empty()
                                 ? std::string(kSuffix)
                                 : world.environment.specialTapeSuffix;
  Printer printer;
  printer.displayName = DisplayName(input, suffix);
  const uint8_t naming = input.U8();
  std::string driver = (naming & 1) != 0 ? input.Text(300) : testing::kDriver;
  printer.driverForList = (naming & 2) != 0 ? driver : testing::kDriver;
  // Listed under the display name cut at the suffix, or under another name.
  std::string spoolerName = printer.displayName.substr(0, printer.displayName.find(suffix));
  if ((naming & 4) != 0) {
    spoolerName = input.Text(40);
  }
  testing::FakePrinter& fake = world.AddPrinter(spoolerName, driver);
  fake.opens = (naming & 8) == 0;
  fake.port = input.Text(30);
  fake.attributes = input.U8() & 0x20;
  fake.devMode = DeviceMode(input);
  world.contexts.devModeSize = fake.devMode.size();
  const std::pair<uint16_t, std::size_t> standard[] = {{kDcFields, 0},
                                                       {kDcEnumResolutions, 8},
                                                       {kDcMinExtent, 0},
                                                       {kDcMaxExtent, 0},
                                                       {kDcOrientation, 0},
                                                       {kDcCopies, 0},
                                                       {kDcPaperNames, kPaperNameSize},
                                                       {kDcPaperSize, 8},
                                                       {kDcPapers, 2}};
  for (const auto& [capability, size] : standard) {
    fake.capabilities[capability] = Answer(input, size);
  }

  const uint8_t registration = input.U8();
  if ((registration & 1) != 0) {
    // The "Info Dll" value: the library's path, or any bytes at all, with or
    // without its zero; the library may be missing or lack its export.
    const bool oddPath = (registration & 2) != 0;
    const bool withExport = (registration & 4) == 0;
    const std::string path = oddPath ? input.Text(300) : testing::kLibraryPath;
    world.RegisterDriver(driver, withExport);
    const std::string key =
        "SOFTWARE\\" + std::string(testing::kCompany) + "\\Skorvin\\Driver\\3.0\\" + driver;
    std::vector<uint8_t>& value = world.registry.values[key]["Info Dll"];
    value.assign(path.begin(), path.end());
    if ((registration & 8) == 0) {
      value.push_back('\0');
    }
    if (oddPath && (registration & 16) == 0) {
      platform::testing::FakeLibraryLoader::Exports exports;
      if (withExport) {
        exports[INFO_LIBRARY_EXPORT] =
            reinterpret_cast<platform::LibraryLoader::Symbol>(&testing::FakeMyDeviceCapabilities);
      }
      world.loader.Provide(path, exports);
    }
  }
  const std::pair<uint16_t, std::size_t> extended[] = {
      {INFO_FEATURE_FLAGS, 0},
      {INFO_PAPER_RECORDS, INFO_PAPER_RECORD_SIZE},
      {INFO_MARGIN_RECORDS, INFO_MARGIN_RECORD_SIZE},
      {INFO_COLOUR_COUNT, 0},
      {INFO_ORIGIN, 0},
      {INFO_OFFSET, 0},
      {INFO_VALUE_276, 0},
      {INFO_MODEL_PAPER_RECORDS, INFO_PAPER_RECORD_SIZE},
      {INFO_MODEL_ID, 0}};
  for (const auto& [index, size] : extended) {
    testing::InformationLibrary().answers[index] = Answer(input, size);
  }

  for (uint32_t pages = input.InRange(0, 4); pages > 0; --pages) {
    const auto paper = static_cast<int16_t>(input.U16());
    world.contexts.pages[paper] = {
        static_cast<int32_t>(input.U32()), static_cast<int32_t>(input.U32()),
        static_cast<int32_t>(input.U32()), static_cast<int32_t>(input.U32())};
  }
  const uint8_t faults = input.U8();
  if ((faults & 1) != 0) {
    world.contexts.failAt = input.InRange(0, 8);
  }
  if ((faults & 2) != 0) {
    world.memory.failAt = static_cast<int>(input.InRange(0, 4));
  }
  world.version.available = (faults & 4) == 0;
  world.version.major = input.InRange(0, 10);
  world.version.minor = input.U8();
  world.version.platformId = input.InRange(0, 3);
  if ((faults & 8) != 0) {
    world.support.supported.insert(printer.displayName);
  }
  return printer;
}

void CheckAttached(const PrinterInfo& info, bool attached, const std::string& name) {
  FUZZ_CHECK(!attached || (!name.empty() && info.IsOpened()),
             "attach succeeds only for a name, and leaves the printer opened");
  FUZZ_CHECK(
      info.DisplayName().size() <= kMaxNameLength && info.PrinterName().size() <= kMaxNameLength,
      "names stay within 259 characters");
  const DriverExtension& extension = info.Extension();
  FUZZ_CHECK((extension.optionBits & ~extension.optionMask) == 0 &&
                 (extension.defaultOptionBits & ~extension.optionMask) == 0,
             "the option bits stay within the option mask");
  FUZZ_CHECK(extension.copiesLimit <= 5000, "the copies limit is at most 5000");
  FUZZ_CHECK((info.GetModelId() != nullptr) == ((extension.state & DriverExtension::kLoaded) != 0),
             "the model identifier is offered exactly while the extension data is loaded");
  FUZZ_CHECK(
      info.Papers().Size() <= kMaxDriverRecords && info.Margins().Size() <= kMaxDriverRecords,
      "no more records than a driver is believed to have");
}

void RunOne(fuzz::FuzzInput& input) {
  PrinterWorld world;
  const bool throughList = (input.U8() & 1) != 0;
  const Printer printer = Describe(input, world);
  if (throughList) {
    PrinterList list(world.environment);
    list.AddPrintersWithDriver(printer.driverForList);
    list.SelectPrinter(printer.displayName.c_str());
    std::string current;
    FUZZ_CHECK(!list.GetCurrentPrinterName(current) || current.size() <= kMaxNameLength,
               "the current printer's name stays within 259 characters");
    PrinterList::Position position = list.GetHeadPosition();
    while (const PrinterInfo* info = list.GetNext(position)) {
      CheckAttached(*info, true, list.GetPrinterDisplayName(*info));
    }
    return;
  }
  PrinterInfo info(world.environment);
  const bool attached = info.Attach(printer.displayName.c_str(), 0);
  CheckAttached(info, attached, printer.displayName);
  info.Release();
  FUZZ_CHECK(!info.IsOpened() && info.GetModelId() == nullptr, "release drops what attach built");
}

}  // namespace
}  // namespace vexlow::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Besides, the fakes check that every printer, key, library, context and
  // block taken is given back.
  fuzz::WithoutTestReports([&] {
    fuzz::FuzzInput input(data, size);
    vexlow::fuzzing::RunOne(input);
  });
  return 0;
}
