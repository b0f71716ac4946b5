#include "rle8.h"

#include <algorithm>
#include <cstddef>

namespace vexlow::animation {

namespace {

constexpr std::size_t kMaxCount = 255;
// Absolute mode needs at least three bytes; one or two go as short runs.
constexpr std::size_t kMinLiteral = 3;

std::size_t RunLength(const uint8_t* row, std::size_t from, std::size_t width) {
  std::size_t end = from + 1;
  while (end < width && end - from < kMaxCount && row[end] == row[from]) {
    ++end;
  }
  return end - from;
}

void EncodeRun(const uint8_t* row, std::size_t x, std::size_t count, std::vector<uint8_t>& out) {
  out.push_back(static_cast<uint8_t>(count));
  out.push_back(row[x]);
}

void EncodeRow(const uint8_t* row, std::size_t width, std::vector<uint8_t>& out) {
  std::size_t x = 0;
  while (x < width) {
    const std::size_t run = RunLength(row, x, width);
    if (run >= kMinLiteral) {
      EncodeRun(row, x, run, out);
      x += run;
      continue;
    }
    // A literal stretch ends where a run of three or more begins.
    std::size_t end = x;
    while (end < width && end - x < kMaxCount && RunLength(row, end, width) < kMinLiteral) {
      ++end;
    }
    const std::size_t count = end - x;
    if (count < kMinLiteral) {
      while (x < end) {
        const std::size_t piece = std::min(RunLength(row, x, width), end - x);
        EncodeRun(row, x, piece, out);
        x += piece;
      }
      continue;
    }
    out.push_back(0);
    out.push_back(static_cast<uint8_t>(count));
    out.insert(out.end(), row + x, row + end);
    if (count % 2 != 0) {
      out.push_back(0);  // absolute runs keep the data word-aligned
    }
    x = end;
  }
}

}  // namespace

std::vector<uint8_t> EncodeRle8(const std::vector<uint8_t>& pixels, int width) {
  std::vector<uint8_t> out;
  if (width <= 0) {
    return out;
  }
  const std::size_t rowWidth = static_cast<std::size_t>(width);
  const std::size_t rows = pixels.size() / rowWidth;
  for (std::size_t r = rows; r-- > 0;) {
    EncodeRow(pixels.data() + r * rowWidth, rowWidth, out);
    out.push_back(0);
    out.push_back(r == 0 ? 1 : 0);  // end of bitmap after the top row, else end of line
  }
  return out;
}

}  // namespace vexlow::animation
