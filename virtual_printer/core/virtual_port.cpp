#include "virtual_port.h"

#include <algorithm>
#include <cstring>

namespace vp {

namespace {

// Stand-in for a count pointer the caller left null.
uint32_t* CountOrScratch(uint32_t* count, uint32_t* scratch) {
  return count != nullptr ? count : scratch;
}

}  // namespace

VirtualPort::VirtualPort(const PrinterConfig& config, PrinterModel& model, Trace& trace,
                         LinkClock& clock)
    : config_(config), model_(model), trace_(trace), clock_(clock) {}

void VirtualPort::TraceName(const char* call, const char* printerName) {
  if (!trace_.Enabled()) {
    return;
  }
  if (printerName == nullptr) {
    trace_.Line("%s(no name)", call);
  } else {
    // Names are at most 259 characters; a longer one is cut for the trace only.
    trace_.Line("%s(\"%.259s\")", call, printerName);
  }
}

bool VirtualPort::Open(const char* printerName, void* openBlock) {
  TraceName("open", printerName);
  if (openBlock != nullptr && trace_.Enabled()) {
    trace_.Line("  block %s", Trace::Hex(openBlock, 10).c_str());
  }
  if (!config_.AnswersTo(printerName)) {
    trace_.Line("  = failed: this printer answers only to its configured names");
    return false;
  }
  open_ = true;
  broken_ = false;
  bytesCrossed_ = 0;
  model_.Connect();
  trace_.Line("  = ok");
  return true;
}

bool VirtualPort::Usable(const char* call) {
  if (!open_) {
    trace_.Line("  = %s failed: no printer is open", call);
    return false;
  }
  if (broken_) {
    trace_.Line("  = %s failed: the link is broken", call);
    return false;
  }
  return true;
}

bool VirtualPort::Cross(uint32_t count, uint32_t* crossed) {
  const uint64_t limit = config_.faults.breakLinkAfterBytes;
  if (limit == 0 || bytesCrossed_ + count <= limit) {
    bytesCrossed_ += count;
    *crossed = count;
    return true;
  }
  *crossed = static_cast<uint32_t>(limit - bytesCrossed_);
  bytesCrossed_ = limit;
  broken_ = true;
  trace_.Line("  ! the link breaks after %llu bytes (break_link_after)",
              static_cast<unsigned long long>(limit));
  model_.LinkBroken();
  return false;
}

void VirtualPort::SlowLink(uint32_t bytes) {
  const FaultConfig& f = config_.faults;
  if (f.slowLinkUsPerByte != 0 || f.slowLinkUsPerCall != 0) {
    clock_.WaitUs(uint64_t{f.slowLinkUsPerCall} + uint64_t{f.slowLinkUsPerByte} * bytes);
  }
}

bool VirtualPort::Write(const void* buffer, uint32_t count, uint32_t* written, uint32_t timeoutMs) {
  uint32_t scratch = 0;
  written = CountOrScratch(written, &scratch);
  *written = 0;
  if (trace_.Enabled()) {
    trace_.Line("write(%u bytes, time-out %u ms): %s", count, timeoutMs,
                Trace::Hex(buffer, count).c_str());
  }
  if (!Usable("write")) {
    return false;
  }
  SlowLink(count);
  uint32_t crossed = 0;
  if (!Cross(count, &crossed)) {
    *written = crossed;
    trace_.Line("  = failed, %u written", crossed);
    return false;
  }
  model_.HostWrite(static_cast<const uint8_t*>(buffer), count);
  *written = count;
  if (trace_.Enabled()) {
    trace_.Line("  = ok, %u written", count);
  }
  return true;
}

bool VirtualPort::Read(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  uint32_t scratch = 0;
  read = CountOrScratch(read, &scratch);
  *read = 0;
  if (trace_.Enabled()) {
    trace_.Line("read(%u bytes, time-out %u ms)", count, timeoutMs);
  }
  if (!Usable("read")) {
    return false;
  }
  bool ok = false;
  uint32_t got = model_.HostRead(static_cast<uint8_t*>(buffer), count, timeoutMs, &ok);
  SlowLink(got);
  uint32_t crossed = 0;
  if (!Cross(got, &crossed)) {
    got = crossed;
    ok = false;
  }
  *read = got;
  if (trace_.Enabled()) {
    trace_.Line("  = %s, %u read%s%s", ok ? "ok" : "failed", got, got > 0 ? ": " : "",
                Trace::Hex(buffer, got).c_str());
  }
  return ok;
}

void VirtualPort::Purge() {
  trace_.Line("purge()");
  if (open_ && !broken_) {
    model_.Purge();
  }
  trace_.Line("  = done");
}

bool VirtualPort::BeginTransfer(const char* printerName, uint32_t reserved, uint32_t timeoutMs) {
  if (trace_.Enabled()) {
    trace_.Line("begin transfer(\"%.259s\", %u, time-out %u ms)",
                printerName != nullptr ? printerName : "", reserved, timeoutMs);
  }
  if (!Usable("begin transfer")) {
    return false;
  }
  if (config_.faults.refuseBeginTransfer) {
    trace_.Line("  = refused (refuse_begin_transfer)");
    return false;
  }
  model_.BeginTransfer();
  trace_.Line("  = ok");
  return true;
}

void VirtualPort::EndTransfer() {
  trace_.Line("end transfer()");
  if (open_ && !broken_) {
    model_.EndTransfer();
  }
  trace_.Line("  = done");
}

bool VirtualPort::WriteByName(const char* printerName, uint32_t reserved, const void* buffer,
                              uint32_t count, uint32_t* written, uint32_t timeoutMs) {
  uint32_t scratch = 0;
  written = CountOrScratch(written, &scratch);
  *written = 0;
  if (trace_.Enabled()) {
    trace_.Line("SKWriteFile(\"%.259s\", %u, %u bytes, time-out %u ms): %s",
                printerName != nullptr ? printerName : "", reserved, count, timeoutMs,
                Trace::Hex(buffer, count).c_str());
  }
  if (!config_.AnswersTo(printerName)) {
    trace_.Line("  = failed: no printer of that name");
    return false;
  }
  SlowLink(count);
  model_.DirectWrite(static_cast<const uint8_t*>(buffer), count);
  *written = count;
  trace_.Line("  = ok, %u written", count);
  return true;
}

bool VirtualPort::ReadByName(const char* printerName, uint32_t reserved, void* buffer,
                             uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  uint32_t scratch = 0;
  read = CountOrScratch(read, &scratch);
  *read = 0;
  if (trace_.Enabled()) {
    trace_.Line("SKReadFile(\"%.259s\", %u, %u bytes, time-out %u ms)",
                printerName != nullptr ? printerName : "", reserved, count, timeoutMs);
  }
  if (!config_.AnswersTo(printerName)) {
    trace_.Line("  = failed: no printer of that name");
    return false;
  }
  bool ok = false;
  *read = model_.HostRead(static_cast<uint8_t*>(buffer), count, timeoutMs, &ok);
  trace_.Line("  = %s, %u read", ok ? "ok" : "failed", *read);
  return ok;
}

}  // namespace vp
