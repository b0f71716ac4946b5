// The package transfer worker against the fake Ostrand and package files on disk.
#include "tool/transfer/transfer_worker.h"

#include <gtest/gtest.h>

#include "fake_libraries.h"
#include "platform/testing/fake_message_boxes.h"
#include "virtual_printer/tests/packages.h"

namespace vexlow::testing {
namespace {

using platform::testing::FakeMessageBoxes;

constexpr uint16_t kModel = 0x0415;

int32_t OSTRAND_CALL GoOn(int32_t) {
  return 1;
}

// The printer opened as model kModel, with the given accept count.
struct Worker {
  explicit Worker(uint32_t acceptCount = 0) {
    client.SetCurrentModelId(kModel);
    Ostrand().statusReply = {0x81, 0x20, 0x42, kModel & 0xFF, kModel >> 8};
    for (int i = 0; i < 4; ++i) {
      Ostrand().statusReply[24 + i] = static_cast<uint8_t>(acceptCount >> (8 * i));
    }
    EXPECT_TRUE(client.CheckPrinterReady());
    Calls().clear();
  }
  int32_t Run(const PackageFileList& files) { return TransferWorker(files, context); }

  BoundLibraries libraries;
  TransferClient& client = libraries.client;
  TransferProgress progress;
  std::string caption = "Glinterra Update Tool";
  FakeMessageBoxes messages{Calls(), caption};
  WorkerContext context{client, progress, &GoOn, messages, "A printer ID error occurred."};
  vp_test::PackageFolder folder;
};

// What the progress record says while each package is sent.
struct DuringSend {
  uint32_t bytesDone, currentFileBytes;
  std::string currentFileName;
  bool cancelAllowed;
  bool operator==(const DuringSend&) const = default;
};

// Each package in order, its payload only; cancelling is offered only for a
// package smaller than the accept count the printer reported, without one never.
TEST(TransferWorkerTest, SendsEachPackageInOrderAndCountsTheBytesDone) {
  for (uint32_t acceptCount : {0u, 500u}) {
    SCOPED_TRACE(acceptCount);
    Worker worker(acceptCount);
    const PackageFileList files = {worker.folder.Write("first.kx7", kModel, 300, 300),
                                   // trailing bytes after the payload are not sent
                                   worker.folder.Write("second.v2.kx7", kModel, 500, 520)};
    std::vector<DuringSend> seen;
    std::vector<std::vector<uint8_t>> sent;
    Ostrand().transfer = [&](TRProgressCallback) {
      const TransferProgress& p = worker.progress;
      seen.push_back({p.bytesDone, p.currentFileBytes, p.currentFileName, p.cancelAllowed});
      sent.push_back(Ostrand().sentData);
      return TR_OK;
    };
    EXPECT_EQ(worker.Run(files), 0);
    EXPECT_EQ(worker.client.LastTransferResult(), TR_OK);
    const bool belowThreshold = acceptCount == 500;
    EXPECT_EQ(seen, (std::vector<DuringSend>{{0, 300, "first", belowThreshold},
                                             {300, 500, "second.v2", false}}));
    EXPECT_EQ(sent, (std::vector<std::vector<uint8_t>>{vp_test::MakePackage(kModel, 300).payload,
                                                       vp_test::MakePackage(kModel, 500).payload}));
    EXPECT_EQ(worker.progress.bytesDone, 800u);
    EXPECT_EQ(Calls(), (CallLog{"TRCmdInit(1000)", "TRSendFile(300 bytes, 500000)",
                                "TRSendFile(500 bytes, 500000)"}));
  }
}

// The first failure ends the run with its code; later packages are not tried.
TEST(TransferWorkerTest, StopsAtTheFirstFailureWithItsCode) {
  struct Case {
    std::string what;
    uint16_t model;
    uint32_t declaredSize, payloadBytes;
    int32_t cmdInit, send, lastResult;
    std::string after;  // what follows "TRCmdInit(1000)" in the log
  };
  const Case cases[] = {
      {"another model", 0x0416, 100, 100, TR_OK, TR_OK, TR_REJECTED,
       "message: A printer ID error occurred. [exclamation, OK]"},
      {"no payload", kModel, 0, 0, TR_OK, TR_OK, TR_READ_FAILED, ""},
      {"short file", kModel, 100, 99, TR_OK, TR_OK, TR_READ_FAILED, ""},
      {"no file", kModel, 0, 0, TR_OK, TR_OK, TR_READ_FAILED, ""},
      {"printer silent", kModel, 100, 100, TR_TIMEOUT, TR_OK, TR_TIMEOUT, ""},
      {"cancelled", kModel, 100, 100, TR_OK, TR_CANCELLED, TR_CANCELLED,
       "TRSendFile(100 bytes, 500000)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Worker worker;
    Ostrand().cmdInitResult = c.cmdInit;
    Ostrand().sendFileResult = c.send;
    const std::string first =
        c.what == "no file"
            ? worker.folder.Path("missing.kx7")
            : worker.folder.Write("first.kx7", c.model, c.declaredSize, c.payloadBytes);
    EXPECT_EQ(worker.Run({first, worker.folder.Write("second.kx7", kModel, 10, 10)}), 0);
    EXPECT_EQ(worker.client.LastTransferResult(), c.lastResult);
    EXPECT_EQ(Calls(),
              c.after.empty() ? CallLog{"TRCmdInit(1000)"} : (CallLog{"TRCmdInit(1000)", c.after}));
    EXPECT_EQ(worker.progress.bytesDone, 0u);
  }
}

TEST(GetBaseNameTest, DropsDirectoryAndExtension) {
  const std::pair<std::string, std::string> cases[] = {
      {"update", "update"},
      {"C:update.v2.kx7", "update.v2"},
      {"dir/sub/name.ext", "name"},
      {"C:\\a.b\\noext", "noext"},
      {"C:\\Tools\\.kx7", ""},
      {"C:\\Tools\\" + std::string(300, 'n') + ".kx7", std::string(255, 'n')},
  };
  for (const auto& [path, name] : cases) {
    EXPECT_EQ(GetBaseName(path), name) << path;
  }
}

}  // namespace
}  // namespace vexlow::testing
