// Binding hobrel.dll by name and the mode command written through it.
#include <gtest/gtest.h>

#include "fake_libraries.h"
#include "platform/testing/fake_library_loader.h"
#include "tool/transfer/port_binding.h"

namespace vexlow::testing {
namespace {

class PortBindingTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetFakes(); }
  FakeLibraryLoader loader_;
};

TEST_F(PortBindingTest, LoadsHobrelAndResolvesWriteThenRead) {
  loader_.Provide("hobrel.dll", HobrelExports());
  PortBinding port(loader_);
  EXPECT_FALSE(port.IsBound());
  ASSERT_TRUE(port.BindPortLibrary());
  EXPECT_TRUE(port.IsBound());
  EXPECT_EQ(loader_.Loads(), std::vector<std::string>{"hobrel.dll"});
  EXPECT_EQ(loader_.Lookups(), (std::vector<std::string>{"SKWriteFile", "SKReadFile"}));
}

TEST_F(PortBindingTest, StopsAtTheFirstMissingStepAndKeepsTheLibraryLoaded) {
  {
    PortBinding port(loader_);
    EXPECT_FALSE(port.BindPortLibrary());
    EXPECT_TRUE(loader_.Lookups().empty());
  }
  for (const std::string missing : {"SKWriteFile", "SKReadFile"}) {
    SCOPED_TRACE(missing);
    FakeLibraryLoader loader;
    loader.Provide("hobrel.dll", HobrelExports(missing));
    PortBinding port(loader);
    EXPECT_FALSE(port.BindPortLibrary());
    EXPECT_EQ(loader.Lookups().back(), missing);
    EXPECT_EQ(loader.LoadedCount(), 1);
    EXPECT_FALSE(port.SendModeCommand("P-1"));
    EXPECT_EQ(Hobrel().writeCalls, 0);
    port.UnbindPortLibrary();
    EXPECT_EQ(loader.LoadedCount(), 0);
  }
}

TEST_F(PortBindingTest, ModeCommandWritesEscIA1WithTenSeconds) {
  loader_.Provide("hobrel.dll", HobrelExports());
  PortBinding port(loader_);
  ASSERT_TRUE(port.BindPortLibrary());
  EXPECT_TRUE(port.SendModeCommand("Label Printer 9"));
  EXPECT_EQ(Hobrel().writeCalls, 1);
  EXPECT_EQ(Hobrel().nameBuffer, std::string("Label Printer 9").append(241, '\0'));
  EXPECT_EQ(Hobrel().reserved, 0u);
  EXPECT_EQ(Hobrel().bytes, (std::vector<uint8_t>{0x1B, 0x69, 0x61, 0x01}));
  EXPECT_EQ(Hobrel().count, 4u);
  EXPECT_TRUE(Hobrel().hadWrittenCount);
  EXPECT_EQ(Hobrel().timeoutMs, 10000u);
}

TEST_F(PortBindingTest, ModeCommandFollowsTheLibrarysAnswerOnly) {
  loader_.Provide("hobrel.dll", HobrelExports());
  PortBinding port(loader_);
  ASSERT_TRUE(port.BindPortLibrary());
  Hobrel().writeAnswer = 0;
  EXPECT_FALSE(port.SendModeCommand("P-1"));
  Hobrel().writeAnswer = -1;  // any nonzero answer is success
  EXPECT_TRUE(port.SendModeCommand("P-1"));
}

TEST_F(PortBindingTest, UnbindFreesOnceAndLeavesNothingToCall) {
  loader_.Provide("hobrel.dll", HobrelExports());
  {
    PortBinding port(loader_);
    ASSERT_TRUE(port.BindPortLibrary());
    port.UnbindPortLibrary();
    port.UnbindPortLibrary();
    EXPECT_EQ(loader_.FreeCount(), 1);
    EXPECT_FALSE(port.IsBound());
    EXPECT_FALSE(port.SendModeCommand("P-1"));
    EXPECT_EQ(Hobrel().writeCalls, 0);
    ASSERT_TRUE(port.BindPortLibrary());
    ASSERT_TRUE(port.BindPortLibrary());  // binding again releases the earlier load
    EXPECT_EQ(loader_.LoadedCount(), 1);
  }
  EXPECT_EQ(loader_.LoadedCount(), 0);
}

}  // namespace
}  // namespace vexlow::testing
