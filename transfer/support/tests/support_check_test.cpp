// The supported-printer check over an in-memory spooler and registry. The
// check only lists printers and reads values; the fakes answer nothing else.
#include "transfer/support/support_check.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace ostrand {
namespace {

using Bytes = std::vector<unsigned char>;

using FakePrinter = std::pair<const char*, const char*>;  // printer name, driver name

class FakeSpooler : public platform::PrinterSpooler {
 public:
  std::vector<FakePrinter> printers;
  std::vector<uint32_t> listFlags;

  bool ForEachPrinter(uint32_t flags, platform::PrinterVisitor& visitor) override {
    listFlags.push_back(flags);
    for (const auto& [printer, driver] : printers) {
      visitor.Visit({nullptr, printer, driver, nullptr, 0});
    }
    return !printers.empty();
  }
  bool SamePrinterName(const char* a, const char* b) override { return std::strcmp(a, b) == 0; }
  Printer OpenPrinter(const char*) override { return nullptr; }
  void ClosePrinter(Printer) override {}
  bool GetPrinter(Printer, platform::PrinterVisitor&) override { return false; }
  int32_t DocumentProperties(Printer, const char*, void*, const void*, uint32_t) override {
    return -1;
  }
  int32_t DeviceCapabilities(const char*, const char*, uint16_t, void*, const void*) override {
    return -1;
  }
};

// Keys by full path, each with its "TransferUI" bytes or none; a value longer
// than the capacity fails, as the seam says.
class FakeRegistry : public platform::MachineRegistry {
 public:
  std::map<std::string, std::optional<Bytes>> keys;
  int keysAsked = 0;
  int openKeys = 0;

  Key OpenKey(const char* path) override {
    ++keysAsked;
    auto found = keys.find(path);
    openKeys += found != keys.end();
    return found == keys.end() ? nullptr : &found->second;
  }
  void CloseKey(Key) override { --openKeys; }
  bool EnumerateSubkey(Key, uint32_t, char*, uint32_t) override { return false; }
  bool QueryValue(Key key, const char* valueName, void* buffer, uint32_t capacity,
                  uint32_t* size) override {
    const auto& value = *static_cast<std::optional<Bytes>*>(key);
    if (std::string(valueName) != "TransferUI" || !value || value->size() > capacity) {
      return false;
    }
    std::copy(value->begin(), value->end(), static_cast<unsigned char*>(buffer));
    *size = static_cast<uint32_t>(value->size());
    return true;
  }
};

const std::string kMakerBranch = "SOFTWARE\\Quorbel Industries, Ltd.\\Skorvin\\Driver\\3.0\\";
const std::string kFits(259 - kMakerBranch.size(), 'd');  // a key path of 259 characters
const std::string kPathTooLong = kFits + "d";
const std::string kBufferTooLong(400, 'e');
const std::string kLongCompany(250, 'c');

struct Case {
  const char* what;
  std::vector<FakePrinter> printers;
  // Driver key path (below the maker's branch unless it starts with SOFTWARE)
  // and its "TransferUI" bytes; none: a key without the value.
  std::vector<std::pair<std::string, std::optional<Bytes>>> registrations;
  const char* printer;
  std::optional<const char*> company;  // none: the first form, the maker's branch
  uint32_t expected;
  int keysAsked;  // -1: not even the spooler is asked
};

const std::vector<FakePrinter> kLabel = {{"Office", "Generic"}, {"Label", "Skorvin LX"}};

// clang-format off
const Case kCases[] = {
    {"the driver's number", kLabel, {{"Skorvin LX", Bytes{0x78, 0x56, 0x34, 0x12}}}, "Label", {}, 0x12345678, 1},
    {"no driver key", kLabel, {}, "Label", {}, 0, 1},
    {"a key without the value", kLabel, {{"Skorvin LX", std::nullopt}}, "Label", {}, 0, 1},
    {"a 3-byte value", kLabel, {{"Skorvin LX", Bytes{1, 0, 0}}}, "Label", {}, 0, 1},
    {"an 8-byte value", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0, 0, 0, 0, 0}}}, "Label", {}, 0, 1},
    {"an unknown printer", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0}}}, "Other", {}, 0, 0},
    {"no printers", {}, {{"Skorvin LX", Bytes{1, 0, 0, 0}}}, "Label", {}, 0, 0},
    {"a null printer name", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0}}}, nullptr, {}, 0, -1},
    {"a null company", kLabel, {{"Skorvin LX", Bytes{1, 0, 0, 0}}}, "Label", nullptr, 0, -1},
    {"the last record of the name decides", {{"Label", "First"}, {"Other", "Other"}, {"Label", "Second"}},
     {{"First", Bytes{1, 0, 0, 0}}, {"Second", Bytes{2, 0, 0, 0}}}, "Label", {}, 2, 1},
    {"a last record without a driver is not rescued by an earlier one",
     {{"Label", "First"}, {"Label", nullptr}, {nullptr, "Second"}}, {{"First", Bytes{1, 0, 0, 0}}}, "Label", {}, 0, 0},
    {"a key path of 259 characters", {{"Fits", kFits.c_str()}}, {{kFits, Bytes{7, 0, 0, 0}}}, "Fits", {}, 7, 1},
    {"a key path of 260 characters", {{"Path", kPathTooLong.c_str()}}, {{kPathTooLong, Bytes{8, 0, 0, 0}}}, "Path", {}, 0, 0},
    {"a driver name over 259 characters", {{"Buffer", kBufferTooLong.c_str()}}, {{kBufferTooLong, Bytes{9, 0, 0, 0}}},
     "Buffer", {}, 0, 0},
    {"the caller's company", kLabel,
     {{"SOFTWARE\\Acme, Inc.\\Skorvin\\Driver\\3.0\\Skorvin LX", Bytes{3, 0, 0, 0}}, {"Skorvin LX", Bytes{4, 0, 0, 0}}},
     "Label", "Acme, Inc.", 3, 1},
    {"a company name is no format", kLabel, {{"SOFTWARE\\Acme %s %n\\Skorvin\\Driver\\3.0\\Skorvin LX", Bytes{6, 0, 0, 0}}},
     "Label", "Acme %s %n", 6, 1},
    {"a company that makes the path too long", kLabel, {}, "Label", kLongCompany.c_str(), 0, 0},
};
// clang-format on

TEST(SupportCheckTest, AnswersTheDriversTransferUiNumberOrZero) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    FakeSpooler spooler;
    FakeRegistry registry;
    spooler.printers = c.printers;
    for (const auto& [key, bytes] : c.registrations) {
      registry.keys[key.rfind("SOFTWARE\\", 0) == 0 ? key : kMakerBranch + key] = bytes;
    }
    SupportCheck check(spooler, registry);
    EXPECT_EQ(c.expected, c.company ? check.CheckSupportPrinter2(c.printer, *c.company)
                                    : check.CheckSupportPrinter(c.printer));
    EXPECT_EQ(c.keysAsked < 0 ? 0 : c.keysAsked, registry.keysAsked);
    EXPECT_EQ(c.keysAsked < 0 ? std::vector<uint32_t>{} : std::vector<uint32_t>{0x02},
              spooler.listFlags);
    EXPECT_EQ(0, registry.openKeys) << "a key was left open";
  }
}

}  // namespace
}  // namespace ostrand
