// 8-bit run-length encoding of device-independent bitmaps (BI_RLE8), the
// compression the animation control plays without a codec.
#ifndef TOOL_RESOURCES_ANIMATION_RLE8_H
#define TOOL_RESOURCES_ANIMATION_RLE8_H

#include <cstdint>
#include <vector>

namespace vexlow::animation {

// Encodes a picture of palette indices, rows top-down, `width` pixels each.
// The bitmap stores rows bottom-up, so the last row is encoded first; each
// row ends with an end-of-line mark, the last one with end-of-bitmap.
// Every pixel is written (no deltas), so each frame stands alone.
std::vector<uint8_t> EncodeRle8(const std::vector<uint8_t>& pixels, int width);

}  // namespace vexlow::animation

#endif  // TOOL_RESOURCES_ANIMATION_RLE8_H
