// The console client over Ostrand's protocol core, the virtual printer and the
// update tool's core: each Run is one process of the client.
#ifndef CLI_TESTS_CLIENT_FIXTURE_H
#define CLI_TESTS_CLIENT_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/client_context.h"
#include "cli/tests/tool_fakes.h"
#include "virtual_printer/tests/printer_fixture.h"

namespace cli_test {

// Stands in for the console's Ctrl+C: one request when the progress bar has
// been drawn `drawings` times.
class InterruptAtBar : public std::stringbuf {
 public:
  InterruptAtBar(cli::Interruption& interruption, int drawings)
      : interruption_(interruption), drawings_(drawings) {}

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    const std::streamsize put = std::stringbuf::xsputn(s, n);
    const std::string drawn = str();
    if (!requested_ && std::count(drawn.begin(), drawn.end(), '\r') >= drawings_) {
      requested_ = true;
      interruption_.Request();
    }
    return put;
  }

 private:
  cli::Interruption& interruption_;
  const int drawings_;
  bool requested_ = false;
};

class ClientFixture : public vp_test::PrinterFixture {
 public:
  void SetUp() override {
    // Other checkouts on the machine may run these tests at the same time.
    folder_ = std::filesystem::path(testing::TempDir()) /
              ("ostrandcli-test-" + std::to_string(std::random_device{}()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    Connect();
  }
  void TearDown() override {
    coreLibrary = nullptr;
    corePort = nullptr;
    std::filesystem::remove_all(folder_);
    for (const std::string& file : besideProgram_) {
      std::filesystem::remove(file);
    }
  }

  // A printer built from config_, and the library in front of it.
  void Connect() {
    Build();
    library_ = std::make_unique<ostrand::TransferLibrary>(printer_->Port(), clock_);
    coreLibrary = library_.get();
    corePort = &printer_->Port();
  }

  // Runs the command line with the exports given (the protocol core's unless
  // a test changes them); its text goes to out_ (or `out`) and err_.
  int Run(std::vector<const char*> args, std::ostream* out = nullptr) {
    args.insert(args.begin(), "ostrandcli");
    cli::CommandLine line;
    std::string error;
    EXPECT_TRUE(cli::ParseCommandLine(static_cast<int>(args.size()), args.data(), &line, &error))
        << error;
    out_.str("");
    err_.str("");
    report_ = cli::Report{};
    tool_ = std::make_unique<FakeTool>(exports_);
    tool_->printers.listed = listed_;
    tool_->printers.onSelect = onSelect_;
    tool_->ini.values = ini_;
    tool_->core.programDirectory = folder_.string();
    cli::ClientContext context{
        exports_,      out ? *out : out_, err_,       cli::BarStyle::kRedrawn,
        interruption_, report_,           tool_->core};
    return cli::RunCommand(line, context);
  }

  // Beside the program: where vexlow.ini names the package, the path the tool
  // composes with a backslash (on Linux a name in the folder's parent).
  std::string WriteBesideProgram(const char* name, const vp_test::Bytes& bytes) {
    besideProgram_.push_back(WriteAt(folder_.string() + "\\" + name, bytes));
    return besideProgram_.back();
  }
  std::string Write(const char* name, const vp_test::Bytes& bytes) {
    return WriteAt(folder_ / name, bytes);
  }
  std::string WriteAt(const std::filesystem::path& path, const vp_test::Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  // A package file of that model: header, then payload.
  static vp_test::Bytes PackageBytes(uint32_t payloadSize, uint16_t model = vp::kDefaultModelId) {
    const vp_test::Package p = vp_test::MakePackage(model, payloadSize);
    // Sized once and filled: GCC 12 at -O2 takes an insert after the header
    // for a write past a 64-byte array (-Warray-bounds).
    vp_test::Bytes file(p.header.size() + p.payload.size());
    std::copy(p.payload.begin(), p.payload.end(),
              std::copy(p.header.begin(), p.header.end(), file.begin()));
    return file;
  }

  std::filesystem::path folder_;
  std::vector<std::string> besideProgram_;
  std::unique_ptr<ostrand::TransferLibrary> library_;
  TRFunctions exports_ = kCoreExports;
  // The driver's printers, as the tool's list gives them, and vexlow.ini.
  std::vector<cli::ListedPrinter> listed_ = {{vp_test::kPrinterName, vp::kDefaultModelId}};
  std::map<std::string, std::string> ini_;
  std::function<void()> onSelect_;
  cli::Interruption interruption_;
  std::unique_ptr<FakeTool> tool_;
  cli::Report report_;
  std::ostringstream out_;
  std::ostringstream err_;
};

}  // namespace cli_test

#endif  // CLI_TESTS_CLIENT_FIXTURE_H
