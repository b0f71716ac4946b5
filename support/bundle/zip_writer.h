// A ZIP archive made in memory: each file deflated (zlib's raw deflate) or,
// when that would not make it smaller, stored. Plain ZIP without its 64-bit
// extension, so every file and the whole archive stay below 4 GiB.
#ifndef SUPPORT_BUNDLE_ZIP_WRITER_H
#define SUPPORT_BUNDLE_ZIP_WRITER_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace support {

// A local date and time as ZIP keeps it (two-second steps, years 1980 to 2107).
struct ZipTime {
  uint16_t year = 1980;
  uint8_t month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class ZipWriter {
 public:
  explicit ZipWriter(ZipTime time) : time_(time) {}

  // Adds a file under name (ASCII, '/' between folders). False when the name
  // or the data is too large for the archive, or compression fails.
  bool Add(std::string_view name, std::string_view data);
  // The whole archive: the files, their central directory and its end record.
  std::vector<uint8_t> Finish() const;

 private:
  ZipTime time_;
  std::vector<uint8_t> files_;      // local headers and data
  std::vector<uint8_t> directory_;  // central directory entries
  uint16_t count_ = 0;
};

}  // namespace support

#endif  // SUPPORT_BUNDLE_ZIP_WRITER_H
