#include "virtual_printer/driver/core/driver_capabilities.h"

#include <cstddef>
#include <string>

#include "platform/byte_view.h"
#include "tool/printers/information_library.h"

namespace vp {
namespace {

constexpr int32_t kNoAnswer = -1;
constexpr std::size_t kNameField = 50;

// Tenths of a millimetre in device pixels at dpi dots per inch, truncated.
int16_t Pixels(uint16_t tenthsMm, uint16_t dpi) {
  return static_cast<int16_t>(static_cast<uint32_t>(tenthsMm) * dpi / 254);
}

void PutName(platform::ByteWriter& record, std::size_t offset, const std::string& name) {
  char field[kNameField] = {};
  name.copy(field, kNameField - 1);
  record.Put(offset, field, kNameField);
}

void PutPaper(const DriverInfoConfig& config, const DriverPaper& paper,
              platform::ByteWriter record) {
  const int16_t width = Pixels(paper.widthTenthsMm, config.resolution);
  const int16_t height = Pixels(paper.lengthTenthsMm, config.resolution);
  const auto offsetX = static_cast<int16_t>(config.printingOffset.x);
  const auto offsetY = static_cast<int16_t>(config.printingOffset.y);
  record.PutU16(0, static_cast<uint16_t>(paper.id));
  record.PutU16(2, static_cast<uint16_t>(height));
  record.PutU16(4, paper.lengthTenthsMm);
  record.PutU16(6, static_cast<uint16_t>(offsetY));
  record.PutU16(8, static_cast<uint16_t>(height - 2 * offsetY));
  PutName(record, 12, paper.name);
  PutName(record, 62, paper.displayName);
  record.PutU16(112, static_cast<uint16_t>(width));
  record.PutU16(114, paper.widthTenthsMm);
  record.PutU16(116, static_cast<uint16_t>(offsetX));
  record.PutU16(118, static_cast<uint16_t>(width - 2 * offsetX));
  record.PutU16(128, static_cast<uint16_t>(paper.id));  // a paper of one piece: its own group
  record.PutU8(130, 1);
}

void PutMargin(const DriverInfoConfig&, const DriverMargin& margin, platform::ByteWriter record) {
  record.PutU8(0, margin.key);
  record.PutU16(1, static_cast<uint16_t>(margin.margin));
}

// The count of a record list, and with an output the records, zero-filled
// around the fields the library sets.
template <typename Record>
int32_t AnswerRecords(const DriverInfoConfig& config, const std::vector<Record>& list,
                      std::size_t recordSize, void* output,
                      void (*put)(const DriverInfoConfig&, const Record&, platform::ByteWriter)) {
  if (output != nullptr) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      platform::ByteWriter record(static_cast<uint8_t*>(output) + i * recordSize, recordSize);
      const uint8_t zeros[INFO_PAPER_RECORD_SIZE] = {};
      record.Put(0, zeros, recordSize);
      put(config, list[i], record);
    }
  }
  return static_cast<int32_t>(list.size());
}

int32_t Words(WordPair pair) {
  return static_cast<int32_t>(static_cast<uint32_t>(pair.y) << 16 | pair.x);
}

}  // namespace

int32_t AnswerCapability(const DriverInfoConfig& config, uint16_t index, void* output) {
  switch (index) {
    case INFO_PAPER_RECORDS:
    case INFO_MODEL_PAPER_RECORDS:
      return AnswerRecords(config, config.papers, INFO_PAPER_RECORD_SIZE, output, PutPaper);
    case INFO_MARGIN_RECORDS:
      return AnswerRecords(config, config.margins, INFO_MARGIN_RECORD_SIZE, output, PutMargin);
    case INFO_FEATURE_FLAGS:
      return static_cast<int32_t>(config.featureFlags);
    case INFO_COLOUR_COUNT:
      return config.colours;
    case INFO_ORIGIN:
      return Words(config.origin);
    case INFO_OFFSET:
      return Words(config.offset);
    case INFO_VALUE_276:
      return config.value276;
    case INFO_MODEL_ID:
      return config.modelId ? *config.modelId : kNoAnswer;
    default:
      return kNoAnswer;
  }
}

}  // namespace vp
