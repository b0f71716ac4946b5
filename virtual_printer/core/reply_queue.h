// What the printer has said and the host has not read yet. From a held reply
// on (a late status block), the bytes stay unreadable until the reply's time
// has come; a read waits for it as long as its time-out allows.
#ifndef VIRTUAL_PRINTER_CORE_REPLY_QUEUE_H
#define VIRTUAL_PRINTER_CORE_REPLY_QUEUE_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "link_clock.h"

namespace vp {

class ReplyQueue {
 public:
  explicit ReplyQueue(LinkClock& clock);

  void Add(const uint8_t* data, uint32_t count);
  // Adds a reply that becomes readable only at readableAtUs; what follows it
  // waits behind it.
  void AddHeld(const uint8_t* data, uint32_t count, uint64_t readableAtUs);
  void Clear();
  size_t Unread() const { return bytes_.size() - readPos_; }

  // Hands the host up to count bytes, waiting up to timeoutMs for the first of
  // them. Returns how many came; *ok is false when none came in time. Fewer
  // than asked, with *ok true, is a short reply.
  uint32_t Read(uint8_t* buffer, uint32_t count, uint32_t timeoutMs, bool* ok);

 private:
  // Bytes the host may read at nowUs; releases the held part whose time has come.
  size_t Readable(uint64_t nowUs);

  static constexpr size_t kNotHeld = static_cast<size_t>(-1);

  LinkClock& clock_;
  std::vector<uint8_t> bytes_;
  size_t readPos_ = 0;
  size_t heldFrom_ = kNotHeld;
  uint64_t heldUntilUs_ = 0;
};

}  // namespace vp

#endif  // VIRTUAL_PRINTER_CORE_REPLY_QUEUE_H
