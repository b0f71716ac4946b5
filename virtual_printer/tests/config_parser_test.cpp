// The configuration file, which decides the faults a printer injects: every
// key, and that a mistake is named with its line instead of being skipped.
#include <gtest/gtest.h>

#include "virtual_printer/core/config_parser.h"

namespace vp {
namespace {

TEST(ConfigParserTest, ReadsEveryKey) {
  const char* text =
      "; a printer for the fault tests\n"
      "[Printer]   ; comments may follow a blank\n"
      "name = Desk Printer\t; the first name replaces the default\n"
      "name = Back;Office\n"
      "model = 0x1A2B ; hexadecimal\n"
      "status_accept_count = 65536\n"
      "accept_count = 150\r\n"
      "capacity = 1000000\n"
      "state_dir = /tmp/vp state\n"
      "trace = /tmp/vp.trace\n"
      "trace_times = yes\n"
      "\n"
      "[faults]\n"
      "# one line per fault\n"
      "reject_request = 3\n"
      "break_link_after = 1000\n"
      "late_status = 2500 data\n"
      "short_status = 16\n"
      "refuse_begin_transfer = yes\n"
      "slow_link = 10 250\n"
      "wrong_model = 0x7777\n"
      "wrong_magic = yes\n";
  PrinterConfig c;
  std::string error;
  ASSERT_TRUE(ParsePrinterConfig(text, &c, &error)) << error;
  EXPECT_EQ(c.names, (std::vector<std::string>{"Desk Printer", "Back;Office"}));
  EXPECT_FALSE(c.AnswersTo(kDefaultPrinterName)) << "configured names replace the default";
  EXPECT_EQ(c.modelId, 0x1A2B);
  EXPECT_EQ(c.statusAcceptCount, 65536u);
  EXPECT_EQ(c.acceptCount, 150u);
  EXPECT_EQ(c.capacityBytes, 1000000u);
  EXPECT_EQ(c.stateDir, "/tmp/vp state");
  EXPECT_EQ(c.tracePath, "/tmp/vp.trace");
  EXPECT_TRUE(c.traceTimes);
  EXPECT_EQ(c.faults.rejectRequest, 3u);
  EXPECT_EQ(c.faults.breakLinkAfterBytes, 1000u);
  EXPECT_EQ(c.faults.lateStatusMs, 2500u);
  EXPECT_EQ(c.faults.lateStatusScope, StatusScope::kDataOnly);
  EXPECT_EQ(c.faults.shortStatusBytes, 16);
  EXPECT_EQ(c.faults.shortStatusScope, StatusScope::kAll);
  EXPECT_TRUE(c.faults.refuseBeginTransfer);
  EXPECT_EQ(c.faults.slowLinkUsPerByte, 10u);
  EXPECT_EQ(c.faults.slowLinkUsPerCall, 250u);
  EXPECT_TRUE(c.faults.wrongModel);
  EXPECT_EQ(c.faults.wrongModelId, 0x7777);
  EXPECT_TRUE(c.faults.wrongMagic);
}

TEST(ConfigParserTest, AMistakeOrAMissingFileIsNamed) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"model = 1\n", "line 1: 'model' stands before any section"},
      {"[printer]\nmodel = 0x10000\n", "line 2: model must be a number from 0 to 0xFFFF"},
      {"[printer]\ncolour = red\n", "line 2: unknown key 'colour' in [printer]"},
      {"[faults]\nreject_request = -1\n",
       "line 2: reject_request must be a request number of at least 1"},
      {"[faults]\nlate_status = 10 sometimes\n", "line 2: late_status must read"},
      {"[faults]\nbreak_link = 10\n", "line 2: unknown fault 'break_link'"},
      {"[printer]\njust words\n", "line 2: expected 'key = value'"},
  };
  for (const Case& c : cases) {
    PrinterConfig config;
    std::string error;
    EXPECT_FALSE(ParsePrinterConfig(c.text, &config, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << " gave: " << error;
  }
  PrinterConfig config;
  std::string error;
  EXPECT_FALSE(LoadPrinterConfigFile("/nonexistent/vp.ini", &config, &error));
  EXPECT_NE(error.find("/nonexistent/vp.ini"), std::string::npos);
}

}  // namespace
}  // namespace vp
