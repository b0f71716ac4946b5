// The package header as the tool and the console client read it from the
// first bytes of any file: the first 64 bytes are the header, a shorter file
// leaves the new header's bytes in the rest, and only a positive size counts
// as a payload.
#include <cstring>
#include <memory>

#include "fuzz/fuzz_check.h"
#include "tool/transfer/package_header.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The file's bytes exactly as long as the file, so the sanitizer sees a
  // read past its end.
  const std::unique_ptr<uint8_t[]> file(new uint8_t[size]);
  if (size != 0) {
    std::memcpy(file.get(), data, size);
  }
  const vexlow::PackageHeader header = vexlow::ReadPackageHeader(file.get(), size);

  vexlow::PackageHeader expected;
  std::memcpy(expected.bytes.data(), data, size < expected.bytes.size() ? size : 64);
  FUZZ_CHECK(header.bytes == expected.bytes,
             "the header is the file's first 64 bytes over those of a new header");
  const uint8_t* b = expected.bytes.data();
  FUZZ_CHECK(header.ModelId() == (b[2] | b[3] << 8), "the model identifier is the word at 2");
  const auto raw = static_cast<int32_t>(static_cast<uint32_t>(b[16]) | uint32_t{b[17]} << 8 |
                                        uint32_t{b[18]} << 16 | uint32_t{b[19]} << 24);
  FUZZ_CHECK(header.RawPayloadSize() == raw, "the payload size is the signed number at 16");
  FUZZ_CHECK(header.PayloadSize() == (raw > 0 ? std::optional<int32_t>(raw) : std::nullopt),
             "only a size above 0 announces a payload");
  return 0;
}
