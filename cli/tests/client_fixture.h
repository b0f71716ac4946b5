// The console client over Ostrand's protocol core, the virtual printer and the
// update tool's core: each Run is one process of the client.
#ifndef CLI_TESTS_CLIENT_FIXTURE_H
#define CLI_TESTS_CLIENT_FIXTURE_H

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/client_context.h"
#include "cli/tests/tool_fakes.h"
#include "virtual_printer/tests/printer_fixture.h"

namespace cli_test {

class ClientFixture : public vp_test::PrinterFixture {
 public:
  void SetUp() override {
    // Other checkouts on the machine may run these tests at the same time.
    folder_ = std::filesystem::path(testing::TempDir()) /
              ("ostrandcli-test-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder_);
    Connect();
  }
  void TearDown() override {
    coreLibrary = nullptr;
    std::filesystem::remove_all(folder_);
    std::filesystem::remove(folder_.string() + "\\update.kx7");
  }

  // A printer built from config_, and the library in front of it.
  void Connect() {
    Build();
    library_ = std::make_unique<ostrand::TransferLibrary>(printer_->Port(), clock_);
    coreLibrary = library_.get();
    corePort = &printer_->Port();
  }

  // Runs the command line, its words split at '|', a word "@name" standing for
  // that file in the test's folder; the text goes to out_ (or `out`) and err_.
  int Run(const std::string& words, std::ostream* out = nullptr) {
    std::vector<std::string> args = {"ostrandcli"};
    std::istringstream split(words);
    for (std::string word; std::getline(split, word, '|');) {
      args.push_back(word.starts_with('@') ? (folder_ / word.substr(1)).string() : word);
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
      argv.push_back(arg.c_str());
    }
    cli::CommandLine line;
    std::string error;
    EXPECT_TRUE(cli::ParseCommandLine(static_cast<int>(argv.size()), argv.data(), &line, &error))
        << error;
    out_.str("");
    err_.str("");
    report_ = cli::Report{};
    tool_ = std::make_unique<FakeTool>(exports_);
    tool_->printers.listed = listed_;
    tool_->printers.onSelect = onSelect_;
    tool_->text.values = ini_;
    tool_->core.programDirectory = folder_.string();
    cli::ClientContext context{
        exports_,      out ? *out : out_, err_,       cli::BarStyle::kRedrawn,
        interruption_, report_,           tool_->core};
    return cli::RunCommand(line, context);
  }

  // A package file of that model (header, payload) in the test's folder; the
  // one vexlow.ini names lies where the tool composes its path, with a
  // backslash (on Linux a name in the folder's parent).
  std::string Write(const std::string& name, uint32_t payloadSize, uint16_t model = 0x0415) {
    const vp_test::Package p = vp_test::MakePackage(model, payloadSize);
    const std::string path =
        name == "update.kx7" ? folder_.string() + "\\" + name : (folder_ / name).string();
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(p.header.data()), 64)
        .write(reinterpret_cast<const char*>(p.payload.data()),
               static_cast<std::streamsize>(p.payload.size()));
    return path;
  }

  std::filesystem::path folder_;
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
