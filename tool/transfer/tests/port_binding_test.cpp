// Binding hobrel.dll by name and the mode command written through it.
#include "tool/transfer/port_binding.h"

#include <gtest/gtest.h>

#include "fake_libraries.h"

namespace vexlow::testing {
namespace {

// Load, then SKWriteFile, then SKReadFile; the first step that fails ends the
// binding (a loaded library stays until unbound or bound again), and a half
// binding writes nothing. The mode command is ESC "i" "a" 1 to the printer,
// its name in a zero-padded 256-byte buffer; only a zero answer fails it.
TEST(PortBindingTest, BindsWriteThenReadAndSendsTheModeCommand) {
  struct Case {
    bool provided;
    std::string missing;
    std::vector<std::string> lookups;
    bool bound;
    int32_t writeAnswer;
  };
  const std::vector<std::string> both = {"SKWriteFile", "SKReadFile"};
  const Case cases[] = {
      {false, "", {}, false, 1},
      {true, "SKWriteFile", {"SKWriteFile"}, false, 1},
      {true, "SKReadFile", both, false, 1},
      {true, "", both, true, 1},
      {true, "", both, true, -1},
      {true, "", both, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missing + " " + std::to_string(c.writeAnswer));
    ResetFakes();
    Hobrel().writeAnswer = c.writeAnswer;
    FakeLibraryLoader loader;
    if (c.provided) {
      loader.Provide("hobrel.dll", HobrelExports(c.missing));
    }
    PortBinding port(loader);
    EXPECT_EQ(port.BindPortLibrary(), c.bound);
    EXPECT_EQ(port.IsBound(), c.bound);
    EXPECT_EQ(loader.Loads(), std::vector<std::string>{"hobrel.dll"});
    EXPECT_EQ(loader.Lookups(), c.lookups);
    EXPECT_EQ(port.SendModeCommand("Label Printer 9"), c.bound && c.writeAnswer != 0);
    EXPECT_EQ(Calls(), c.bound ? CallLog{"SKWriteFile(Label Printer 9, 256 bytes, 0, 1B 69 61 01, "
                                         "10000)"}
                               : CallLog{});
    port.BindPortLibrary();
    EXPECT_EQ(loader.LoadedCount(), c.provided ? 1 : 0);
    port.UnbindPortLibrary();
    port.UnbindPortLibrary();
    EXPECT_EQ(loader.LoadedCount(), 0);
    EXPECT_FALSE(port.SendModeCommand("P-1"));
  }
}

}  // namespace
}  // namespace vexlow::testing
