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
         l.entry + "|" + l.output + "|" + l.driver + "|" + std::to_string(l.timeoutMs) + "|" +
         (l.quiet ? "q" : "") + (l.json ? "j" : "") + (l.verify ? "v" : "") + (l.dryRun ? "d" : "");
}

TEST(CommandLineTest, ReadsEachCommandWithItsOperands) {
  const std::string longest(259, 'n');
  struct Case {
    std::vector<const char*> args;
    CommandLine want;
  };
  const auto want = [](Command command, std::string printer, std::string package = "",
                       std::string entry = "", std::string output = "") {
    CommandLine line;
    line.command = command;
    line.printer = std::move(printer);
    line.package = std::move(package);
    line.entry = std::move(entry);
    line.output = std::move(output);
    return line;
  };
  CommandLine sendWithOptions = want(Command::kSend, "P", "pkg.kx7");
  sendWithOptions.timeoutMs = 2147483647u;
  sendWithOptions.quiet = sendWithOptions.json = sendWithOptions.verify = true;
  CommandLine dryRun = want(Command::kUpdate, "");
  dryRun.driver = "Quorbel ZN-418";
  dryRun.dryRun = true;
  const Case cases[] = {
      {{"status", "Desk Printer"}, want(Command::kStatus, "Desk Printer")},
      // Options anywhere; the largest time-out.
      {{"--quiet", "send", "--json", "P", "pkg.kx7", "--timeout", "2147483647", "--verify"},
       sendWithOptions},
      {{"receive", "P", "2", "out.kx7"}, want(Command::kReceive, "P", "", "2", "out.kx7")},
      {{"delete", "P", "pkg.kx7"}, want(Command::kDelete, "P", "", "pkg.kx7")},
      {{"list", longest.c_str()}, want(Command::kList, longest)},
      {{"printers"}, want(Command::kPrinters, "")},
      {{"update", "--dry-run", "--driver", "Quorbel ZN-418"}, dryRun},
      {{"update", "P", "pkg.kx7"}, want(Command::kUpdate, "P", "pkg.kx7")},
      {{"list", "--help"}, want(Command::kHelp, "")},
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
      {{"update", "P", "pkg.kx7", "extra"}, "'update' takes at most 2 arguments"},
      {{"printers", "P"}, "'printers' takes at most 0 arguments"},
      {{"send", "P", "pkg.kx7", "--dry-run"}, "--dry-run does not go with 'send'"},
      {{"list", "P", "--verify"}, "--verify does not go with 'list'"},
      {{"status", "P", "--driver", "D"}, "--driver does not go with 'status'"},
      {{"printers", "--driver"}, "--driver needs a driver name"},
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
