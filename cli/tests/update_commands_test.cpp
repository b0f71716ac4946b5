// update and printers on the update tool's core, over the protocol core and
// the virtual printer: each outcome's exit code, words and what the printer
// was sent.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "cli/exit_codes.h"
#include "cli/tests/client_fixture.h"

namespace cli {
namespace {

using Fixture = cli_test::ClientFixture;

class UpdateCommandsTest : public Fixture {
 public:
  // What the virtual printer's trace says of the steps that change it.
  bool TraceHas(const char* what) { return TraceText().find(what) != std::string::npos; }
};

// A printer that stores a damaged copy of what it was sent.
int32_t OSTRAND_CALL SendAndDamage(const void* header, const void* data, const uint32_t* size,
                                   void* status, uint32_t timeout, TRProgressCallback progress) {
  std::vector<uint8_t> damaged(static_cast<const uint8_t*>(data),
                               static_cast<const uint8_t*>(data) + *size);
  damaged[*size / 2] ^= 0xFF;
  return cli_test::CoreSendFile(header, damaged.data(), size, status, timeout, progress);
}

TEST_F(UpdateCommandsTest, EachOutcomeHasItsExitCodeAndTheToolsWords) {
  const std::string package = WriteBesideProgram("update.kx7", PackageBytes(3000));
  const std::string other = Write("other.kx7", PackageBytes(3000, 0x0416));
  ini_ = {{"DriverName", "Quorbel ZN-418"}, {"NewVersion", "2.10"}, {"KX7FileName", "update.kx7"}};
  const char* printer = vp_test::kPrinterName;
  struct Case {
    const char* what;
    std::function<void(Fixture&)> arrange;
    std::vector<const char*> args;
    int exit;
    const char* said;
    size_t stored;
    bool modeCommand;
  };
  const Case cases[] = {
      {"completed, the only printer",
       [](Fixture&) {},
       {"update", "--verify", "", ""},
       kExitOk,
       "Completed the update for Glinterra.",
       1,
       true},
      {"not ready",
       [](Fixture& f) { f.config_.faults.wrongMagic = true; },
       {"update", printer, package.c_str()},
       kExitNotReady,
       "Cannot communicate with the printer.",
       0,
       false},
      // The driver gave no model, which no printer's status block carries.
      {"model unknown",
       [](Fixture& f) { f.listed_[0].model.reset(); },
       {"update", printer, package.c_str()},
       kExitNotReady,
       "Cannot communicate with the printer.",
       0,
       false},
      {"wrong model",
       [](Fixture&) {},
       {"update", printer, other.c_str()},
       kExitWrongModel,
       "A printer ID error occurred.",
       0,
       true},
      {"failed",
       [](Fixture& f) { f.config_.faults.breakLinkAfterBytes = 1000; },
       {"update", printer, package.c_str()},
       kExitUpdateFailed,
       "Failed to transfer.",
       0,
       true},
      {"verify mismatch",
       [](Fixture& f) { f.exports_.sendFile = &SendAndDamage; },
       {"update", "--verify", printer, package.c_str()},
       kExitVerifyMismatch,
       "the stored file differs from the package's payload",
       1,
       true},
      {"no printer",
       [](Fixture& f) { f.listed_.clear(); },
       {"update", "", ""},
       kExitNotReady,
       "A compatible printer cannot be found. (driver \"Quorbel ZN-418\")",
       0,
       false},
      {"several printers, none named",
       [](Fixture& f) {
         f.listed_.push_back({"Second Printer", 0x0415});
       },
       {"update", "", ""},
       kExitUsage,
       "2 printers of the driver \"Quorbel ZN-418\" are installed",
       0,
       false},
      // The tool's list would fall back to another printer: never for a name.
      {"printer not of the driver",
       [](Fixture&) {},
       {"update", "Desk Printer", ""},
       kExitUsage,
       "\"Desk Printer\" is no printer of the driver \"Quorbel ZN-418\"; its printers:\n  "
       "Virtual Printer",
       0,
       false},
      {"no vexlow.ini",
       [](Fixture& f) { f.ini_.clear(); },
       {"update", printer, ""},
       kExitNoInput,
       "is not there: name the driver with --driver",
       0,
       false},
      {"dry run",
       [](Fixture&) {},
       {"update", "--dry-run", printer, package.c_str()},
       kExitOk,
       "",
       0,
       false},
      {"dry run, wrong model",
       [](Fixture&) {},
       {"update", "--dry-run", printer, other.c_str()},
       kExitWrongModel,
       "A printer ID error occurred.",
       0,
       false},
      {"dry run, not ready",
       [](Fixture& f) { f.config_.faults.wrongMagic = true; },
       {"update", "--dry-run", printer, package.c_str()},
       kExitNotReady,
       "Cannot communicate with the printer.",
       0,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    config_ = vp::PrinterConfig{};
    exports_ = cli_test::kCoreExports;
    listed_ = {{printer, vp::kDefaultModelId}};
    ini_ = {
        {"DriverName", "Quorbel ZN-418"}, {"NewVersion", "2.10"}, {"KX7FileName", "update.kx7"}};
    c.arrange(*this);
    Connect();
    std::vector<const char*> args;
    for (const char* arg : c.args) {
      if (*arg != '\0') {
        args.push_back(arg);
      }
    }
    EXPECT_EQ(Run(args), c.exit) << err_.str();
    EXPECT_NE((out_.str() + err_.str()).find(c.said), std::string::npos) << err_.str();
    EXPECT_EQ(report_.exitCode, c.exit);
    EXPECT_EQ(StoredFiles(), c.stored);
    EXPECT_EQ(TraceHas("mode command"), c.modeCommand);
    EXPECT_FALSE(!c.modeCommand && TraceHas("transfer begun"))
        << "no transfer before the mode command";
  }
}

TEST_F(UpdateCommandsTest, AnInterruptStopsBeforeTheFirstChangeOrAtTheTransfersNextStep) {
  const std::string package = Write("update.kx7", PackageBytes(20000));
  const char* printer = vp_test::kPrinterName;
  ini_ = {{"DriverName", "Quorbel ZN-418"}};

  // During identification the process would end at once; if it did not, the
  // run would still change nothing.
  onSelect_ = [this] { EXPECT_EQ(interruption_.Request(), Interruption::Answer::kEndNow); };
  EXPECT_EQ(Run({"update", printer, package.c_str()}), kExitCancelled);
  EXPECT_EQ(StoredFiles(), 0u);
  EXPECT_EQ(TraceText().find("mode command"), std::string::npos) << TraceText();
  onSelect_ = nullptr;

  // During the transfer: the protocol's stop, the tool's words, nothing stored.
  cli_test::InterruptAtBar atTenPercent(interruption_, 4);
  std::ostream bar(&atTenPercent);
  EXPECT_EQ(Run({"update", printer, package.c_str()}, &bar), kExitCancelled);
  EXPECT_NE(err_.str().find("Transferring cancelled."), std::string::npos) << err_.str();
  EXPECT_EQ(StoredFiles(), 0u);
  EXPECT_NE(TraceText().find("length word 0: stop word"), std::string::npos);
}

TEST_F(UpdateCommandsTest, PrintersListsTheDriversPrintersWithModelAndReadiness) {
  listed_ = {{vp_test::kPrinterName, vp::kDefaultModelId},
             {"Shelf Printer", vp::kDefaultModelId},
             {"Unknown Printer", std::nullopt}};
  ASSERT_EQ(Run({"printers", "--driver", "Quorbel ZN-418"}), kExitOk) << err_.str();
  EXPECT_EQ(out_.str(),
            "Printers of the driver \"Quorbel ZN-418\":\n"
            "  Virtual Printer  model 0x0415  ready\n"
            "  Shelf Printer  model 0x0415  not ready\n"
            "  Unknown Printer  model unknown  not ready\n");
  EXPECT_EQ(tool_->printers.askedDriver, "Quorbel ZN-418");
  EXPECT_EQ(report_.printers.size(), 3u);
  EXPECT_EQ(StoredFiles(), 0u);
}

}  // namespace
}  // namespace cli
