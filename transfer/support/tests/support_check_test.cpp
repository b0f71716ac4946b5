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

struct FakePrinter {
  const char* printerName;
  const char* driverName;
};

class FakeSpooler : public platform::PrinterSpooler {
 public:
  std::vector<FakePrinter> printers;
  std::vector<uint32_t> listFlags;

  bool ForEachPrinter(uint32_t flags, platform::PrinterVisitor& visitor) override {
    listFlags.push_back(flags);
    for (const FakePrinter& printer : printers) {
      visitor.Visit({nullptr, printer.printerName, printer.driverName, nullptr, 0});
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

// Keys by full path; a value longer than the capacity fails, as the seam says.
class FakeRegistry : public platform::MachineRegistry {
 public:
  std::map<std::string, std::map<std::string, Bytes>> keys;
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
    const auto& values = *static_cast<std::map<std::string, Bytes>*>(key);
    auto found = values.find(valueName);
    if (found == values.end() || found->second.size() > capacity) {
      return false;
    }
    std::copy(found->second.begin(), found->second.end(), static_cast<unsigned char*>(buffer));
    *size = static_cast<uint32_t>(found->second.size());
    return true;
  }
};

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
  int keysAsked;  // -1: not even the spooler is asked
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
    FakeSpooler spooler;
    FakeRegistry registry;
    spooler.printers = c.printers;
    for (const auto& [key, bytes] : c.registrations) {
      auto& values = registry.keys[key.rfind("SOFTWARE\\", 0) == 0 ? key : kMakerBranch + key];
      values["Info Dll"] = {'x', 0};
      if (bytes) {
        values["TransferUI"] = *bytes;
      }
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
