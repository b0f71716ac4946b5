// Binding Ostrand by name: the eight entry points in their order, the first
// missing one ends the binding, and nothing is called once unbound.
#include <gtest/gtest.h>

#include "fake_libraries.h"
#include "platform/testing/fake_library_loader.h"
#include "tool/transfer/transfer_client.h"

namespace vexlow::testing {
namespace {

class TransferClientBinding : public ::testing::Test {
 protected:
  void SetUp() override { ResetFakes(); }
  FakeLibraryLoader loader_;
};

TEST_F(TransferClientBinding, LoadsOstrandAndResolvesTheEightNamesInOrder) {
  loader_.Provide("Ostrand.dll", OstrandExports());
  TransferClient client(loader_);
  client.SetCurrentTransferPrinter("left over");
  ASSERT_TRUE(client.BindTransferLibrary());
  EXPECT_EQ(loader_.Loads(), std::vector<std::string>{"Ostrand.dll"});
  EXPECT_EQ(loader_.Lookups(), BoundOstrandNames());  // TRCheckSupportPrinter2 is not bound
  EXPECT_EQ(client.CurrentTransferPrinter(), "");
  EXPECT_EQ(loader_.LoadedCount(), 1);
}

TEST_F(TransferClientBinding, StopsAtEachMissingNameAndKeepsTheLibraryLoaded) {
  const std::vector<std::string>& names = BoundOstrandNames();
  for (size_t missing = 0; missing < names.size(); ++missing) {
    SCOPED_TRACE(names[missing]);
    FakeLibraryLoader loader;
    loader.Provide("Ostrand.dll", OstrandExports(names[missing]));
    TransferClient client(loader);
    EXPECT_FALSE(client.BindTransferLibrary());
    const std::vector<std::string> upToMissing(names.begin(), names.begin() + missing + 1);
    EXPECT_EQ(loader.Lookups(), upToMissing);
    EXPECT_EQ(loader.LoadedCount(), 1);
    client.UnbindTransferLibrary();
    EXPECT_EQ(loader.LoadedCount(), 0);
  }
}

TEST_F(TransferClientBinding, KeepsTheAddressesFoundBeforeTheMissingName) {
  loader_.Provide("Ostrand.dll", OstrandExports("TRCmdInit"));
  TransferClient client(loader_);
  ASSERT_FALSE(client.BindTransferLibrary());
  EXPECT_TRUE(client.OpenTransferPrinter("P-1"));
  EXPECT_FALSE(client.InitPrinterCommand());
  EXPECT_EQ(client.LastTransferResult(), TR_NOT_OPEN);
  EXPECT_EQ(Ostrand().calls, std::vector<std::string>{"TRInitPrinter"});
}

TEST_F(TransferClientBinding, FailsWithoutTheLibrary) {
  TransferClient client(loader_);
  EXPECT_FALSE(client.BindTransferLibrary());
  EXPECT_EQ(loader_.Loads(), std::vector<std::string>{"Ostrand.dll"});
  EXPECT_TRUE(loader_.Lookups().empty());
  client.UnbindTransferLibrary();
  EXPECT_EQ(loader_.FreeCount(), 0);
}

TEST_F(TransferClientBinding, UnbindFreesOnceAndTheDestructorFreesWhatIsLeft) {
  loader_.Provide("Ostrand.dll", OstrandExports());
  {
    TransferClient client(loader_);
    ASSERT_TRUE(client.BindTransferLibrary());
    client.UnbindTransferLibrary();
    client.UnbindTransferLibrary();
    EXPECT_EQ(loader_.FreeCount(), 1);
    ASSERT_TRUE(client.BindTransferLibrary());
    ASSERT_TRUE(client.BindTransferLibrary());  // binding again releases the earlier load
    EXPECT_EQ(loader_.LoadedCount(), 1);
  }
  EXPECT_EQ(loader_.LoadedCount(), 0);
}

// Unbound, no wrapper may jump into a freed library: each fails with a code.
TEST_F(TransferClientBinding, WrappersFailWithoutCallingWhenUnbound) {
  loader_.Provide("Ostrand.dll", OstrandExports());
  TransferClient client(loader_);
  ASSERT_TRUE(client.BindTransferLibrary());
  client.UnbindTransferLibrary();

  EXPECT_FALSE(client.OpenTransferPrinter("P-1"));
  EXPECT_EQ(client.LastTransferResult(), TR_OPEN_FAILED);
  EXPECT_EQ(client.CurrentTransferPrinter(), "");
  EXPECT_FALSE(client.InitPrinterCommand());
  EXPECT_EQ(client.LastTransferResult(), TR_NOT_OPEN);
  client.SetLastTransferResult(TR_OK);
  EXPECT_FALSE(client.ReadPrinterStatus());
  EXPECT_EQ(client.LastTransferResult(), TR_NOT_OPEN);
  client.SetLastTransferResult(TR_OK);
  EXPECT_FALSE(client.CheckPrinterReady());
  EXPECT_EQ(client.LastTransferResult(), TR_NOT_OPEN);
  const uint8_t header[TR_HEADER_SIZE] = {};
  const uint32_t size = 1;
  EXPECT_EQ(client.SendFile(header, header, &size, nullptr), TR_NOT_OPEN);
  EXPECT_EQ(client.LastTransferResult(), TR_NOT_OPEN);
  EXPECT_TRUE(client.CheckPrinterSupport("P-1"));
  EXPECT_TRUE(Ostrand().calls.empty());
}

}  // namespace
}  // namespace vexlow::testing
