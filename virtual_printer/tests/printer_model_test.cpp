// The printer's side of the protocol, driven by raw port calls as a host makes
// them, including the hosts that get it wrong.
#include <gtest/gtest.h>

#include <cstring>

#include "virtual_printer/tests/printer_fixture.h"

namespace vp_test {
namespace {

Bytes Frame(char letter) {
  return {0x1B, 0x69, 0x46, static_cast<uint8_t>(letter)};
}

Bytes Le32(uint32_t v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

class PrinterModelTest : public PrinterFixture {
 public:
  void SetUp() override {
    Build();
    uint8_t block[10] = {};
    ASSERT_TRUE(Port().Open(kPrinterName, block));
  }

  bool Write(const Bytes& bytes) {
    uint32_t written = 0;
    bool ok = Port().Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written, 2000);
    return ok && written == bytes.size();
  }
  bool Write(const uint8_t* data, size_t size) { return Write(Bytes(data, data + size)); }

  // The bytes one read call gives; *ok as the port answered.
  Bytes Read(uint32_t count, bool* ok = nullptr, uint32_t timeoutMs = 2000) {
    Bytes buffer(count);
    uint32_t got = 0;
    bool answered = Port().Read(buffer.data(), count, &got, timeoutMs);
    if (ok != nullptr) {
      *ok = answered;
    }
    buffer.resize(got);
    return buffer;
  }

  Bytes Status() {
    bool ok = false;
    Bytes block = Read(32, &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(block.size(), 32u);
    block.resize(32);
    return block;
  }

  // Starts a send: command, header, first status block.
  Bytes BeginSend(const Package& p) {
    EXPECT_TRUE(Write(Frame('D')));
    EXPECT_TRUE(Write(p.header.data(), p.header.size()));
    return Status();
  }

  void SendChunk(const Package& p, uint32_t from, uint32_t size) {
    EXPECT_TRUE(Write(Le32(size)));
    EXPECT_TRUE(Write(p.payload.data() + from, size));
  }
};

TEST_F(PrinterModelTest, StatusReplyCarriesModelAndStatusAcceptCount) {
  ASSERT_TRUE(Write(Frame('S')));
  Bytes block = Status();
  EXPECT_EQ(block[0], 0x81);
  EXPECT_EQ(block[1], 0x20);
  EXPECT_EQ(block[2], 0x42);
  EXPECT_EQ(block[3] | (block[4] << 8), vp::kDefaultModelId);
  EXPECT_EQ(block[18], 1);
  EXPECT_EQ(Le32At(&block[24]), config_.statusAcceptCount);
}

TEST_F(PrinterModelTest, SendStoresTheFileOnlyWhenTheLastChunkHasCome) {
  config_.acceptCount = 300;
  Build();
  ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
  Package p = MakePackage(vp::kDefaultModelId, 450);
  Bytes first = BeginSend(p);
  EXPECT_EQ(first[18], 1);
  EXPECT_EQ(Le32At(&first[24]), 300u);
  SendChunk(p, 0, 200);
  SendChunk(p, 200, 100);
  Bytes second = Status();
  EXPECT_EQ(second[18], 1);
  EXPECT_EQ(Le32At(&second[24]), 150u) << "the rest of the file";
  SendChunk(p, 300, 150 - 50);
  EXPECT_EQ(StoredFiles(), 0u) << "not stored before its payload is complete";
  SendChunk(p, 400, 50);
  Bytes last = Status();
  EXPECT_EQ(last[18], 1);
  EXPECT_EQ(Le32At(&last[24]), 0u);
  ASSERT_EQ(StoredFiles(), 1u);

  ASSERT_TRUE(Write(Bytes{0x1B, 0x69, 0x46, 'L', 0x00}));
  Bytes count = Read(2);
  ASSERT_EQ(count.size(), 2u);
  EXPECT_EQ(count[0] | (count[1] << 8), 1);
  Bytes entry = Read(64);
  EXPECT_TRUE(std::equal(entry.begin(), entry.end(), p.header.begin()));
}

// Each host mistake ends the exchange with a rejection and stores nothing.
TEST_F(PrinterModelTest, ProtocolViolationsAreRejectedAndTraced) {
  struct Case {
    const char* name;
    void (*act)(PrinterModelTest& t, const Package& p);
    const char* traced;
  };
  const Case cases[] = {
      {"length word above 200",
       [](PrinterModelTest& t, const Package& p) {
         t.BeginSend(p);
         t.Write(Le32(201));
       },
       "length word 201 is above 200"},
      {"length word beyond the accept count",
       [](PrinterModelTest& t, const Package& p) {
         t.BeginSend(p);
         t.SendChunk(p, 0, 200);
         t.Write(Le32(150));
       },
       "exceeds the 100 bytes"},
      {"chunk of the wrong size",
       [](PrinterModelTest& t, const Package& p) {
         t.BeginSend(p);
         t.Write(Le32(100));
         t.Write(p.payload.data(), 99);
       },
       "a chunk of 99 bytes after a length word of 100"},
      {"data before the header",
       [](PrinterModelTest& t, const Package& p) {
         t.Write(Frame('D'));
         t.Write(Le32(100));
         (void)p;
       },
       "data before the header: 4 bytes"},
      {"unknown command", [](PrinterModelTest& t, const Package&) { t.Write(Frame('Z')); },
       "is not a command of this printer"},
      {"delete without its entry", [](PrinterModelTest& t, const Package&) { t.Write(Frame('R')); },
       "is not a command of this printer"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    config_.acceptCount = 300;
    Build();
    ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
    Package p = MakePackage(vp::kDefaultModelId, 400);
    c.act(*this, p);
    // A conforming host reads a status block next; it is the rejection.
    Bytes reply = Read(32);
    Bytes rejection(reply.end() - std::min<size_t>(reply.size(), 32), reply.end());
    ASSERT_EQ(rejection.size(), 32u);
    EXPECT_NE(rejection[18], 1);
    EXPECT_NE(TraceText().find("protocol violation"), std::string::npos);
    EXPECT_NE(TraceText().find(c.traced), std::string::npos) << TraceText();
    // What follows the rejection is ignored, whatever it says.
    Write(p.payload.data(), 50);
    EXPECT_EQ(StoredFiles(), 0u);
  }
}

TEST_F(PrinterModelTest, AnUnfinishedSendIsDiscardedWhateverEndsIt) {
  struct Case {
    const char* name;
    void (*end)(PrinterModelTest& t);
    const char* traced;
  };
  const Case cases[] = {
      {"stop word", [](PrinterModelTest& t) { t.Write(Le32(0)); }, "the host sent the stop word"},
      {"purge", [](PrinterModelTest& t) { t.Port().Purge(); }, "the host purged the port"},
      {"end transfer", [](PrinterModelTest& t) { t.Port().EndTransfer(); },
       "the host ended the transfer first"},
      {"new command", [](PrinterModelTest& t) { t.Write(Frame('S')); }, "a new command arrived"},
      {"reopen", [](PrinterModelTest& t) { t.Port().Open(kPrinterName, nullptr); },
       "the port was opened again"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Build();
    ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
    Package p = MakePackage(vp::kDefaultModelId, 400);
    BeginSend(p);
    SendChunk(p, 0, 200);
    c.end(*this);
    EXPECT_EQ(StoredFiles(), 0u);
    EXPECT_NE(TraceText().find("discarded the unfinished file (200 of 400 bytes received): " +
                               std::string(c.traced)),
              std::string::npos)
        << TraceText();
  }
}

TEST_F(PrinterModelTest, ReceiveGivesTheStoredFileInTheChunksAsked) {
  config_.acceptCount = 250;
  Build();
  ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
  Package p = MakePackage(vp::kDefaultModelId, 300);
  Seed(p);
  ASSERT_TRUE(Write(Frame('U')));
  ASSERT_TRUE(Write(p.header.data(), 64));
  Bytes first = Status();
  EXPECT_EQ(Le32At(&first[24]), 250u);
  Bytes got;
  for (uint32_t n : {200u, 50u}) {
    ASSERT_TRUE(Write(Le32(n)));
    Bytes chunk = Read(n);
    got.insert(got.end(), chunk.begin(), chunk.end());
  }
  EXPECT_EQ(Le32At(&Status()[24]), 50u);
  ASSERT_TRUE(Write(Le32(50)));
  Bytes tail = Read(50);
  got.insert(got.end(), tail.begin(), tail.end());
  Bytes last = Status();
  EXPECT_EQ(last[18], 1);
  EXPECT_EQ(Le32At(&last[24]), 0u);
  EXPECT_EQ(got, p.payload);
}

TEST_F(PrinterModelTest, RequestsThePrinterCannotServeAreRejected) {
  config_.capacityBytes = 1000;
  Build();
  ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
  Package stored = MakePackage(vp::kDefaultModelId, 600, 1);
  Package other = MakePackage(vp::kDefaultModelId, 600, 2);
  Seed(stored);

  EXPECT_NE(BeginSend(other)[18], 1) << "600 more bytes do not fit beside the 600 held";
  EXPECT_NE(TraceText().find("x rejected: the file does not fit"), std::string::npos);
  EXPECT_NE(BeginSend(MakePackage(vp::kDefaultModelId, 0))[18], 1) << "an empty payload";
  EXPECT_EQ(BeginSend(stored)[18], 1) << "a file may take the room of the one it replaces";

  ASSERT_TRUE(Write(Frame('U')));
  ASSERT_TRUE(Write(other.header.data(), 64));
  EXPECT_NE(Status()[18], 1);

  Bytes remove = Frame('R');
  remove.insert(remove.end(), other.header.begin(), other.header.end());
  ASSERT_TRUE(Write(remove));
  EXPECT_NE(Status()[18], 1);
  EXPECT_EQ(StoredFiles(), 1u);

  std::copy(stored.header.begin(), stored.header.end(), remove.begin() + 4);
  ASSERT_TRUE(Write(remove));
  EXPECT_EQ(Status()[18], 1);
  EXPECT_EQ(StoredFiles(), 0u);
}

TEST_F(PrinterModelTest, RejectRequestNamesOneFileRequestCountedFromOpen) {
  config_.faults.rejectRequest = 2;
  Build();
  Package p = MakePackage(vp::kDefaultModelId, 10);
  Seed(p);
  Bytes remove = Frame('R');
  remove.insert(remove.end(), p.header.begin(), p.header.end());
  auto acceptance = [&](const Bytes& request) {
    EXPECT_TRUE(Write(request));
    return Status()[18];
  };
  ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
  ASSERT_TRUE(Write(Frame('U')));
  EXPECT_EQ(acceptance(Bytes(p.header.begin(), p.header.end())), 1) << "request 1";
  EXPECT_EQ(acceptance(Frame('S')), 1) << "a status command is no file request";
  EXPECT_NE(acceptance(remove), 1) << "request 2";
  EXPECT_EQ(StoredFiles(), 1u);
  ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
  ASSERT_TRUE(Write(Frame('S')));
  Status();
  EXPECT_EQ(acceptance(remove), 1) << "request 1 again after a new open";
  EXPECT_EQ(StoredFiles(), 0u);
}

TEST_F(PrinterModelTest, OpensOnlyUnderItsConfiguredNames) {
  config_.names = {"Desk Printer", "Back Office"};
  Build();
  EXPECT_FALSE(Port().Open("Virtual Printer", nullptr));
  EXPECT_TRUE(Port().Open("back office", nullptr)) << "names compare without ASCII case";
  EXPECT_FALSE(Port().Open("Back Office 2", nullptr));
  EXPECT_FALSE(Port().Open(nullptr, nullptr));
}

TEST_F(PrinterModelTest, PortCallsFailBeforeOpen) {
  Build();
  uint32_t count = 99;
  uint8_t byte = 0;
  EXPECT_FALSE(Port().Write(&byte, 1, &count, 2000));
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(Port().Read(&byte, 1, &count, 2000));
  EXPECT_FALSE(Port().BeginTransfer(kPrinterName, 0, 2000));
}

TEST_F(PrinterModelTest, ModeCommandByNameSwitchesTheMode) {
  const uint8_t mode[] = {0x1B, 0x69, 0x61, 0x01};
  uint32_t written = 0;
  EXPECT_FALSE(Port().WriteByName("Nobody", 0, mode, 4, &written, 10000));
  EXPECT_EQ(printer_->Model().Mode(), 0);
  EXPECT_TRUE(Port().WriteByName(kPrinterName, 0, mode, 4, &written, 10000));
  EXPECT_EQ(written, 4u);
  EXPECT_EQ(printer_->Model().Mode(), 1);
  EXPECT_NE(TraceText().find("mode command: the printer switches to command mode 1"),
            std::string::npos);
}

TEST_F(PrinterModelTest, ALateStatusIsReadableOnlyOnceItsDelayHasPassed) {
  config_.faults.lateStatusMs = 3000;
  Build();
  ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
  ASSERT_TRUE(Write(Frame('S')));
  const uint64_t start = clock_.NowUs();
  bool ok = true;
  EXPECT_TRUE(Read(32, &ok, 2000).empty());
  EXPECT_FALSE(ok);
  EXPECT_EQ(clock_.NowUs() - start, 2'000'000u) << "the read waited out its time-out";
  Bytes block = Read(32, &ok, 2000);
  EXPECT_TRUE(ok);
  EXPECT_EQ(block.size(), 32u);
  EXPECT_EQ(clock_.NowUs() - start, 3'000'000u) << "it came when due, not at the time-out";
}

TEST_F(PrinterModelTest, ABrokenLinkFailsTheCallThatCrossesItAndEveryLaterOne) {
  config_.faults.breakLinkAfterBytes = 6;
  Build();
  ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
  ASSERT_TRUE(Write(Frame('S')));
  bool ok = true;
  Bytes got = Read(32, &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(got.size(), 2u);
  EXPECT_FALSE(Write(Frame('S')));
  EXPECT_TRUE(Port().LinkIsBroken());
  ASSERT_TRUE(Port().Open(kPrinterName, nullptr)) << "opening again reconnects";
  EXPECT_TRUE(Write(Frame('S')));
}

TEST_F(PrinterModelTest, TraceShowsPortCallsAndWhatThePrinterMadeOfThem) {
  Package p = MakePackage(0x1234, 5);
  config_.acceptCount = 4096;
  BeginSend(p);
  SendChunk(p, 0, 5);
  Status();
  const std::string& trace = TraceText();
  for (const char* expected : {
           "write(4 bytes, time-out 2000 ms): 1B 69 46 44",
           "  command D (send a file to the printer), 4 bytes",
           "  header: model 0x1234, payload size 5, bytes 90 40 34 12",
           "  status reply: 81 20 42, model 0x0415, acceptance 1, accept count 5",
           "  length word 5",
           "  chunk of 5 bytes: 5 of 5 received",
           "  stored: model 0x1234, 5 bytes\n  the printer now holds 1 file\n",
           "read(32 bytes, time-out 2000 ms)",
           "  = ok, 32 read: 81 20 42",
       }) {
    EXPECT_NE(trace.find(expected), std::string::npos) << expected << "\n" << trace;
  }
}

TEST_F(PrinterModelTest, TimedTraceStampsEveryLineWithTheLinksTime) {
  config_.traceTimes = true;
  config_.faults.slowLinkUsPerCall = 1500;
  Build();
  ASSERT_TRUE(Port().Open(kPrinterName, nullptr));
  ASSERT_TRUE(Write(Frame('S')));
  Status();
  EXPECT_NE(TraceText().find("         0.000 open(\"Virtual Printer\")"), std::string::npos)
      << TraceText();
  EXPECT_NE(TraceText().find("         1.500 read(32 bytes"), std::string::npos) << TraceText();
}

}  // namespace
}  // namespace vp_test
