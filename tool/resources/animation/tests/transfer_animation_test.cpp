// The clip must decode, frame by frame, to the pictures drawn, through the
// index a player follows. (The encoder only ever meets these frames.)
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "avi_clip.h"
#include "transfer_animation.h"

namespace vexlow::animation {
namespace {

// Decodes BI_RLE8 data of a bottom-up bitmap into top-down rows; nothing when
// the data is malformed, overruns the picture or lacks its end mark.
std::optional<std::vector<uint8_t>> DecodeRle8(const uint8_t* data, std::size_t size, int width,
                                               int height) {
  std::vector<uint8_t> pixels(static_cast<std::size_t>(width * height), 0xEE);
  int x = 0;
  int row = height - 1;
  std::size_t at = 0;
  auto put = [&](uint8_t value) {
    if (x >= width || row < 0) {
      return false;
    }
    pixels[static_cast<std::size_t>(row * width + x++)] = value;
    return true;
  };
  while (at + 2 <= size) {
    const uint8_t count = data[at];
    const uint8_t value = data[at + 1];
    at += 2;
    if (count != 0) {
      for (int i = 0; i < count; ++i) {
        if (!put(value)) {
          return std::nullopt;
        }
      }
    } else if (value == 0) {
      x = 0;
      --row;
    } else if (value == 1) {
      return pixels;
    } else if (value == 2) {
      return std::nullopt;  // the clip never skips pixels
    } else {
      if (at + value > size) {
        return std::nullopt;
      }
      for (int i = 0; i < value; ++i) {
        if (!put(data[at++])) {
          return std::nullopt;
        }
      }
      at += value % 2;
    }
  }
  return std::nullopt;
}

uint32_t U32At(const std::vector<uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<uint32_t>(bytes[at + 3]) << 24;
}

bool FourCcAt(const std::vector<uint8_t>& bytes, std::size_t at, const char* code) {
  return at + 4 <= bytes.size() && std::memcmp(bytes.data() + at, code, 4) == 0;
}

// The position of the first chunk or list with this code at or after `from`.
std::size_t Find(const std::vector<uint8_t>& bytes, const char* code, std::size_t from = 0) {
  for (std::size_t at = from; at + 4 <= bytes.size(); ++at) {
    if (FourCcAt(bytes, at, code)) {
      return at;
    }
  }
  return bytes.size();
}

TEST(TransferAnimationTest, ClipPlaysTheDrawnFramesThroughItsIndex) {
  const std::vector<uint8_t> avi = WriteAvi(MakeTransferAnimation());
  ASSERT_TRUE(FourCcAt(avi, 0, "RIFF") && FourCcAt(avi, 8, "AVI "));
  EXPECT_EQ(U32At(avi, 4), avi.size() - 8);

  const uint32_t bufferSize = U32At(avi, Find(avi, "strh") + 8 + 36);
  EXPECT_EQ(U32At(avi, Find(avi, "strf") + 8 + 16), 1u);  // BI_RLE8
  const std::size_t movie = Find(avi, "movi");
  const std::size_t index = Find(avi, "idx1", movie) + 8;
  ASSERT_EQ(U32At(avi, index - 4), 16u * kFrameCount);
  for (int frame = 0; frame < kFrameCount; ++frame) {
    SCOPED_TRACE(frame);
    const std::size_t entry = index + 16 * static_cast<std::size_t>(frame);
    const std::size_t chunk = movie + U32At(avi, entry + 8);
    ASSERT_TRUE(FourCcAt(avi, chunk, "00dc"));
    const uint32_t size = U32At(avi, chunk + 4);
    EXPECT_EQ(size, U32At(avi, entry + 12));
    EXPECT_LE(size, bufferSize);
    ASSERT_LE(chunk + 8 + size, avi.size());
    EXPECT_EQ(DecodeRle8(avi.data() + chunk + 8, size, kFrameWidth, kFrameHeight),
              DrawTransferFrame(frame));
  }
}

}  // namespace
}  // namespace vexlow::animation
