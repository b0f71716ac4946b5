#include "reply_queue.h"

#include <algorithm>
#include <cstring>

namespace vp {

ReplyQueue::ReplyQueue(LinkClock& clock) : clock_(clock) {
  bytes_.reserve(1024);
}

void ReplyQueue::Add(const uint8_t* data, uint32_t count) {
  bytes_.insert(bytes_.end(), data, data + count);
}

void ReplyQueue::AddHeld(const uint8_t* data, uint32_t count, uint64_t readableAtUs) {
  if (heldFrom_ == kNotHeld) {
    heldFrom_ = bytes_.size();
  }
  heldUntilUs_ = std::max(heldUntilUs_, readableAtUs);
  Add(data, count);
}

void ReplyQueue::Clear() {
  bytes_.clear();
  readPos_ = 0;
  heldFrom_ = kNotHeld;
}

size_t ReplyQueue::Readable(uint64_t nowUs) {
  if (heldFrom_ != kNotHeld && nowUs >= heldUntilUs_) {
    heldFrom_ = kNotHeld;
  }
  const size_t end = heldFrom_ == kNotHeld ? bytes_.size() : heldFrom_;
  return end - readPos_;
}

uint32_t ReplyQueue::Read(uint8_t* buffer, uint32_t count, uint32_t timeoutMs, bool* ok) {
  const uint64_t now = clock_.NowUs();
  const uint64_t timeoutUs = uint64_t{timeoutMs} * 1000;
  size_t readable = Readable(now);
  if (readable == 0 && heldFrom_ == readPos_ && heldUntilUs_ - now <= timeoutUs) {
    // The held reply arrives while the host is still waiting.
    clock_.WaitUs(heldUntilUs_ - now);
    readable = Readable(heldUntilUs_);
  }
  if (readable == 0 || count == 0) {
    if (count > 0) {
      // Nothing comes: the read waits out its time-out.
      clock_.WaitUs(timeoutUs);
    }
    *ok = count == 0;
    return 0;
  }
  const uint32_t given = static_cast<uint32_t>(std::min<size_t>(count, readable));
  std::memcpy(buffer, bytes_.data() + readPos_, given);
  readPos_ += given;
  if (readPos_ == bytes_.size()) {
    Clear();
  }
  *ok = true;
  return given;
}

}  // namespace vp
