#include "zip_writer.h"

#include <zlib.h>

#include <limits>

namespace support {

namespace {

constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr uint32_t kCentralHeader = 0x02014b50;
constexpr uint32_t kEndRecord = 0x06054b50;
constexpr uint16_t kVersion = 20;  // 2.0: deflate
constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
// Room kept below 4 GiB for the headers and the directory that follow.
constexpr uint64_t kMaxArchive = std::numeric_limits<uint32_t>::max() - (1u << 20);

void Put16(std::vector<uint8_t>* out, uint16_t value) {
  out->push_back(static_cast<uint8_t>(value));
  out->push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>* out, uint32_t value) {
  Put16(out, static_cast<uint16_t>(value));
  Put16(out, static_cast<uint16_t>(value >> 16));
}

// Raw deflate (no zlib header), as ZIP wants it.
bool Deflate(std::string_view data, std::vector<uint8_t>* out) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    return false;
  }
  out->resize(deflateBound(&stream, static_cast<uLong>(data.size())));
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = out->data();
  stream.avail_out = static_cast<uInt>(out->size());
  const int result = deflate(&stream, Z_FINISH);
  out->resize(stream.total_out);
  deflateEnd(&stream);
  return result == Z_STREAM_END;
}

}  // namespace

bool ZipWriter::Add(std::string_view name, std::string_view data) {
  if (name.empty() || name.size() > 0xFFFF || count_ == 0xFFFF ||
      files_.size() + data.size() + name.size() > kMaxArchive) {
    return false;
  }
  std::vector<uint8_t> deflated;
  if (!Deflate(data, &deflated)) {
    return false;
  }
  const bool store = deflated.size() >= data.size();
  const uint8_t* body = store ? reinterpret_cast<const uint8_t*>(data.data()) : deflated.data();
  const uint32_t bodySize = static_cast<uint32_t>(store ? data.size() : deflated.size());
  const uint32_t crc =
      static_cast<uint32_t>(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()),
                                  static_cast<uInt>(data.size())));
  const uint16_t dosTime =
      static_cast<uint16_t>(time_.hour << 11 | time_.minute << 5 | time_.second / 2);
  const uint16_t dosDate =
      static_cast<uint16_t>((time_.year - 1980) << 9 | time_.month << 5 | time_.day);
  const uint32_t offset = static_cast<uint32_t>(files_.size());

  // The fields the local header and the directory entry share.
  const auto common = [&](std::vector<uint8_t>* out) {
    Put16(out, kVersion);  // needed to extract
    Put16(out, 0);         // flags
    Put16(out, store ? kStored : kDeflated);
    Put16(out, dosTime);
    Put16(out, dosDate);
    Put32(out, crc);
    Put32(out, bodySize);
    Put32(out, static_cast<uint32_t>(data.size()));
    Put16(out, static_cast<uint16_t>(name.size()));
    Put16(out, 0);  // extra field
  };
  Put32(&files_, kLocalHeader);
  common(&files_);
  files_.insert(files_.end(), name.begin(), name.end());
  files_.insert(files_.end(), body, body + bodySize);

  Put32(&directory_, kCentralHeader);
  Put16(&directory_, kVersion);  // made by: MS-DOS attributes, 2.0
  common(&directory_);
  Put16(&directory_, 0);  // comment
  Put16(&directory_, 0);  // disk
  Put16(&directory_, 0);  // internal attributes
  Put32(&directory_, 0);  // external attributes
  Put32(&directory_, offset);
  directory_.insert(directory_.end(), name.begin(), name.end());
  ++count_;
  return true;
}

std::vector<uint8_t> ZipWriter::Finish() const {
  std::vector<uint8_t> archive = files_;
  archive.insert(archive.end(), directory_.begin(), directory_.end());
  Put32(&archive, kEndRecord);
  Put16(&archive, 0);  // this disk
  Put16(&archive, 0);  // the directory's disk
  Put16(&archive, count_);
  Put16(&archive, count_);
  Put32(&archive, static_cast<uint32_t>(directory_.size()));
  Put32(&archive, static_cast<uint32_t>(files_.size()));
  Put16(&archive, 0);  // comment
  return archive;
}

}  // namespace support
