// Binding hobrel.dll by name and the mode command written through it.
#include "tool/transfer/port_binding.h"

#include <gtest/gtest.h>

#include "fake_libraries.h"

namespace vexlow::testing {
namespace {

// Load, then SKWriteFile, then SKReadFile; the first step that fails ends the
// binding (a loaded library stays until unbound or bound again), and a half
// binding writes nothing.
TEST(PortBindingTest, BindsWriteThenReadUpToTheFirstMissingStep) {
  struct Case {
    bool provided;
    std::string missing;
    std::vector<std::string> lookups;
    bool bound;
  };
  const Case cases[] = {
      {false, "", {}, false},
      {true, "SKWriteFile", {"SKWriteFile"}, false},
      {true, "SKReadFile", {"SKWriteFile", "SKReadFile"}, false},
      {true, "", {"SKWriteFile", "SKReadFile"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.missing);
    ResetFakes();
    FakeLibraryLoader loader;
    if (c.provided) {
      loader.Provide("hobrel.dll", HobrelExports(c.missing));
    }
    PortBinding port(loader);
    EXPECT_EQ(port.BindPortLibrary(), c.bound);
    EXPECT_EQ(port.IsBound(), c.bound);
    EXPECT_EQ(loader.Loads(), std::vector<std::string>{"hobrel.dll"});
    EXPECT_EQ(loader.Lookups(), c.lookups);
    EXPECT_EQ(port.SendModeCommand("P-1"), c.bound);
    EXPECT_EQ(Calls().size(), c.bound ? 1u : 0u);
    port.BindPortLibrary();
    EXPECT_EQ(loader.LoadedCount(), c.provided ? 1 : 0);
    port.UnbindPortLibrary();
    port.UnbindPortLibrary();
    EXPECT_EQ(loader.LoadedCount(), 0);
    EXPECT_FALSE(port.SendModeCommand("P-1"));
  }
}

// ESC "i" "a" 1 to the printer, its name in a zero-padded 256-byte buffer;
// only a zero answer is a failure.
TEST(PortBindingTest, ModeCommandFollowsTheLibrarysAnswer) {
  for (int32_t answer : {1, -1, 0}) {
    BoundLibraries libraries;
    Hobrel().writeAnswer = answer;
    EXPECT_EQ(libraries.port.SendModeCommand("Label Printer 9"), answer != 0);
    EXPECT_EQ(Calls(), CallLog{"SKWriteFile(Label Printer 9, 256 bytes, 0, 1B 69 61 01, 10000)"});
  }
}

}  // namespace
}  // namespace vexlow::testing
