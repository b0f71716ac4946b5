// The console's own parts: the command line (every command's shape, options
// anywhere, the mistakes) and the progress bar.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "cli/command_line.h"
#include "cli/progress_bar.h"

namespace cli {
namespace {

bool Parse(std::vector<const char*> args, CommandLine* line, std::string* error) {
  args.insert(args.begin(), "ostrandcli");
  return ParseCommandLine(static_cast<int>(args.size()), args.data(), line, error);
}

// Each field of the line, in order, so one row shows everything parsed:
// command (its number), printer, package, entry, output, driver, time-out and
// the flags quiet, json, verify and dry run.
std::string Fields(const CommandLine& l) {
  return std::to_string(static_cast<int>(l.command)) + "|" + l.printer + "|" + l.package + "|" +
         l.entry + "|" + l.output + "|" + l.driver + "|" + std::to_string(l.timeoutMs) + "|" +
         (l.quiet ? "q" : "") + (l.json ? "j" : "") + (l.verify ? "v" : "") + (l.dryRun ? "d" : "");
}

TEST(CommandLineTest, ReadsEachCommandWithItsOperands) {
  const std::string longest(259, 'n');
  const struct {
    std::vector<const char*> args;
    std::string fields;
  } cases[] = {
      {{"status", "Desk Printer"}, "1|Desk Printer|||||0|"},
      // Options anywhere; the largest time-out.
      {{"--quiet", "send", "--json", "P", "pkg.kx7", "--timeout", "2147483647", "--verify"},
       "2|P|pkg.kx7||||2147483647|qjv"},
      {{"receive", "P", "2", "out.kx7"}, "3|P||2|out.kx7||0|"},
      {{"delete", "P", "pkg.kx7"}, "5|P||pkg.kx7|||0|"},
      {{"list", longest.c_str()}, "4|" + longest + "|||||0|"},
      {{"printers"}, "6||||||0|"},
      {{"update", "--dry-run", "--driver", "Quorbel ZN-418"}, "7|||||Quorbel ZN-418|0|d"},
      {{"update", "P", "pkg.kx7"}, "7|P|pkg.kx7||||0|"},
      {{"list", "--help"}, "0||||||0|"},
      {{"help"}, "0||||||0|"},
  };
  for (const auto& c : cases) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse(c.args, &line, &error)) << error;
    EXPECT_EQ(Fields(line), c.fields);
  }
}

TEST(CommandLineTest, RejectsWhatIsNotACommand) {
  const std::string longName(260, 'n');
  const struct {
    std::vector<const char*> args;
    const char* error;
  } cases[] = {
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
      {{"send", "P", "pkg.kx7", "--dry-run"}, "--dry-run does not go with 'send'"},
      {{"status", "P", "--driver", "D"}, "--driver does not go with 'status'"},
      {{"printers", "--driver"}, "--driver needs a driver name"},
  };
  for (const auto& c : cases) {
    CommandLine line;
    std::string error;
    EXPECT_FALSE(Parse(c.args, &line, &error));
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
}

// A console bar is redrawn in place only when what it shows changes, out of
// range values clamped, and its line ended once; a log gets a line at the
// start and at each further tenth.
TEST(ProgressBarTest, DrawsOnlyWhatChanged) {
  EXPECT_EQ(RenderProgressBar(42, 10), "[####------]  42%");
  EXPECT_EQ(RenderProgressBar(100, 10), "[##########] 100%");
  const struct {
    BarStyle style;
    std::vector<int32_t> updates, drawn;
  } cases[] = {
      {BarStyle::kRedrawn, {0, 0, -3, 50, 100, 120}, {0, 50, 100}},
      {BarStyle::kLogged, {0, 0, 4, 13, 19, 20, 99, 100, 100}, {0, 13, 20, 99, 100}},
  };
  for (const auto& c : cases) {
    const bool redrawn = c.style == BarStyle::kRedrawn;
    std::ostringstream out;
    ProgressBar bar(out, c.style);
    bar.Finish();
    EXPECT_EQ(out.str(), "") << "no bar, no line to end";
    for (int32_t percent : c.updates) {
      bar.Update(percent);
    }
    bar.Finish();
    std::string expected;
    for (int32_t percent : c.drawn) {
      expected += redrawn ? '\r' + RenderProgressBar(percent) : RenderProgressBar(percent) + '\n';
    }
    EXPECT_EQ(out.str(), redrawn ? expected + '\n' : expected);
  }
}

}  // namespace
}  // namespace cli
