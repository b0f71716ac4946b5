// The recording reader against any text. Besides the sanitizers: whatever it
// accepts is a recording whose calls are consistent in themselves (numbered
// from 1 without a gap, names that fit the 260-byte buffers they travel in, no
// call carrying more bytes than its count), and writing those calls again
// gives text that reads back as the same calls.
#include "fuzz/fuzz.h"
#include "support/recording/recording_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<support::RecordedCall> calls, reread;
  std::string error, again = std::string(support::kRecordingHeader) + '\n';
  if (!support::ParseRecording(std::string_view(reinterpret_cast<const char*>(data), size), &calls,
                               &error)) {
    FUZZ_CHECK(!error.empty() && calls.empty());  // a refused text says why and gives no call
    return 0;
  }
  for (size_t i = 0; i < calls.size(); ++i) {
    const support::RecordedCall& call = calls[i];
    FUZZ_CHECK(call.number == i + 1 && call.data.size() <= call.count);
    FUZZ_CHECK(!call.printerName || call.printerName->size() <= support::kMaxPrinterNameBytes);
    FUZZ_CHECK(!call.openBlock || call.openBlock->size() == support::kOpenBlockBytes);
    again += support::FormatCall(call);
  }
  FUZZ_CHECK(support::ParseRecording(again, &reread, &error) && reread == calls);
  return 0;
}
