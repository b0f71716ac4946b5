#include "transfer/support/support_check.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "transfer/support/tests/fake_seams.h"

namespace ostrand {
namespace {

using Bytes = std::vector<unsigned char>;
using testing::FakePrinter;

const std::string kMakerBranch = "SOFTWARE\\Quorbel Industries, Ltd.\\Skorvin\\Driver\\3.0\\";
const std::string kFits(259 - kMakerBranch.size(), 'd');  // a key path of 259 characters
const std::string kPathTooLong = kFits + "d";
const std::string kBufferTooLong(400, 'e');
const std::string kLongCompany(250, 'c');

Bytes Number(uint32_t n) {
  return {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
          static_cast<unsigned char>(n >> 16), static_cast<unsigned char>(n >> 24)};
}

struct Case {
  const char* what;
  std::vector<FakePrinter> printers;
  // Driver key path (below the maker's branch unless it starts with SOFTWARE)
  // and its "TransferUI" bytes; none: a key holding only "Info Dll".
  std::vector<std::pair<std::string, std::optional<Bytes>>> registrations;
  const char* printer;
  std::optional<const char*> company;  // none: the first form, the maker's branch
  uint32_t expected;
  int keysOpened;  // -1: the spooler is not even asked
};

const std::vector<FakePrinter> kLabel = {{"Office", "Generic"}, {"Label", "Skorvin LX"}};

// clang-format off
const Case kCases[] = {
    {"the driver's number", kLabel, {{"Skorvin LX", Number(0x12345678)}}, "Label", {}, 0x12345678, 1},
    {"another printer's driver", kLabel, {{"Generic", Number(5)}}, "Office", {}, 5, 1},
    {"a zero number", kLabel, {{"Skorvin LX", Number(0)}}, "Label", {}, 0, 1},
    {"no driver key", kLabel, {}, "Label", {}, 0, 1},
    {"a key without the value", kLabel, {{"Skorvin LX", std::nullopt}}, "Label", {}, 0, 1},
    {"an empty value", kLabel, {{"Skorvin LX", Bytes{}}}, "Label", {}, 0, 1},
    {"a 3-byte value", kLabel, {{"Skorvin LX", Bytes{1, 0, 0}}}, "Label", {}, 0, 1},
    {"a 5-byte value", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0, 0}}}, "Label", {}, 0, 1},
    {"an 8-byte value", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0, 0, 0, 0, 0}}}, "Label", {}, 0, 1},
    {"an unknown printer", kLabel, {{"Skorvin LX", Number(1)}}, "Other", {}, 0, 0},
    {"names compare case-sensitively", kLabel, {{"Skorvin LX", Number(1)}}, "label", {}, 0, 0},
    {"an empty name", kLabel, {{"Skorvin LX", Number(1)}}, "", {}, 0, 0},
    {"no printers", {}, {{"Skorvin LX", Number(1)}}, "Label", {}, 0, 0},
    {"a null printer name", kLabel, {{"Skorvin LX", Number(1)}}, nullptr, {}, 0, -1},
    {"a null company", kLabel, {{"Skorvin LX", Number(1)}}, "Label", nullptr, 0, -1},
    {"the last record of the name decides", {{"Label", "First"}, {"Other", "Other"}, {"Label", "Second"}},
     {{"First", Number(1)}, {"Second", Number(2)}}, "Label", {}, 2, 1},
    {"a last record without a driver is not rescued by an earlier one",
     {{"Label", "First"}, {"Label", nullptr}, {nullptr, "Second"}}, {{"First", Number(1)}}, "Label", {}, 0, 0},
    {"a key path of 259 characters", {{"Fits", kFits.c_str()}}, {{kFits, Number(7)}}, "Fits", {}, 7, 1},
    {"a key path of 260 characters", {{"Path", kPathTooLong.c_str()}}, {{kPathTooLong, Number(8)}}, "Path", {}, 0, 0},
    {"a driver name over 259 characters", {{"Buffer", kBufferTooLong.c_str()}}, {{kBufferTooLong, Number(9)}},
     "Buffer", {}, 0, 0},
    {"the caller's company", kLabel,
     {{"SOFTWARE\\Acme, Inc.\\Skorvin\\Driver\\3.0\\Skorvin LX", Number(3)}, {"Skorvin LX", Number(4)}},
     "Label", "Acme, Inc.", 3, 1},
    {"the maker named by the caller", kLabel, {{"Skorvin LX", Number(4)}}, "Label", "Quorbel Industries, Ltd.", 4, 1},
    {"a company without the driver", kLabel, {{"Skorvin LX", Number(4)}}, "Label", "Nobody", 0, 1},
    {"a company name is no format", kLabel, {{"SOFTWARE\\Acme %s %n\\Skorvin\\Driver\\3.0\\Skorvin LX", Number(6)}},
     "Label", "Acme %s %n", 6, 1},
    {"a company that makes the path too long", kLabel, {}, "Label", kLongCompany.c_str(), 0, 0},
};
// clang-format on

TEST(SupportCheckTest, AnswersTheDriversTransferUiNumberOrZero) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    testing::FakeSpooler spooler;
    testing::FakeRegistry registry;
    spooler.printers = c.printers;
    for (const auto& [key, bytes] : c.registrations) {
      const std::string path = key.rfind("SOFTWARE\\", 0) == 0 ? key : kMakerBranch + key;
      registry.keys[path]["Info Dll"] = {'x', 0};
      if (bytes) {
        registry.keys[path]["TransferUI"] = *bytes;
      }
    }
    SupportCheck check(spooler, registry);
    const uint32_t answer = c.company ? check.CheckSupportPrinter2(c.printer, *c.company)
                                      : check.CheckSupportPrinter(c.printer);
    EXPECT_EQ(c.expected, answer);
    EXPECT_EQ(c.keysOpened < 0 ? 0 : c.keysOpened, static_cast<int>(registry.keysOpened.size()));
    EXPECT_EQ(c.keysOpened < 0 ? std::vector<uint32_t>{} : std::vector<uint32_t>{0x02},
              spooler.enumerationFlags);
    EXPECT_EQ(0, registry.openKeys) << "a key was left open";
  }
}

TEST(SupportCheckTest, AFailingPrinterListAnswersZeroWithoutTouchingTheRegistry) {
  testing::FakeSpooler spooler;
  testing::FakeRegistry registry;
  spooler.printers = kLabel;
  spooler.fails = true;
  registry.keys[kMakerBranch + "Skorvin LX"]["TransferUI"] = Number(1);
  EXPECT_EQ(0u, SupportCheck(spooler, registry).CheckSupportPrinter("Label"));
  EXPECT_TRUE(registry.keysOpened.empty());
}

}  // namespace
}  // namespace ostrand
