// The clip must decode, frame by frame, to the pictures drawn, through the
// index a player follows; the encoder must survive every kind of row.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "avi_clip.h"
#include "rle8.h"
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

TEST(Rle8Test, EveryKindOfRowDecodesToItself) {
  struct Case {
    const char* name;
    std::vector<uint8_t> row;
  };
  std::vector<uint8_t> mixed = {1, 2, 3, 4, 4, 4, 4, 5, 6, 6, 7};
  std::vector<uint8_t> longRun(300, 9);
  std::vector<uint8_t> longLiteral(300);
  for (std::size_t i = 0; i < longLiteral.size(); ++i) {
    longLiteral[i] = static_cast<uint8_t>(i % 7);
  }
  const Case cases[] = {
      {"one pixel", {5}},
      {"two different", {1, 2}},
      {"odd literal", {1, 2, 3}},
      {"even literal", {1, 2, 3, 4}},
      {"runs and literals", mixed},
      {"run longer than one count", longRun},
      {"literal longer than one count", longLiteral},
      {"pairs", {1, 1, 2, 2, 3, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int width = static_cast<int>(c.row.size());
    std::vector<uint8_t> picture = c.row;  // two rows: the row, then it reversed
    picture.insert(picture.end(), c.row.rbegin(), c.row.rend());
    const std::vector<uint8_t> encoded = EncodeRle8(picture, width);
    EXPECT_EQ(DecodeRle8(encoded.data(), encoded.size(), width, 2), picture);
  }
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
