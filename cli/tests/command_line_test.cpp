// The command line: every command's shape, options anywhere, and the mistakes.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "cli/command_line.h"
#include "cli/result_messages.h"

namespace cli {
namespace {

bool Parse(std::vector<const char*> args, CommandLine* line, std::string* error) {
  args.insert(args.begin(), "ostrandcli");
  return ParseCommandLine(static_cast<int>(args.size()), args.data(), line, error);
}

// Each field of the line, in order, so one row shows everything parsed.
std::string Fields(const CommandLine& l) {
  return std::to_string(static_cast<int>(l.command)) + "|" + l.printer + "|" + l.package + "|" +
         l.entry + "|" + l.output + "|" + std::to_string(l.timeoutMs) + (l.quiet ? "|q" : "|");
}

TEST(CommandLineTest, ReadsEachCommandWithItsOperands) {
  const std::string longest(259, 'n');
  struct Case {
    std::vector<const char*> args;
    CommandLine want;
  };
  const Case cases[] = {
      {{"status", "Desk Printer"}, {Command::kStatus, "Desk Printer", "", "", "", 0, false}},
      // Options anywhere; the largest time-out.
      {{"--quiet", "send", "P", "pkg.kx7", "--timeout", "2147483647"},
       {Command::kSend, "P", "pkg.kx7", "", "", 2147483647u, true}},
      {{"receive", "P", "2", "out.kx7"}, {Command::kReceive, "P", "", "2", "out.kx7", 0, false}},
      {{"delete", "P", "pkg.kx7"}, {Command::kDelete, "P", "", "pkg.kx7", "", 0, false}},
      {{"list", longest.c_str()}, {Command::kList, longest, "", "", "", 0, false}},
      {{"list", "--help"}, {Command::kHelp, "", "", "", "", 0, false}},
  };
  for (const Case& c : cases) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse(c.args, &line, &error)) << error;
    EXPECT_EQ(Fields(line), Fields(c.want));
  }
}

TEST(CommandLineTest, RejectsWhatIsNotACommand) {
  const std::string longName(260, 'n');
  struct Case {
    std::vector<const char*> args;
    const char* error;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"print", "P"}, "unknown command 'print'"},
      {{"send", "P"}, "'send' takes the printer name and 1 more argument"},
      {{"receive", "P", "1"}, "'receive' takes the printer name and 2 more arguments"},
      {{"list", "P", "extra"}, "'list' takes the printer name and 0 more arguments"},
      {{"status", "P", "--timeout"}, "--timeout needs a number"},
      {{"status", "P", "--timeout", "0"}, "--timeout needs a number"},
      {{"status", "P", "--timeout", "2147483648"}, "--timeout needs a number"},
      {{"status", "P", "--timeout", "12x"}, "--timeout needs a number"},
      {{"status", "P", "--verbose"}, "unknown option --verbose"},
      {{"status", ""}, "a printer name has 1 to 259 characters"},
      {{"status", longName.c_str()}, "a printer name has 1 to 259 characters"},
  };
  for (const Case& c : cases) {
    CommandLine line;
    std::string error;
    EXPECT_FALSE(Parse(c.args, &line, &error));
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
}

TEST(ResultMessagesTest, EveryCodeHasAMessageOfItsOwn) {
  std::set<std::string> seen;
  for (int32_t code = 0; code <= 9; ++code) {
    EXPECT_TRUE(seen.insert(ResultMessage(code)).second) << code;
  }
  EXPECT_STREQ(ResultMessage(-1), ResultMessage(9)) << "unknown codes share one message";
}

}  // namespace
}  // namespace cli
