#include "avi_clip.h"

#include <algorithm>
#include <cstddef>

namespace vexlow::animation {

namespace {

constexpr uint32_t kAviHasIndex = 0x10;    // AVIF_HASINDEX
constexpr uint32_t kIndexKeyFrame = 0x10;  // AVIIF_KEYFRAME
constexpr uint32_t kBiRle8 = 1;            // BI_RLE8
constexpr uint32_t kMicrosecondsPerSecond = 1000000;

// Appends little-endian numbers and nested RIFF chunks to a byte vector.
class RiffWriter {
 public:
  void U16(uint32_t value) {
    bytes_.push_back(static_cast<uint8_t>(value));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
  }
  void U32(uint32_t value) {
    U16(value & 0xFFFF);
    U16(value >> 16);
  }
  void FourCc(const char (&code)[5]) { bytes_.insert(bytes_.end(), code, code + 4); }
  void Bytes(const std::vector<uint8_t>& data) {
    bytes_.insert(bytes_.end(), data.begin(), data.end());
  }

  // Starts a chunk; returns where its size goes, for EndChunk.
  std::size_t BeginChunk(const char (&id)[5]) {
    FourCc(id);
    const std::size_t sizeAt = bytes_.size();
    U32(0);
    return sizeAt;
  }
  std::size_t BeginList(const char (&list)[5], const char (&type)[5]) {
    const std::size_t sizeAt = BeginChunk(list);
    FourCc(type);
    return sizeAt;
  }
  // Fills in the chunk's size and pads its data to an even length.
  void EndChunk(std::size_t sizeAt) {
    const std::size_t size = bytes_.size() - sizeAt - 4;
    for (int i = 0; i < 4; ++i) {
      bytes_[sizeAt + static_cast<std::size_t>(i)] = static_cast<uint8_t>(size >> (8 * i));
    }
    if (size % 2 != 0) {
      bytes_.push_back(0);
    }
  }

  std::size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

void WriteMainHeader(RiffWriter& riff, const AviClip& clip, uint32_t largestFrame) {
  const std::size_t at = riff.BeginChunk("avih");
  const uint32_t framesPerSecond =
      clip.microsecondsPerFrame == 0 ? 0 : kMicrosecondsPerSecond / clip.microsecondsPerFrame;
  riff.U32(clip.microsecondsPerFrame);
  riff.U32(largestFrame * framesPerSecond);  // max bytes per second
  riff.U32(0);                               // padding granularity
  riff.U32(kAviHasIndex);
  riff.U32(static_cast<uint32_t>(clip.frames.size()));
  riff.U32(0);  // initial frames
  riff.U32(1);  // streams
  riff.U32(largestFrame);
  riff.U32(static_cast<uint32_t>(clip.width));
  riff.U32(static_cast<uint32_t>(clip.height));
  for (int i = 0; i < 4; ++i) {
    riff.U32(0);  // reserved
  }
  riff.EndChunk(at);
}

void WriteStreamHeader(RiffWriter& riff, const AviClip& clip, uint32_t largestFrame) {
  const std::size_t at = riff.BeginChunk("strh");
  riff.FourCc("vids");
  riff.FourCc("RLE ");
  riff.U32(0);                          // flags
  riff.U16(0);                          // priority
  riff.U16(0);                          // language
  riff.U32(0);                          // initial frames
  riff.U32(clip.microsecondsPerFrame);  // scale: the rate is frames per scale microseconds
  riff.U32(kMicrosecondsPerSecond);
  riff.U32(0);  // start
  riff.U32(static_cast<uint32_t>(clip.frames.size()));
  // Readers take this many bytes of each frame at once.
  riff.U32(largestFrame);
  riff.U32(0xFFFFFFFF);  // quality: the default
  riff.U32(0);           // sample size: varies
  riff.U16(0);
  riff.U16(0);
  riff.U16(static_cast<uint32_t>(clip.width));
  riff.U16(static_cast<uint32_t>(clip.height));
  riff.EndChunk(at);
}

void WriteStreamFormat(RiffWriter& riff, const AviClip& clip, uint32_t largestFrame) {
  const std::size_t at = riff.BeginChunk("strf");
  riff.U32(40);  // BITMAPINFOHEADER
  riff.U32(static_cast<uint32_t>(clip.width));
  riff.U32(static_cast<uint32_t>(clip.height));  // positive: rows bottom-up
  riff.U16(1);                                   // planes
  riff.U16(8);                                   // bits per pixel
  riff.U32(kBiRle8);
  // One size for every frame; decoders stop at the end-of-bitmap mark.
  riff.U32(largestFrame);
  riff.U32(0);
  riff.U32(0);
  riff.U32(static_cast<uint32_t>(clip.palette.size()));
  riff.U32(0);  // every colour is important
  for (const PaletteColor& color : clip.palette) {
    riff.Bytes({color.blue, color.green, color.red, 0});
  }
  riff.EndChunk(at);
}

}  // namespace

std::vector<uint8_t> WriteAvi(const AviClip& clip) {
  uint32_t largestFrame = 0;
  for (const std::vector<uint8_t>& frame : clip.frames) {
    largestFrame = std::max(largestFrame, static_cast<uint32_t>(frame.size()));
  }

  RiffWriter riff;
  const std::size_t file = riff.BeginList("RIFF", "AVI ");

  const std::size_t headers = riff.BeginList("LIST", "hdrl");
  WriteMainHeader(riff, clip, largestFrame);
  const std::size_t stream = riff.BeginList("LIST", "strl");
  WriteStreamHeader(riff, clip, largestFrame);
  WriteStreamFormat(riff, clip, largestFrame);
  riff.EndChunk(stream);
  riff.EndChunk(headers);

  // Index offsets count from the 'movi' type code.
  const std::size_t movie = riff.BeginList("LIST", "movi");
  const std::size_t movieStart = riff.Size() - 4;
  std::vector<uint32_t> offsets;
  for (const std::vector<uint8_t>& frame : clip.frames) {
    offsets.push_back(static_cast<uint32_t>(riff.Size() - movieStart));
    const std::size_t at = riff.BeginChunk("00dc");
    riff.Bytes(frame);
    riff.EndChunk(at);
  }
  riff.EndChunk(movie);

  const std::size_t index = riff.BeginChunk("idx1");
  for (std::size_t i = 0; i < clip.frames.size(); ++i) {
    riff.FourCc("00dc");
    riff.U32(kIndexKeyFrame);
    riff.U32(offsets[i]);
    riff.U32(static_cast<uint32_t>(clip.frames[i].size()));
  }
  riff.EndChunk(index);

  riff.EndChunk(file);
  return riff.Take();
}

}  // namespace vexlow::animation
