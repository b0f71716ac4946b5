// The package transfer worker against the fake Ostrand and package files on disk.
#include "tool/transfer/transfer_worker.h"

#include <gtest/gtest.h>

#include "fake_libraries.h"
#include "fake_message_boxes.h"
#include "package_files.h"

namespace vexlow::testing {
namespace {

constexpr uint16_t kModel = 0x0415;
constexpr char kPrinterIdError[] = "A printer ID error occurred.";

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
  WorkerContext context{client, progress, &GoOn, messages, kPrinterIdError};
  PackageFolder folder;
};

// What the progress record says while each package is sent.
struct DuringSend {
  uint32_t bytesDone, currentFileBytes;
  std::string currentFileName;
  bool operator==(const DuringSend&) const = default;
};

TEST(TransferWorkerTest, SendsEachPackageInOrderAndCountsTheBytesDone) {
  Worker worker;
  const PackageFileList files = {worker.folder.Write("first.kx7", kModel, 300, 300),
                                 // trailing bytes after the payload are not sent
                                 worker.folder.Write("second.v2.kx7", kModel, 500, 520)};
  std::vector<DuringSend> seen;
  std::vector<std::vector<uint8_t>> sent;
  Ostrand().transfer = [&](TRProgressCallback) {
    seen.push_back({worker.progress.bytesDone, worker.progress.currentFileBytes,
                    worker.progress.currentFileName});
    sent.push_back(Ostrand().sentData);
    return TR_OK;
  };
  EXPECT_EQ(worker.Run(files), 0);
  EXPECT_EQ(worker.client.LastTransferResult(), TR_OK);
  EXPECT_EQ(seen, (std::vector<DuringSend>{{0, 300, "first"}, {300, 500, "second.v2"}}));
  EXPECT_EQ(sent, (std::vector<std::vector<uint8_t>>{Payload(300), Payload(500)}));
  EXPECT_EQ(worker.progress.bytesDone, 800u);
  EXPECT_EQ(Calls(), (CallLog{"TRCmdInit(1000)", "TRSendFile(300 bytes, 500000)",
                              "TRSendFile(500 bytes, 500000)"}));
}

// The first failure ends the run with its code; later packages are not tried.
TEST(TransferWorkerTest, StopsAtTheFirstFailureWithItsCode) {
  struct Case {
    std::string what;
    uint16_t model;
    int32_t declaredSize;
    std::size_t payloadBytes;
    int32_t cmdInitResult;
    int32_t sendResult;
    int32_t lastResult;
    CallLog calls;
  };
  const Case cases[] = {
      {"another model",
       0x0416,
       100,
       100,
       TR_OK,
       TR_OK,
       TR_REJECTED,
       {"TRCmdInit(1000)", "message: A printer ID error occurred. [exclamation, OK]"}},
      {"no payload", kModel, 0, 0, TR_OK, TR_OK, TR_READ_FAILED, {"TRCmdInit(1000)"}},
      {"negative size", kModel, -5, 10, TR_OK, TR_OK, TR_READ_FAILED, {"TRCmdInit(1000)"}},
      {"short file", kModel, 100, 99, TR_OK, TR_OK, TR_READ_FAILED, {"TRCmdInit(1000)"}},
      {"no file", kModel, 0, 0, TR_OK, TR_OK, TR_READ_FAILED, {"TRCmdInit(1000)"}},
      {"printer silent", kModel, 100, 100, TR_TIMEOUT, TR_OK, TR_TIMEOUT, {"TRCmdInit(1000)"}},
      {"cancelled",
       kModel,
       100,
       100,
       TR_OK,
       TR_CANCELLED,
       TR_CANCELLED,
       {"TRCmdInit(1000)", "TRSendFile(100 bytes, 500000)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Worker worker;
    Ostrand().cmdInitResult = c.cmdInitResult;
    Ostrand().sendFileResult = c.sendResult;
    const std::string first =
        c.what == "no file"
            ? worker.folder.Path("missing.kx7")
            : worker.folder.Write("first.kx7", c.model, c.declaredSize, c.payloadBytes);
    const std::string second = worker.folder.Write("second.kx7", kModel, 10, 10);
    EXPECT_EQ(worker.Run({first, second}), 0);
    EXPECT_EQ(worker.client.LastTransferResult(), c.lastResult);
    EXPECT_EQ(Calls(), c.calls);
    EXPECT_EQ(worker.progress.bytesDone, 0u);
  }
}

// Cancelling is offered only for a package smaller than the accept count the
// printer reported; without one, never.
TEST(TransferWorkerTest, AllowsCancellingBelowThePrintersThreshold) {
  struct Case {
    uint32_t acceptCount;
    std::vector<bool> allowed;  // for packages of 300, 500 and 700 bytes
  };
  const Case cases[] = {{0, {false, false, false}}, {500, {true, false, false}}};
  for (const Case& c : cases) {
    Worker worker(c.acceptCount);
    worker.progress.cancelAllowed = true;
    std::vector<bool> allowed;
    Ostrand().transfer = [&](TRProgressCallback) {
      allowed.push_back(worker.progress.cancelAllowed);
      return TR_OK;
    };
    worker.Run({worker.folder.Write("a.kx7", kModel, 300, 300),
                worker.folder.Write("b.kx7", kModel, 500, 500),
                worker.folder.Write("c.kx7", kModel, 700, 700)});
    EXPECT_EQ(allowed, c.allowed) << c.acceptCount;
  }
}

TEST(GetBaseNameTest, DropsDirectoryAndExtension) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Tools\\update.kx7", "update"},
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
