#include "transfer/support/support_check.h"

#include <string>

#include <gtest/gtest.h>

#include "transfer/support/tests/fake_seams.h"

namespace ostrand {
namespace {

using testing::FakeRegistry;
using testing::FakeSpooler;

const std::string kMakerKey = "SOFTWARE\\Quorbel Industries, Ltd.\\Skorvin\\Driver\\3.0\\";

class SupportCheckTest : public ::testing::Test {
 protected:
  FakeSpooler spooler;
  FakeRegistry registry;
  SupportCheck check{spooler, registry};
};

TEST_F(SupportCheckTest, AnswersTheTransferUiNumberOfThePrintersDriver) {
  spooler.printers = {{"Office", "Generic"}, {"Label", "Skorvin LX"}};
  registry.SetNumber(kMakerKey + "Skorvin LX", 0x12345678u);
  registry.SetNumber(kMakerKey + "Generic", 5);
  EXPECT_EQ(0x12345678u, check.CheckSupportPrinter("Label"));
  EXPECT_EQ(5u, check.CheckSupportPrinter("Office"));

  registry.SetNumber(kMakerKey + "Skorvin LX", 0);
  EXPECT_EQ(0u, check.CheckSupportPrinter("Label"));
}

TEST_F(SupportCheckTest, AnswersZeroWhenTheRegistrationIsMissing) {
  spooler.printers = {{"Label", "Skorvin LX"}};
  EXPECT_EQ(0u, check.CheckSupportPrinter("Label"));  // no key at all
  registry.values[{kMakerKey + "Skorvin LX", "Info Dll"}] = {'x', 0};
  EXPECT_EQ(0u, check.CheckSupportPrinter("Label"));  // key without the value
  EXPECT_EQ(2u, registry.keysRead.size());
}

TEST_F(SupportCheckTest, AnswersZeroForAValueThatIsNotFourBytes) {
  spooler.printers = {{"Label", "Skorvin LX"}};
  for (std::vector<unsigned char> bytes :
       {std::vector<unsigned char>{}, {1}, {1, 0, 0}, {1, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0}}) {
    registry.values[{kMakerKey + "Skorvin LX", "TransferUI"}] = bytes;
    EXPECT_EQ(0u, check.CheckSupportPrinter("Label")) << bytes.size() << " bytes";
  }
}

TEST_F(SupportCheckTest, UnknownPrinterAnswersZeroWithoutTouchingTheRegistry) {
  spooler.printers = {{"Label", "Skorvin LX"}};
  registry.SetNumber(kMakerKey + "Skorvin LX", 1);
  EXPECT_EQ(0u, check.CheckSupportPrinter("Other"));
  EXPECT_EQ(0u, check.CheckSupportPrinter("label"));  // names compare case-sensitively here
  EXPECT_EQ(0u, check.CheckSupportPrinter(""));
  spooler.fails = true;
  EXPECT_EQ(0u, check.CheckSupportPrinter("Label"));
  spooler.fails = false;
  spooler.printers.clear();
  EXPECT_EQ(0u, check.CheckSupportPrinter("Label"));
  EXPECT_TRUE(registry.keysRead.empty());
}

TEST_F(SupportCheckTest, NullNamesAnswerZeroWithoutAskingAnything) {
  spooler.printers = {{"Label", "Skorvin LX"}};
  registry.SetNumber("SOFTWARE\\Acme\\Skorvin\\Driver\\3.0\\Skorvin LX", 1);
  EXPECT_EQ(0u, check.CheckSupportPrinter(nullptr));
  EXPECT_EQ(0u, check.CheckSupportPrinter2(nullptr, "Acme"));
  EXPECT_EQ(0u, check.CheckSupportPrinter2("Label", nullptr));
  EXPECT_EQ(0, spooler.enumerations);
  EXPECT_TRUE(registry.keysRead.empty());
}

TEST_F(SupportCheckTest, TheLastRecordOfTheNameDecides) {
  spooler.printers = {{"Label", "First"}, {"Other", "Other"}, {"Label", "Second"}};
  registry.SetNumber(kMakerKey + "First", 1);
  registry.SetNumber(kMakerKey + "Second", 2);
  EXPECT_EQ(2u, check.CheckSupportPrinter("Label"));

  // A last match without a usable driver name is not rescued by an earlier one.
  spooler.printers = {{"Label", "First"}, {"Label", nullptr}, {nullptr, "Second"}};
  EXPECT_EQ(0u, check.CheckSupportPrinter("Label"));
}

TEST_F(SupportCheckTest, OverlongDriverNamesAndKeyPathsAnswerZero) {
  const std::string fits(259 - kMakerKey.size(), 'd');
  const std::string tooLongForPath = fits + "d";
  const std::string tooLongForBuffer(400, 'e');
  spooler.printers = {{"Fits", fits.c_str()},
                      {"Path", tooLongForPath.c_str()},
                      {"Buffer", tooLongForBuffer.c_str()}};
  registry.SetNumber(kMakerKey + fits, 7);
  registry.SetNumber(kMakerKey + tooLongForPath, 8);
  registry.SetNumber(kMakerKey + tooLongForBuffer, 9);
  EXPECT_EQ(7u, check.CheckSupportPrinter("Fits"));
  EXPECT_EQ(0u, check.CheckSupportPrinter("Path"));
  EXPECT_EQ(0u, check.CheckSupportPrinter("Buffer"));
  EXPECT_EQ(1u, registry.keysRead.size());
}

TEST_F(SupportCheckTest, SecondFormReadsTheCallersCompanyBranch) {
  spooler.printers = {{"Label", "Skorvin LX"}};
  registry.SetNumber("SOFTWARE\\Acme, Inc.\\Skorvin\\Driver\\3.0\\Skorvin LX", 3);
  registry.SetNumber(kMakerKey + "Skorvin LX", 4);
  EXPECT_EQ(3u, check.CheckSupportPrinter2("Label", "Acme, Inc."));
  EXPECT_EQ(4u, check.CheckSupportPrinter2("Label", "Quorbel Industries, Ltd."));
  EXPECT_EQ(0u, check.CheckSupportPrinter2("Label", "Nobody"));
  // The company name is no format of its own.
  registry.SetNumber("SOFTWARE\\Acme %s %n\\Skorvin\\Driver\\3.0\\Skorvin LX", 6);
  EXPECT_EQ(6u, check.CheckSupportPrinter2("Label", "Acme %s %n"));
  const std::string longCompany(250, 'c');
  EXPECT_EQ(0u, check.CheckSupportPrinter2("Label", longCompany.c_str()));
  EXPECT_EQ(4u, registry.keysRead.size());
}

}  // namespace
}  // namespace ostrand
