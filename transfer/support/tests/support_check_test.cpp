// The supported-printer check over the shared spooler and registry fakes. The
// check only lists printers and reads values.
#include "transfer/support/support_check.h"

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/testing/fake_registry.h"
#include "platform/testing/fake_spooler.h"

namespace ostrand {
namespace {

using Bytes = std::vector<uint8_t>;
using Printers = std::vector<std::pair<std::string, std::string>>;  // name, driver

const std::string kMakerBranch = "SOFTWARE\\Quorbel Industries, Ltd.\\Skorvin\\Driver\\3.0\\";
const std::string kFits(259 - kMakerBranch.size(), 'd');  // a key path of 259 characters
const std::string kPathTooLong = kFits + "d";
const std::string kBufferTooLong(260, 'e');  // no room for its terminating zero
const std::string kLongCompany(250, 'c');
const Printers kLabel = {{"Office", "Generic"}, {"Label", "Skorvin LX"}};

struct Case {
  const char* what;
  Printers printers;
  // Driver key path (below the maker's branch unless it starts with SOFTWARE)
  // and its "TransferUI" bytes; none: a key without the value.
  std::vector<std::pair<std::string, std::optional<Bytes>>> registrations;
  const char* printer;
  std::optional<const char*> company;  // none: the first form, the maker's branch
  uint32_t expected;
  bool listed = true;  // whether the spooler is asked at all
};

// clang-format off
const Case kCases[] = {
    {"the driver's number", kLabel, {{"Skorvin LX", Bytes{0x78, 0x56, 0x34, 0x12}}}, "Label", {}, 0x12345678},
    {"no driver key", kLabel, {}, "Label", {}, 0},
    {"a key without the value", kLabel, {{"Skorvin LX", std::nullopt}}, "Label", {}, 0},
    {"a 3-byte value", kLabel, {{"Skorvin LX", Bytes{1, 0, 0}}}, "Label", {}, 0},
    {"an 8-byte value", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0, 0, 0, 0, 0}}}, "Label", {}, 0},
    {"an unknown printer", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0}}}, "Other", {}, 0},
    {"no printers", {}, {{"Skorvin LX", Bytes{1, 0, 0, 0}}}, "Label", {}, 0},
    {"a null printer name", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0}}}, nullptr, {}, 0, false},
    {"a null company", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0}}}, "Label", nullptr, 0, false},
    {"the last record of the name decides", {{"Label", "First"}, {"Other", "Other"}, {"Label", "Second"}},
     {{"First", Bytes{1, 0, 0, 0}}, {"Second", Bytes{2, 0, 0, 0}}}, "Label", {}, 2},
    {"a last record with an unusable driver is not rescued by an earlier one",
     {{"Label", "First"}, {"Label", kBufferTooLong}}, {{"First", Bytes{1, 0, 0, 0}}}, "Label", {}, 0},
    {"a key path of 259 characters", {{"Fits", kFits}}, {{kFits, Bytes{7, 0, 0, 0}}}, "Fits", {}, 7},
    // Read neither whole, nor cut to 259 characters, nor without the driver's name.
    {"a key path of 260 characters", {{"Path", kPathTooLong}},
     {{kPathTooLong, Bytes{8, 0, 0, 0}}, {kFits, Bytes{8, 0, 0, 0}}, {"", Bytes{8, 0, 0, 0}}}, "Path", {}, 0},
    {"a driver name of 260 characters", {{"Buffer", kBufferTooLong}}, {{kBufferTooLong, Bytes{9, 0, 0, 0}}},
     "Buffer", {}, 0},
    {"the caller's company", kLabel,
     {{"SOFTWARE\\Acme, Inc.\\Skorvin\\Driver\\3.0\\Skorvin LX", Bytes{3, 0, 0, 0}}, {"Skorvin LX", Bytes{4, 0, 0, 0}}},
     "Label", "Acme, Inc.", 3},
    {"a company name is no format", kLabel, {{"SOFTWARE\\Acme %s %n\\Skorvin\\Driver\\3.0\\Skorvin LX", Bytes{6, 0, 0, 0}}},
     "Label", "Acme %s %n", 6},
    {"a company that makes the path too long", kLabel, {}, "Label", kLongCompany.c_str(), 0},
};
// clang-format on

TEST(SupportCheckTest, AnswersTheDriversTransferUiNumberOrZero) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    platform::testing::FakeSpooler spooler;
    platform::testing::FakeRegistry registry;
    for (const auto& [name, driver] : c.printers) {
      spooler.printers.emplace_back().name = name;
      spooler.printers.back().driver = driver;
    }
    for (const auto& [key, bytes] : c.registrations) {
      const std::string path = key.rfind("SOFTWARE\\", 0) == 0 ? key : kMakerBranch + key;
      registry.subkeys[path];
      if (bytes) {
        registry.values[path]["TransferUI"] = *bytes;
      }
    }
    SupportCheck check(spooler, registry);
    EXPECT_EQ(c.expected, c.company ? check.CheckSupportPrinter2(c.printer, *c.company)
                                    : check.CheckSupportPrinter(c.printer));
    EXPECT_EQ(c.listed ? std::vector<uint32_t>{0x02} : std::vector<uint32_t>{}, spooler.listFlags);
    EXPECT_EQ(0, registry.openKeys) << "a key was left open";
  }
}

}  // namespace
}  // namespace ostrand
