// The optional human-readable trace of a virtual printer: one line per port call
// with its arguments and result, and indented lines for what the printer made
// of it (commands, header fields, length words, status fields, files stored or
// discarded). Disabled, it costs one test per call and formats nothing.
#ifndef VIRTUAL_PRINTER_CORE_TRACE_H
#define VIRTUAL_PRINTER_CORE_TRACE_H

#include <cstdint>
#include <cstdio>
#include <string>

#include "link_clock.h"

#if defined(__MINGW32__)
#define VP_PRINTF_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define VP_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#endif

namespace vp {

class Trace {
 public:
  Trace() = default;
  ~Trace();
  Trace(const Trace&) = delete;
  Trace& operator=(const Trace&) = delete;

  // Appends to the file at path, so the traces of several processes follow one another.
  bool OpenFile(const std::string& path);
  // Keeps the lines in memory (Captured()), for tests.
  void CaptureInMemory();
  // Starts every later line with the milliseconds since this call, so phases
  // of an exchange can be timed from the trace.
  void StampTimes(LinkClock& clock);

  bool Enabled() const { return file_ != nullptr || capturing_; }
  void Line(const char* format, ...) VP_PRINTF_FORMAT(2, 3);
  const std::string& Captured() const { return captured_; }

  // Up to max bytes as "1B 69 46 44", with " ..." when there are more.
  static std::string Hex(const void* data, uint32_t count, uint32_t max = 16);

 private:
  std::FILE* file_ = nullptr;
  bool capturing_ = false;
  LinkClock* clock_ = nullptr;
  uint64_t startUs_ = 0;
  std::string captured_;
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_TRACE_H
