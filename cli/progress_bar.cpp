#include "progress_bar.h"

#include <cstdio>

namespace cli {

namespace {

int32_t Clamped(int32_t percent) {
  return percent < 0 ? 0 : (percent > 100 ? 100 : percent);
}

}  // namespace

std::string RenderProgressBar(int32_t percent, int width) {
  percent = Clamped(percent);
  const int filled = static_cast<int>(static_cast<int64_t>(width) * percent / 100);
  std::string bar = "[";
  bar.append(static_cast<size_t>(filled), '#');
  bar.append(static_cast<size_t>(width - filled), '-');
  char number[8];
  std::snprintf(number, sizeof number, "] %3d%%", static_cast<int>(percent));
  return bar + number;
}

void ProgressBar::Update(int32_t percent) {
  percent = Clamped(percent);
  if (style_ == BarStyle::kLogged) {
    const int32_t tenth = percent / 10 * 10;
    if (tenth > shown_) {
      shown_ = tenth;
      out_ << RenderProgressBar(percent) << '\n' << std::flush;
    }
    return;
  }
  if (percent != shown_) {
    shown_ = percent;
    out_ << '\r' << RenderProgressBar(percent) << std::flush;
  }
}

void ProgressBar::Finish() {
  if (style_ == BarStyle::kRedrawn && shown_ >= 0) {
    out_ << '\n';
  }
  shown_ = -1;
}

}  // namespace cli
