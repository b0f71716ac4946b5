// What decides the verdicts of the tests that use the virtual printer: what its
// configuration file sets, which files it keeps, which requests it refuses and
// how each configured fault shows at the port.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "transfer/protocol/tests/wire_bytes.h"
#include "virtual_printer/core/config_parser.h"
#include "virtual_printer/core/folder_file_store.h"
#include "virtual_printer/tests/printer_fixture.h"

namespace vp_test {
namespace {

using wire_test::Frame;
using wire_test::Hex;
using wire_test::Le32;
using wire_test::Slice;

class PrinterTest : public PrinterFixture {
 public:
  bool Write(const Bytes& bytes) {
    return Port().Write(bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr, 2000);
  }
  // What one read of up to `count` bytes gives; nothing when the read fails.
  Bytes Read(uint32_t count) {
    Bytes buffer(count);
    uint32_t got = 0;
    buffer.resize(Port().Read(buffer.data(), count, &got, 2000) ? got : 0);
    return buffer;
  }

  // Plays port calls, blank-separated, and tells what the host saw:
  //   D:p U:p R:p   a request for package p (a delete in one write)
  //   200  100/99   a length word and a chunk of as many (or 99) bytes of the
  //                 file sent; 0 is the stop word
  //   S Z R D       a command frame alone
  //   open open:a_name   opening the port under kPrinterName or that name, a "_"
  //                      for a blank
  //   purge end begin     those calls
  //   read:N        a read of up to N bytes: how many came, or "none"
  //   ?  head       the next reply's last acceptance byte, or its first five bytes
  // and "failed" after a call that failed.
  std::string Play(const std::string& script) {
    std::istringstream steps(script);
    std::string said;
    const Package* file = nullptr;
    uint32_t at = 0;
    for (std::string step; steps >> step;) {
      std::string arg = step.substr(step.find_first_of(":/") + 1);  // the step when it has none
      bool ok = true;
      if (std::isdigit(step[0])) {
        const auto chunk = static_cast<uint32_t>(std::stoul(arg));
        ok = Write(Le32(static_cast<uint32_t>(std::stoul(step)))) &&
             (chunk == 0 || Write(Slice(file->payload, at, chunk)));
        at += chunk;
      } else if (step.size() == 3 && step[1] == ':') {
        file = &packages_.at(step[2]);
        at = 0;
        const Bytes header(file->header.begin(), file->header.end());
        Bytes request = Frame(step[0]);
        request.resize(step[0] == 'R' ? 4 + header.size() : 4);
        std::copy(header.begin(), header.begin() + (request.size() - 4), request.begin() + 4);
        ok = Write(request) && (step[0] == 'R' || Write(header));
      } else if (step.starts_with("open")) {
        std::replace(arg.begin(), arg.end(), '_', ' ');
        ok = Port().Open(step == "open" ? kPrinterName : arg.c_str(), nullptr);
      } else if (step.starts_with("read:")) {
        const size_t got = Read(static_cast<uint32_t>(std::stoul(arg))).size();
        said += got == 0 ? " none" : " " + std::to_string(got);
      } else if (step == "?" || step == "head") {
        const Bytes reply = Read(4096);
        const size_t last = reply.size() < 32 ? 0 : reply.size() - 32;
        said += reply.size() < 32 ? " none"
                : step == "?"     ? " " + std::to_string(reply[last + 18])
                                  : " " + Hex(Slice(reply, 0, 5));
      } else if (step == "purge" || step == "end") {
        step == "purge" ? Port().Purge() : Port().EndTransfer();
      } else if (step == "begin") {
        ok = Port().BeginTransfer(kPrinterName, 0, 2000);
      } else {
        ok = Write(Frame(step[0]));
      }
      said += ok ? "" : " failed";
    }
    return said.empty() ? said : said.substr(1);
  }

