// A silent video clip in the form the animation control plays: one video
// stream of 8-bit run-length encoded frames with a palette, every frame a
// key frame, in a RIFF 'AVI ' file with an index.
#ifndef TOOL_RESOURCES_ANIMATION_AVI_CLIP_H
#define TOOL_RESOURCES_ANIMATION_AVI_CLIP_H

#include <cstdint>
#include <vector>

namespace vexlow::animation {

struct PaletteColor {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
};

struct AviClip {
  int width = 0;
  int height = 0;
  uint32_t microsecondsPerFrame = 0;
  std::vector<PaletteColor> palette;  // at most 256 colours
  // Each frame already encoded with EncodeRle8.
  std::vector<std::vector<uint8_t>> frames;
};

// The bytes of the AVI file.
std::vector<uint8_t> WriteAvi(const AviClip& clip);

}  // namespace vexlow::animation

#endif  // TOOL_RESOURCES_ANIMATION_AVI_CLIP_H
