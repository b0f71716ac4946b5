#include "transfer_animation.h"

#include "rle8.h"

namespace vexlow::animation {

namespace {

enum Color : uint8_t {
  kFace,
  kOutline,
  kCase,
  kScreen,
  kParcel,
  kPaper,
  kTrail,
  kLampOn,
  kLampOff
};

const std::vector<PaletteColor> kPalette = {
    {192, 192, 192},  // the classic dialog face, should the control not make it transparent
    {0, 0, 0},       {30, 60, 110},   {60, 130, 210}, {250, 190, 40},
    {255, 255, 255}, {128, 128, 128}, {40, 200, 60},  {20, 80, 30}};

class Canvas {
 public:
  Canvas() : pixels_(kFrameWidth * kFrameHeight, kFace) {}

  // Fills left <= x < right, top <= y < bottom.
  void Fill(int left, int top, int right, int bottom, uint8_t color) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        if (x >= 0 && x < kFrameWidth && y >= 0 && y < kFrameHeight) {
          pixels_[static_cast<std::size_t>(y * kFrameWidth + x)] = color;
        }
      }
    }
  }
  // A filled box with a one-pixel outline.
  void Box(int left, int top, int right, int bottom, uint8_t color) {
    Fill(left, top, right, bottom, kOutline);
    Fill(left + 1, top + 1, right - 1, bottom - 1, color);
  }

  std::vector<uint8_t> Take() { return std::move(pixels_); }

 private:
  std::vector<uint8_t> pixels_;
};

void DrawComputer(Canvas& canvas) {
  canvas.Box(6, 3, 46, 29, kCase);
  canvas.Fill(10, 7, 42, 25, kScreen);
  canvas.Fill(23, 29, 29, 33, kTrail);
  canvas.Box(14, 33, 38, 37, kCase);
}

void DrawPrinter(Canvas& canvas, bool lampOn) {
  canvas.Box(218, 4, 242, 14, kPaper);  // the label tape leaving the top
  canvas.Box(206, 12, 254, 35, kCase);
  canvas.Fill(212, 16, 240, 18, kOutline);  // the slot the parcel goes into
  canvas.Fill(245, 16, 250, 20, lampOn ? kLampOn : kLampOff);
}

}  // namespace

std::vector<uint8_t> DrawTransferFrame(int frame) {
  Canvas canvas;
  DrawComputer(canvas);
  DrawPrinter(canvas, frame % 2 == 0);
  constexpr int kTrailStart = 50;
  constexpr int kTrailEnd = 204;
  for (int x = kTrailStart; x < kTrailEnd; x += 6) {
    canvas.Fill(x, 19, x + 2, 21, kTrail);
  }
  // The parcel crosses from the computer to the printer over the frames.
  constexpr int kParcelWidth = 14;
  const int left =
      kTrailStart + frame * (kTrailEnd - kParcelWidth - kTrailStart) / (kFrameCount - 1);
  canvas.Box(left, 14, left + kParcelWidth, 26, kParcel);
  canvas.Fill(left + 6, 14, left + 8, 26, kOutline);  // its string
  return canvas.Take();
}

AviClip MakeTransferAnimation() {
  AviClip clip;
  clip.width = kFrameWidth;
  clip.height = kFrameHeight;
  clip.microsecondsPerFrame = kMicrosecondsPerFrame;
  clip.palette = kPalette;
  for (int frame = 0; frame < kFrameCount; ++frame) {
    clip.frames.push_back(EncodeRle8(DrawTransferFrame(frame), kFrameWidth));
  }
  return clip;
}

}  // namespace vexlow::animation
