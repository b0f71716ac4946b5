// The clip the progress dialog plays while a package goes to the printer: a
// parcel travelling from a computer into a printer whose lamp blinks.
#ifndef TOOL_RESOURCES_ANIMATION_TRANSFER_ANIMATION_H
#define TOOL_RESOURCES_ANIMATION_TRANSFER_ANIMATION_H

#include "avi_clip.h"

namespace vexlow::animation {

constexpr int kFrameWidth = 260;
constexpr int kFrameHeight = 40;
constexpr int kFrameCount = 17;
constexpr uint32_t kMicrosecondsPerFrame = 100000;

// Palette index of the background, the colour the control makes transparent
// (it takes the first pixel's).
constexpr uint8_t kBackground = 0;

// One frame, palette indices, rows top-down.
std::vector<uint8_t> DrawTransferFrame(int frame);

// All frames, encoded, with the palette and timing.
AviClip MakeTransferAnimation();

}  // namespace vexlow::animation

#endif  // TOOL_RESOURCES_ANIMATION_TRANSFER_ANIMATION_H
