// What every fuzz target reads its input with, and how it reports a broken rule.
#ifndef FUZZ_FUZZ_H
#define FUZZ_FUZZ_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// A broken rule: says which and where, and stops the process so that the
// fuzzer keeps the input.
#define FUZZ_CHECK(...)                                                                            \
  ((__VA_ARGS__) ? void()                                                                          \
                 : (std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #__VA_ARGS__), \
                    std::abort()))

namespace fuzz {

// The input read from front to back as the numbers, texts and byte runs a
// target asks for. Past the end every number is 0 and every run empty, so a
// short input is a valid input that stops early.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  uint8_t U8() { return Empty() ? 0 : data_[pos_++]; }
  uint16_t U16() { return static_cast<uint16_t>(U8() | U8() << 8); }
  uint32_t U32() { return U16() | static_cast<uint32_t>(U16()) << 16; }
  bool Bool() { return (U8() & 1) != 0; }
  // A number from lo to hi, taking as few bytes as the range needs.
  uint32_t InRange(uint32_t lo, uint32_t hi) {
    const uint64_t span = uint64_t{hi} - lo + 1;
    return lo + static_cast<uint32_t>((span <= 0x100     ? U8()
                                       : span <= 0x10000 ? U16()
                                                         : U32()) %
                                      span);
  }
  // Up to count bytes; fewer at the end of the input.
  std::vector<uint8_t> Bytes(std::size_t count) {
    const std::size_t from = pos_;
    pos_ += std::min(count, size_ - pos_);
    return std::vector<uint8_t>(data_ + from, data_ + pos_);
  }
  // A text of up to max bytes: its length first, then the bytes.
  std::string Text(uint32_t max) {
    const std::vector<uint8_t> bytes = Bytes(InRange(0, max));
    return std::string(bytes.begin(), bytes.end());
  }

 private:
  const uint8_t* data_;
  std::size_t size_, pos_ = 0;
};

}  // namespace fuzz

#endif  // FUZZ_FUZZ_H
