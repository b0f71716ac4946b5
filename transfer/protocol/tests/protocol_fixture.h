// The library under test over a scripted port and a fake clock, with the wire
// bytes spelled out independently of the library's own encoders.
#ifndef TRANSFER_PROTOCOL_TESTS_PROTOCOL_FIXTURE_H
#define TRANSFER_PROTOCOL_TESTS_PROTOCOL_FIXTURE_H

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "fake_clock.h"
#include "scripted_port.h"
#include "transfer_library.h"

namespace ostrand_test {

inline Bytes Frame(char letter) {
  return {0x1B, 0x69, 0x46, static_cast<uint8_t>(letter)};
}

inline Bytes Le32(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

// A status block: the valid marker, model 0x1234, acceptance byte and accept
// count in their places, and `tag` in an unread byte to tell blocks apart.
inline Bytes Status(uint8_t acceptance, uint32_t acceptCount, uint8_t tag = 0) {
  Bytes block(32, 0);
  block[0] = 0x81;
  block[1] = 0x20;
  block[2] = 0x42;
  block[3] = 0x34;
  block[4] = 0x12;
  block[10] = tag;
  block[18] = acceptance;
  for (int i = 0; i < 4; ++i) {
    block[24 + i] = static_cast<uint8_t>(acceptCount >> (8 * i));
  }
  return block;
}

// Distinct bytes, so a chunk taken from the wrong place shows.
inline Bytes Pattern(size_t size, uint8_t seed = 1) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
  }
  return bytes;
}

inline Bytes Slice(const Bytes& bytes, size_t from, size_t length) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(from + length));
}

class ProtocolTest : public ::testing::Test {
 protected:
  static constexpr const char* kPrinter = "Label Printer 7";

  void TearDown() override { port_.VerifyDone(); }

  void OpenPrinter(const char* name = kPrinter) {
    port_.ExpectOpen(name);
    port_.ExpectPurge();
    ASSERT_EQ(TR_OK, library_.InitPrinter(name, openBlock_.data()));
  }

  FakeClock clock_;
  ScriptedPort port_{clock_};
  ostrand::TransferLibrary library_{port_, clock_};
  std::array<uint8_t, 10> openBlock_{};
};

}  // namespace ostrand_test

#endif  // TRANSFER_PROTOCOL_TESTS_PROTOCOL_FIXTURE_H
