// Conversions shared by the page geometry and its layout.
#ifndef TOOL_PRINTERS_GEOMETRY_MATH_H
#define TOOL_PRINTERS_GEOMETRY_MATH_H

#include <cstdint>

namespace vexlow {

// Tenths of a millimetre in an inch.
inline constexpr double kTenthsPerInch = 254.0;

// Truncates toward zero. A value outside the 32-bit range, or none at all
// (a length divided by a zero length), gives 0.
inline int32_t TruncateToInt32(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) {
    return 0;
  }
  return static_cast<int32_t>(value);
}

// Truncated (tenths × dotsPerInch / 254).
inline int32_t TenthsToPixels(int32_t tenths, int32_t dotsPerInch) {
  return TruncateToInt32(static_cast<double>(tenths) * dotsPerInch / kTenthsPerInch);
}

// value + step for a step of 0 or more, at most the largest 32-bit number: a
// driver's resolution may put a size right at the top of the range.
inline int32_t AddUpToLargest(int32_t value, int32_t step) {
  return value > INT32_MAX - step ? INT32_MAX : value + step;
}

inline void RaiseTo(int32_t& value, int32_t candidate) {
  if (candidate > value) {
    value = candidate;
  }
}

}  // namespace vexlow

#endif  // TOOL_PRINTERS_GEOMETRY_MATH_H
