// A printer as a hostile spooler, driver and information library describe it
// (any device mode, capability counts and records, registration, page
// measures, failing contexts and memory), attached directly or listed and
// selected, over the printer model's test fakes. The sanitizers watch the
// buffers, the fakes that everything taken is given back; a few rules what
// attach leaves.
#include "fuzz/fuzz.h"
#include "tool/printers/printer_info.h"
#include "tool/printers/printer_list.h"
#include "tool/printers/private_area.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow::fuzzing {

// Any count; for one a block may be filled for, up to that many records.
testing::CapabilityAnswer Answer(fuzz::FuzzInput& input, std::size_t size) {
  testing::CapabilityAnswer answer;
  answer.count = input.Bool() ? static_cast<int32_t>(input.U32())
                              : static_cast<int32_t>(input.InRange(0, 13)) - 1;
  if (answer.count > 0 && answer.count <= static_cast<int32_t>(kMaxDriverRecords)) {
    answer.output = input.Bytes(input.InRange(0, static_cast<uint32_t>(answer.count * size)));
  }
  if (input.Bool()) {
    answer.written = static_cast<int32_t>(input.U32());
  }
  return answer;
}

// What no driver may break: names and records within the buffers they are
// kept in, option bits within their mask, at most 5000 copies, and the model
// identifier offered exactly while the extension data is loaded.
void Check(const PrinterInfo& info) {
  const DriverExtension& extension = info.Extension();
  FUZZ_CHECK(info.DisplayName().size() <= kMaxNameLength &&
             info.PrinterName().size() <= kMaxNameLength);
  FUZZ_CHECK(info.Papers().Size() <= kMaxDriverRecords &&
             info.Margins().Size() <= kMaxDriverRecords);
  FUZZ_CHECK(((extension.optionBits | extension.defaultOptionBits) & ~extension.optionMask) == 0);
  FUZZ_CHECK(extension.copiesLimit <= 5000);
  FUZZ_CHECK((info.GetModelId() != nullptr) == ((extension.state & DriverExtension::kLoaded) != 0));
}

void RunOne(fuzz::FuzzInput& input) {
  testing::PrinterWorld world;
  const bool throughList = input.Bool();
  const std::string name = input.Text(300);
  const std::string driver = input.Bool() ? input.Text(300) : testing::kDriver;
  // A device mode of any length, its private area's size word and media count
  // matched on request, and any bytes laid over it anywhere.
  const uint32_t size = input.InRange(0, 3500);
  testing::FakePrinter& printer =
      world.AddPrinter(name.substr(0, name.find("(Special Tape)")), driver, input.U32(),
                       size > kDevModeASize ? size - kDevModeASize : 0);
  printer.devMode.resize(size);
  platform::ByteWriter area =
      platform::ByteWriter(printer.devMode.data(), size).From(kDevModeASize);
  if (input.Bool()) {
    const uint16_t media = static_cast<uint16_t>(input.InRange(0, 25));
    area.PutU16(kPrivateSizeOffset, static_cast<uint16_t>(media * 150 + 30));
    area.PutU16(kPrivateMediaCountOffset, media);
  }
  const uint32_t from = input.InRange(0, size);
  const std::vector<uint8_t> bytes = input.Bytes(size - from);
  std::copy(bytes.begin(), bytes.end(), printer.devMode.begin() + from);
  printer.opens = input.Bool();
  world.contexts.devModeSize = size;
  for (const uint16_t index : {kDcFields, kDcMinExtent, kDcMaxExtent, kDcOrientation, kDcCopies}) {
    printer.capabilities[index] = Answer(input, 0);
  }
  printer.capabilities[kDcEnumResolutions] = Answer(input, 8);
  printer.capabilities[kDcPaperNames] = Answer(input, kPaperNameSize);
  printer.capabilities[kDcPaperSize] = Answer(input, 8);
  printer.capabilities[kDcPapers] = Answer(input, 2);
  if (input.Bool()) {  // "Info Dll" as registered, or any bytes
    world.RegisterDriver(driver, input.Bool());
    if (input.Bool()) {
      world.registry.values.begin()->second["Info Dll"] = input.Bytes(input.InRange(0, 300));
    }
  }
  testing::Answers& library = testing::InformationLibrary().answers;
  for (const uint16_t index : {INFO_FEATURE_FLAGS, INFO_COLOUR_COUNT, INFO_ORIGIN, INFO_OFFSET,
                               INFO_VALUE_276, INFO_MODEL_ID}) {
    library[index] = Answer(input, 0);
  }
  library[INFO_PAPER_RECORDS] = Answer(input, INFO_PAPER_RECORD_SIZE);
  library[INFO_MARGIN_RECORDS] = Answer(input, INFO_MARGIN_RECORD_SIZE);
  library[INFO_MODEL_PAPER_RECORDS] = Answer(input, INFO_PAPER_RECORD_SIZE);
  for (uint32_t pages = input.InRange(0, 4); pages > 0; --pages) {
    std::vector<int32_t>& page = world.contexts.pages[static_cast<int16_t>(input.U16())];
    page.resize(4);
    for (int32_t& measure : page) {
      measure = static_cast<int32_t>(input.U32());
    }
  }
  world.contexts.failAt = input.InRange(0, 30);  // a number past the last fails none
  world.memory.failAt = static_cast<int>(input.InRange(0, 10));
  world.version.available = input.Bool();
  world.version.major = input.InRange(0, 10);
  world.version.platformId = input.InRange(0, 3);
  if (input.Bool()) {
    world.support.supported.insert(name);
  }
  if (throughList) {
    PrinterList list(world.environment);
    list.AddPrintersWithDriver(input.Bool() ? driver : testing::kDriver);
    list.SelectPrinter(name.c_str());
    for (PrinterList::Position at = list.GetHeadPosition();
         const PrinterInfo* info = list.GetNext(at);) {
      Check(*info);
    }
    return;
  }
  PrinterInfo info(world.environment);
  FUZZ_CHECK(!info.Attach(name.c_str(), 0) || info.IsOpened());
  Check(info);
  info.Release();
  FUZZ_CHECK(!info.IsOpened() && info.GetModelId() == nullptr);  // release drops what attach built
}

}  // namespace vexlow::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::FuzzInput input(data, size);
  vexlow::fuzzing::RunOne(input);
  return 0;
}