  // h and s are held at the start; a has h's header and other bytes.
  std::map<char, Package> packages_ = {
      {'h', MakePackage(vp::kDefaultModelId, 600, 3)},
      {'s', MakePackage(vp::kDefaultModelId, 100, 4)},
      {'a', {MakePackage(vp::kDefaultModelId, 600, 3).header, Bytes(600, 0xA5)}},
      {'p', MakePackage(vp::kDefaultModelId, 300, 1)},
      {'b', MakePackage(vp::kDefaultModelId, 600, 2)},
      {'e', MakePackage(vp::kDefaultModelId, 0, 5)}};
};

// Every row configures a printer of 1000 bytes that takes 300 per status block
// with the lines after kShared, puts files h and s into it, plays its calls, and
// tells what the host saw (or the start of the file's error) and the files then
// held: once in memory and once in a folder, as the next process reads it.
TEST_F(PrinterTest, KeepsAFileWholeOrNotAtAllAndShowsEachConfiguredFault) {
  const std::string kShared =
      "; a comment line\n# and another\n[Printer]  ; a comment after a blank\r\n"
      "accept_count = 300\ncapacity = 1000\n";
  const struct {
    const char* ini;
    const char* script;
    const char* said;
    const char* kept = "hs";
  } rows[] = {
      {"", "D:p 200 100 ?", "1", "hsp"},         // a file that fills the memory
      {"", "D:a 200 100 200 100 ?", "1", "as"},  // an equal header replaces a file in its place
      {"", "R:s ?", "1", "h"},
      {"", "S 0 ?", "1"},  // a stop word with no send under way is harmless
      // A file is kept only when its last chunk has come.
      {"", "D:p 200 0", ""},
      {"", "D:p 200 purge", ""},
      {"", "D:p 200 end", ""},
      {"", "D:p 200 S", ""},
      {"", "D:p 200 open", ""},
      // A host's mistake, or a request the printer cannot serve.
      {"", "D:p 201 ?", "0"},
      {"", "D:a 200 101 ?", "0"},  // beyond the 300 bytes granted
      {"", "D:p 100/99 ?", "0"},
      {"", "D 100/0 ?", "0"},  // data before the header
      {"", "Z ?", "0"},
      {"", "R ?", "0"},    // a delete without its entry
      {"", "D:e ?", "0"},  // an empty payload
      {"", "D:b ?", "0"},  // a file that does not fit
      {"", "U:b ?", "0"},
      {"", "R:b ?", "0"},
      // Each fault, as its line in the file sets it.
      {"", "S head begin", "81 20 42 15 04"},
      {"[faults]\nreject_request = 2", "U:h ? U:h ? open U:h ?", "1 0 1"},
      {"[faults]\nbreak_link_after = 20", "S read:16 read:16 S open S read:16",
       "16 none failed 16"},
      {"[faults]\nlate_status = 3000", "S read:32 read:32", "none 32"},
      {"[faults]\nshort_status = 31", "S read:32", "31"},
      {"[faults]\nshort_status = 8 data", "D:p read:32 200 100 read:32", "32 8", "hsp"},
      {"[faults]\nrefuse_begin_transfer = yes", "begin", "failed"},
      {"[faults]\nwrong_model = 0x7777\nwrong_magic = on", "S head", "80 21 41 77 77"},
      {"model = 0x1a2B", "S head", "81 20 42 2B 1A"},
      {"name = Desk;2\nname = Back", "open:desk;2 open:BACK open:Desk;22 open:Virtual_Printer",
       "failed failed"},
      // A mistake in the file is named, never skipped.
      {"[faults]\nreject_request = 0", "", "reject_request must be a request number of at least 1"},
      {"[faults]\nshort_status = 32", "", "short_status must read"},
      {"[faults]\nlate_status = 10 sometimes", "", "late_status must read"},
      {"[faults]\nbreak_link = 10", "", "unknown fault 'break_link'"},
      {"model = 0x10000", "", "model must be a number from 0 to 0xFFFF"},
      {"just words", "", "expected 'key = value'"},
  };
  const std::string folder =
      testing::TempDir() + "vp-test-" + std::to_string(std::random_device{}());
  std::string error;
  for (const std::string& stateDir : {std::string(), folder}) {
    for (const auto& r : rows) {
      SCOPED_TRACE(r.ini + (" | " + stateDir + " | ") + r.script);
      std::filesystem::remove_all(folder);
      const std::string state = stateDir.empty() ? "" : "state_dir = " + stateDir + "\n";
      if (!vp::ParsePrinterConfig(kShared + state + r.ini, &config_, &error)) {
        EXPECT_EQ(error.substr(error.find(": ") + 2, std::strlen(r.said)), r.said);
        continue;
      }
      Build();
      ASSERT_TRUE(Port().Open(config_.names[0].c_str(), nullptr));
      for (const char* unlisted : {"/file-00000008.vpf", "/file-00000009.vpf.part"}) {
        std::ofstream(folder + unlisted) << "shorter than an entry";
      }
      for (const Package* held : {&packages_['h'], &packages_['s']}) {
        ASSERT_TRUE(printer_->Store().Store(held->header, held->payload));
      }
      EXPECT_EQ(Play(r.script), r.said) << TraceText();
      vp::FolderFileStore nextProcess(folder);
      vp::FileStore& store = stateDir.empty() ? printer_->Store() : nextProcess;
      std::string kept;
      for (const vp::StoredFile& file : std::vector(store.Files())) {
        Bytes payload;
        kept += store.Load(file.entry, &payload) ? "?" : "!";
        for (const auto& [name, p] : packages_) {
          kept.back() = p.header == file.entry && p.payload == payload ? name : kept.back();
        }
      }
      EXPECT_EQ(kept, r.kept) << TraceText();
    }
  }
  std::filesystem::remove_all(folder);
  EXPECT_FALSE(vp::LoadPrinterConfigFile("/nonexistent/vp.ini", &config_, &error));
  EXPECT_NE(error.find("/nonexistent/vp.ini"), std::string::npos);
}

}  // namespace
}  // namespace vp_test
