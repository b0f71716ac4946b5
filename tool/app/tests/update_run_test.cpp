// The Update button's run, end to end through the fake libraries: what goes
// to the printer, in which order, and which one message ends each attempt.
#include "core/update_run.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/testing/fake_message_boxes.h"
#include "resource.h"
#include "startup_fakes.h"
#include "tool/transfer/tests/fake_libraries.h"
#include "tool/transfer/tests/fake_printer_selection.h"
#include "virtual_printer/tests/packages.h"

namespace vexlow::testing {
namespace {

constexpr uint16_t kModel = 0x0415;
constexpr char kPrinter[] = "Label Printer 9";

// Runs the worker on the calling thread, as the dialog's thread would, with
// windows that show nothing.
struct InlineRunner : ProgressDialogRunner, ProgressView {
  ProgressOutcome Run(ProgressSession& session) override {
    if (!starts) {
      return ProgressOutcome::NotStarted;
    }
    session.Start(*this);
    session.RunWorker();
    return ProgressOutcome::Finished;
  }
  void SetFileText(const std::string&) override {}
  void SetPercent(int, const std::string&) override {}
  void SetCancelEnabled(bool) override {}
  bool IsOperatingWindowShown() const override { return false; }
  void ShowOperatingWindow() override {}
  bool starts = true;
};

// A printer of model kModel in the list, answering ready, and a package of
// 300 bytes for it beside the program.
struct Update {
  Update() {
    printers.current = kPrinter;
    printers.modelId = kModel;
    Ostrand().statusReply = {0x81, 0x20, 0x42, kModel & 0xFF, kModel >> 8};
    strings.texts = {{IDS_CANNOT_COMMUNICATE, "Cannot communicate with the printer."},
                     {IDS_CONFIRM_UPDATE, "OK to update Glinterra to version %s ?"},
                     {IDS_TRANSFER_CANCELLED, "Transferring cancelled."},
                     {IDS_UPDATE_COMPLETED, "Completed the update for Glinterra."},
                     {IDS_TRANSFER_FAILED, "Failed to transfer."},
                     {IDS_PRINTER_ID_ERROR, "A printer ID error occurred."},
                     {IDS_TRANSFERRING, "Transferring..."}};
    WritePackage(kModel, 300);
  }
  void WritePackage(uint16_t model, uint32_t size) {
    folder.Write("update.kx7", model, size, size);
  }
  UpdateResult Press() { return run.OnUpdate(kPrinter); }

  BoundLibraries libraries;
  FakePrinterSelection printers;
  std::string caption = "Glinterra Update Tool";
  FakeMessageBoxes messages{Calls(), caption};
  Journal loads;
  FakeStrings strings{loads};
  FakeCodec codec;
  InlineRunner runner;
  vp_test::PackageFolder folder;
  UpdateRun run{{libraries.client, libraries.port, printers, messages, strings, codec, runner},
                {"2.10", "Skorvin VX-9", "update.kx7", folder.Path("update.kx7")}};
};

CallLog operator+(CallLog a, const CallLog& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const CallLog kIdentifyAndCheck = {"TRCheckSupportPrinter(Label Printer 9)",
                                   "TRInitPrinter(Label Printer 9)", "TRCmdInit(1000)",
                                   "TRCmdInit(1000)", "TRGetStatus(1000)"};
const CallLog kAsk = {"message: OK to update Glinterra to version 2.10 ? [exclamation, Yes/No]"};
const CallLog kModeCommand = {"SKWriteFile(Label Printer 9, 256 bytes, 0, 1B 69 61 01, 10000)"};
const CallLog kSend = {"TRCmdInit(1000)", "TRSendFile(300 bytes, 500000)"};
const CallLog kCompleted = {"message: Completed the update for Glinterra. [information, OK]"};
const CallLog kFailed = {"message: Failed to transfer. [stop, OK]"};
const CallLog kNoContact = {"message: Cannot communicate with the printer. [stop, OK]"};

TEST(UpdateRunTest, EachOutcomeEndsWithItsOneMessage) {
  struct Case {
    std::string what;
    std::function<void(Update&)> arrange;
    UpdateResult result;
    CallLog calls;
  };
  const Case cases[] = {
      {"completed", [](Update&) {}, UpdateResult::Completed,
       kIdentifyAndCheck + kAsk + kModeCommand + kSend + kCompleted},
      {"not ready", [](Update&) { Ostrand().statusReply[3] ^= 1; }, UpdateResult::NotReady,
       kIdentifyAndCheck +
           CallLog{"message: Cannot communicate with the printer. [exclamation, OK]"}},
      {"answered No", [](Update& u) { u.messages.answer = MessageAnswer::No; },
       UpdateResult::Declined, kIdentifyAndCheck + kAsk},
      {"package removed", [](Update& u) { std::filesystem::remove(u.folder.Path("update.kx7")); },
       UpdateResult::Failed,
       kIdentifyAndCheck + kAsk + CallLog{"message: File not found:\n\nupdate.kx7 [stop, OK]"}},
      {"mode command refused", [](Update&) { Hobrel().writeAnswer = 0; }, UpdateResult::NotReady,
       kIdentifyAndCheck + kAsk + kModeCommand + kNoContact},
      {"empty package", [](Update& u) { u.WritePackage(kModel, 0); }, UpdateResult::Failed,
       kIdentifyAndCheck + kAsk + kModeCommand},
      {"cancelled", [](Update&) { Ostrand().sendFileResult = TR_CANCELLED; },
       UpdateResult::Cancelled,
       kIdentifyAndCheck + kAsk + kModeCommand + kSend +
           CallLog{"message: Transferring cancelled. [exclamation, OK]"}},
      // The printer's own refusal carries the code of another model's package.
      {"printer refuses", [](Update&) { Ostrand().sendFileResult = TR_REJECTED; },
       UpdateResult::Failed, kIdentifyAndCheck + kAsk + kModeCommand + kSend + kFailed},
      {"another model", [](Update& u) { u.WritePackage(0x0416, 300); }, UpdateResult::WrongModel,
       kIdentifyAndCheck + kAsk + kModeCommand +
           CallLog{"TRCmdInit(1000)", "message: A printer ID error occurred. [exclamation, OK]"} +
           kFailed},
      {"worker not started", [](Update& u) { u.runner.starts = false; }, UpdateResult::Failed,
       kIdentifyAndCheck + kAsk + kModeCommand + kFailed},
      // A press after a cancelled one is a whole new attempt, identification
      // included, and sends the package once.
      {"after a cancelled press",
       [](Update& u) {
         Ostrand().sendFileResult = TR_CANCELLED;
         u.Press();
         Calls().clear();
         Ostrand().sendFileResult = TR_OK;
       },
       UpdateResult::Completed, kIdentifyAndCheck + kAsk + kModeCommand + kSend + kCompleted},
      {"port library not bound", [](Update& u) { u.libraries.port.UnbindPortLibrary(); },
       UpdateResult::NotReady, kNoContact},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Update update;
    c.arrange(update);
    EXPECT_EQ(update.Press(), c.result);
    EXPECT_EQ(Calls(), c.calls);
    EXPECT_EQ(update.run.SelectedPrinter(), kPrinter);
  }
}

}  // namespace
}  // namespace vexlow::testing
