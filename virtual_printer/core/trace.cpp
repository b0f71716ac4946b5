#include "trace.h"

#include <cstdarg>

namespace vp {

Trace::~Trace() {
  if (file_ != nullptr) {
    std::fclose(file_);
  }
}

bool Trace::OpenFile(const std::string& path) {
  file_ = std::fopen(path.c_str(), "a");
  return file_ != nullptr;
}

void Trace::CaptureInMemory() {
  capturing_ = true;
}

void Trace::StampTimes(LinkClock& clock) {
  clock_ = &clock;
  startUs_ = clock.NowUs();
}

void Trace::Line(const char* format, ...) {
  if (!Enabled()) {
    return;
  }
  char buffer[1024];
  int stamp = 0;
  if (clock_ != nullptr) {
    const uint64_t us = clock_->NowUs() - startUs_;
    stamp =
        std::snprintf(buffer, sizeof buffer, "%10llu.%03u ",
                      static_cast<unsigned long long>(us / 1000), static_cast<unsigned>(us % 1000));
  }
  va_list args;
  va_start(args, format);
  int length = std::vsnprintf(buffer + stamp, sizeof buffer - stamp, format, args);
  va_end(args);
  if (length < 0) {
    return;
  }
  length += stamp;
  size_t size = static_cast<size_t>(length) < sizeof buffer - 1 ? static_cast<size_t>(length)
                                                                : sizeof buffer - 1;
  if (capturing_) {
    captured_.append(buffer, size);
    captured_.push_back('\n');
  }
  if (file_ != nullptr) {
    std::fwrite(buffer, 1, size, file_);
    std::fputc('\n', file_);
    // A crashing host must not take the last lines with it.
    std::fflush(file_);
  }
}

std::string Trace::Hex(const void* data, uint32_t count, uint32_t max) {
  static const char kDigits[] = "0123456789ABCDEF";
  const auto* bytes = static_cast<const uint8_t*>(data);
  std::string out;
  uint32_t shown = count < max ? count : max;
  for (uint32_t i = 0; i < shown; ++i) {
    if (i > 0) {
      out.push_back(' ');
    }
    out.push_back(kDigits[bytes[i] >> 4]);
    out.push_back(kDigits[bytes[i] & 0x0F]);
  }
  if (count > shown) {
    out += " ...";
  }
  return out;
}

}  // namespace vp
