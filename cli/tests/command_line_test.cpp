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

TEST(CommandLineTest, ReadsEachCommandWithItsOperands) {
  CommandLine line;
  std::string error;
  ASSERT_TRUE(Parse({"status", "Desk Printer"}, &line, &error)) << error;
  EXPECT_EQ(line.command, Command::kStatus);
  EXPECT_EQ(line.printer, "Desk Printer");
  EXPECT_EQ(line.timeoutMs, 0u);
  EXPECT_FALSE(line.quiet);

  // Options anywhere; the largest time-out.
  ASSERT_TRUE(Parse({"--quiet", "send", "P", "pkg.kx7", "--timeout", "2147483647"}, &line, &error));
  EXPECT_EQ(line.command, Command::kSend);
  EXPECT_EQ(line.package, "pkg.kx7");
  EXPECT_TRUE(line.quiet);
  EXPECT_EQ(line.timeoutMs, 2147483647u);

  ASSERT_TRUE(Parse({"receive", "P", "2", "out.kx7"}, &line, &error));
  EXPECT_EQ(line.command, Command::kReceive);
  EXPECT_EQ(line.entry, "2");
  EXPECT_EQ(line.output, "out.kx7");

  ASSERT_TRUE(Parse({"delete", "P", "pkg.kx7"}, &line, &error));
  EXPECT_EQ(line.command, Command::kDelete);
  EXPECT_EQ(line.entry, "pkg.kx7");
  const std::string longest(259, 'n');
  ASSERT_TRUE(Parse({"list", longest.c_str()}, &line, &error));
  EXPECT_EQ(line.command, Command::kList);
  EXPECT_EQ(line.printer, longest);
  ASSERT_TRUE(Parse({"list", "--help"}, &line, &error));
  EXPECT_EQ(line.command, Command::kHelp);
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
