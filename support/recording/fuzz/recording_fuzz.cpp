// The recording reader against any text. Besides the sanitizers: whatever it
// accepts is a recording whose calls are consistent in themselves, and writing
// those calls again gives text that reads back as the same calls.
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "support/recording/recording_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<support::RecordedCall> calls;
  std::string error;
  if (!support::ParseRecording(text, &calls, &error)) {
    FUZZ_CHECK(!error.empty() && calls.empty(), "a refused text says why and gives no call");
    return 0;
  }
  std::string again(support::kRecordingHeader);
  again += '\n';
  for (size_t i = 0; i < calls.size(); ++i) {
    const support::RecordedCall& call = calls[i];
    FUZZ_CHECK(call.number == i + 1, "calls are numbered from 1 without a gap");
    FUZZ_CHECK(!call.printerName || call.printerName->size() <= support::kMaxPrinterNameBytes,
               "a name fits the 260-byte buffers names travel in");
    FUZZ_CHECK(!call.openBlock || call.openBlock->size() == support::kOpenBlockBytes,
               "an open block has 10 bytes");
    FUZZ_CHECK(call.data.size() <= call.count, "no call carries more bytes than its count");
    again += support::FormatCall(call);
  }
  std::vector<support::RecordedCall> reread;
  FUZZ_CHECK(support::ParseRecording(again, &reread, &error), "written calls read back");
  FUZZ_CHECK(reread == calls, "written calls read back unchanged");
  return 0;
}
