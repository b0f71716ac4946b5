// What decides the virtual printer's verdicts: which files it keeps, which host
// mistakes it rejects, and how each configured fault shows at the port.
#include <gtest/gtest.h>

#include <functional>

#include "transfer/protocol/tests/wire_bytes.h"
#include "virtual_printer/tests/printer_fixture.h"

namespace vp_test {
namespace {

using wire_test::Frame;
using wire_test::Le32;
using wire_test::Le32At;

class PrinterModelTest : public PrinterFixture {
 public:
  void Open(const char* name = kPrinterName) {
    Build();
    ASSERT_TRUE(Port().Open(name, nullptr));
  }
  bool Write(const Bytes& bytes) {
    uint32_t written = 0;
    return Port().Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written, 2000) &&
           written == bytes.size();
  }
  // The bytes one read call gives; *ok as the port answered.
  Bytes Read(uint32_t count, bool* ok = nullptr) {
    Bytes buffer(count);
    uint32_t got = 0;
    const bool answered = Port().Read(buffer.data(), count, &got, 2000);
    if (ok != nullptr) {
      *ok = answered;
    }
    buffer.resize(got);
    return buffer;
  }
  // The acceptance byte of the next status block; 0 when none comes whole.
  uint8_t Acceptance() {
    const Bytes block = Read(32);
    return block.size() == 32 ? block[18] : 0;
  }
  // A file request: a delete in one write, a send or receive in two.
  bool Request(char command, const Package& p) {
    const Bytes header(p.header.begin(), p.header.end());
    Bytes request = Frame(command);
    if (command != 'R') {
      return Write(request) && Write(header);
    }
    request.insert(request.end(), header.begin(), header.end());
    return Write(request);
  }
  uint8_t BeginSend(const Package& p) {
    EXPECT_TRUE(Request('D', p));
    return Acceptance();
  }
  void SendChunk(const Package& p, uint32_t from, uint32_t size) {
    EXPECT_TRUE(Write(Le32(size)));
    EXPECT_TRUE(Write(Bytes(p.payload.begin() + from, p.payload.begin() + from + size)));
  }
};

TEST_F(PrinterModelTest, AFileIsStoredOnlyWithItsLastChunkAndAnEqualHeaderReplacesIt) {
  config_.acceptCount = 300;
  Open();
  const Package p = MakePackage(vp::kDefaultModelId, 450);
  EXPECT_EQ(BeginSend(p), 1);
  SendChunk(p, 0, 200);
  SendChunk(p, 200, 100);
  const Bytes second = Read(32);
  ASSERT_EQ(second.size(), 32u);
  EXPECT_EQ(Le32At(&second[24]), 150u) << "the rest of the file";
  SendChunk(p, 300, 100);
  EXPECT_EQ(StoredFiles(), 0u);
  SendChunk(p, 400, 50);
  EXPECT_EQ(Acceptance(), 1);
  ASSERT_EQ(StoredFiles(), 1u);

  Package again = p;  // the same header, other bytes
  again.payload[0] ^= 0xFF;
  EXPECT_EQ(BeginSend(again), 1);
  SendChunk(again, 0, 200);
  SendChunk(again, 200, 100);
  Read(32);
  SendChunk(again, 300, 150);
  EXPECT_EQ(Acceptance(), 1);
  ASSERT_EQ(StoredFiles(), 1u);
  Bytes held;
  ASSERT_TRUE(printer_->Store().Load(printer_->Store().Files().at(0).entry, &held));
  EXPECT_EQ(held, again.payload);
}

TEST_F(PrinterModelTest, AnUnfinishedSendIsDiscardedWhateverEndsIt) {
  const std::function<void(PrinterModelTest&)> enders[] = {
      [](PrinterModelTest& t) { t.Write(Le32(0)); },
      [](PrinterModelTest& t) { t.Port().Purge(); },
      [](PrinterModelTest& t) { t.Port().EndTransfer(); },
      [](PrinterModelTest& t) { t.Write(Frame('S')); },
      [](PrinterModelTest& t) { t.Port().Open(kPrinterName, nullptr); },
  };
  for (const auto& end : enders) {
    Open();
    const Package p = MakePackage(vp::kDefaultModelId, 400);
    BeginSend(p);
    SendChunk(p, 0, 200);
    end(*this);
    EXPECT_EQ(StoredFiles(), 0u) << TraceText();
  }
}

// A host mistake ends the exchange with a rejection and stores nothing, and so
// does a request the printer cannot serve.
TEST_F(PrinterModelTest, MistakesAndRequestsItCannotServeAreRejected) {
  const Package p = MakePackage(vp::kDefaultModelId, 400);
  const Package other = MakePackage(vp::kDefaultModelId, 600, 2);
  const std::function<void(PrinterModelTest&)> mistakes[] = {
      [&](PrinterModelTest& t) { t.BeginSend(p), t.Write(Le32(201)); },
      [&](PrinterModelTest& t) { t.BeginSend(p), t.SendChunk(p, 0, 200), t.Write(Le32(101)); },
      [&](PrinterModelTest& t) { t.BeginSend(p), t.Write(Le32(100)), t.Write(Bytes(99)); },
      [&](PrinterModelTest& t) { t.Write(Frame('D')), t.Write(Le32(100)); },
      [&](PrinterModelTest& t) { t.Write(Frame('Z')); },
      [&](PrinterModelTest& t) { t.Write(Frame('R')); },
      [&](PrinterModelTest& t) { t.Request('D', MakePackage(vp::kDefaultModelId, 0)); },
      [&](PrinterModelTest& t) { t.Request('D', other); },  // does not fit
      [&](PrinterModelTest& t) { t.Request('U', other); },  // not held
      [&](PrinterModelTest& t) { t.Request('R', other); },
  };
  for (const auto& mistake : mistakes) {
    config_.acceptCount = 300;
    config_.capacityBytes = 1000;
    Open();
    const Package held = MakePackage(vp::kDefaultModelId, 600, 3);
    Seed(held);
    mistake(*this);
    const Bytes reply = Read(32);
    ASSERT_GE(reply.size(), 32u) << TraceText();
    EXPECT_NE(reply[reply.size() - 32 + 18], 1) << TraceText();
    Write(Bytes(p.payload.begin(), p.payload.begin() + 50));  // ignored, whatever it says
    ASSERT_EQ(StoredFiles(), 1u) << TraceText();
    EXPECT_EQ(printer_->Store().Files()[0].payloadSize, 600u);
  }
}

TEST_F(PrinterModelTest, EachFaultShowsWhereItIsConfigured) {
  const Package p = MakePackage(vp::kDefaultModelId, 10);
  const struct {
    std::function<void(vp::PrinterConfig&)> configure;
    std::function<void(PrinterModelTest&)> check;
  } faults[] = {
      // The second file request since open is rejected; a status command is none.
      {[](vp::PrinterConfig& c) { c.faults.rejectRequest = 2; },
       [&](PrinterModelTest& t) {
         t.Seed(p);
         EXPECT_EQ(t.BeginSend(p), 1);
         t.Write(Le32(0));
         t.Write(Frame('S'));
         EXPECT_EQ(t.Acceptance(), 1);
         t.Request('R', p);
         EXPECT_NE(t.Acceptance(), 1);
         t.Port().Open(kPrinterName, nullptr);
         t.Request('R', p);
         EXPECT_EQ(t.Acceptance(), 1) << "counted again from the new open";
       }},
      // The call that crosses the break fails with what crossed; later ones fail.
      {[](vp::PrinterConfig& c) { c.faults.breakLinkAfterBytes = 6; },
       [](PrinterModelTest& t) {
         bool ok = true;
         EXPECT_TRUE(t.Write(Frame('S')));
         EXPECT_EQ(t.Read(32, &ok).size(), 2u);
         EXPECT_FALSE(ok);
         EXPECT_FALSE(t.Write(Frame('S')));
         ASSERT_TRUE(t.Port().Open(kPrinterName, nullptr)) << "opening again reconnects";
         EXPECT_TRUE(t.Write(Frame('S')));
       }},
      // A late status is not there at the read's time-out, but once it is due.
      {[](vp::PrinterConfig& c) { c.faults.lateStatusMs = 3000; },
       [](PrinterModelTest& t) {
         bool ok = true;
         t.Write(Frame('S'));
         EXPECT_TRUE(t.Read(32, &ok).empty());
         EXPECT_FALSE(ok);
         EXPECT_EQ(t.Read(32, &ok).size(), 32u);
         EXPECT_TRUE(ok);
       }},
      {[](vp::PrinterConfig& c) { c.faults.shortStatusBytes = 16; },
       [](PrinterModelTest& t) {
         t.Write(Frame('S'));
         EXPECT_EQ(t.Read(32).size(), 16u);
       }},
      // Data-only faults leave the first block of a send alone.
      {[](vp::PrinterConfig& c) {
         c.faults.shortStatusBytes = 8;
         c.faults.shortStatusScope = vp::StatusScope::kDataOnly;
       },
       [&](PrinterModelTest& t) {
         EXPECT_EQ(t.BeginSend(p), 1);
         t.SendChunk(p, 0, 10);
         EXPECT_EQ(t.Read(32).size(), 8u);
       }},
      {[](vp::PrinterConfig& c) { c.faults.refuseBeginTransfer = true; },
       [](PrinterModelTest& t) { EXPECT_FALSE(t.Port().BeginTransfer(kPrinterName, 0, 2000)); }},
      {[](vp::PrinterConfig& c) {
         c.faults.wrongModel = true;
         c.faults.wrongModelId = 0x7777;
         c.faults.wrongMagic = true;
       },
       [](PrinterModelTest& t) {
         t.Write(Frame('S'));
         const Bytes block = t.Read(32);
         ASSERT_EQ(block.size(), 32u);
         EXPECT_NE(Bytes(block.begin(), block.begin() + 3), (Bytes{0x81, 0x20, 0x42}));
         EXPECT_EQ(block[3] | block[4] << 8, 0x7777);
       }},
      // Only its configured names open it, compared without ASCII case.
      {[](vp::PrinterConfig& c) {
         c.names = {"Desk Printer", kPrinterName};
       },
       [](PrinterModelTest& t) {
         EXPECT_TRUE(t.Port().Open("desk printer", nullptr));
         EXPECT_FALSE(t.Port().Open("Desk Printer 2", nullptr));
         EXPECT_FALSE(t.Port().Open(nullptr, nullptr));
       }},
  };
  for (const auto& fault : faults) {
    config_ = vp::PrinterConfig();
    fault.configure(config_);
    Open();
    fault.check(*this);
  }
}

}  // namespace
}  // namespace vp_test
