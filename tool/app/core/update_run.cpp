#include "update_run.h"

#include "platform/file.h"
#include "resource.h"
#include "text_format.h"
#include "tool/transfer/package_file.h"

namespace vexlow {

namespace {

using platform::MessageIcon;

constexpr char kPackageNotFound[] = "File not found:\n\n";

}  // namespace

UpdateRun::UpdateRun(const UpdateServices& services, PrinterSelectSettings settings)
    : services_(services), settings_(std::move(settings)) {}

UpdateResult UpdateRun::OnUpdate(const std::string& selectedPrinter) {
  selectedPrinter_ = selectedPrinter;
  // Without the port library the mode command could not go out: refuse
  // before anything reaches the printer.
  if (!services_.port.IsBound()) {
    Show(IDS_CANNOT_COMMUNICATE, MessageIcon::Stop);
    return UpdateResult::NotReady;
  }

  TransferClient& client = services_.client;
  IdentifyPrinter(services_.printers, client, selectedPrinter_);
  client.InitPrinterCommand();
  if (!client.CheckPrinterReady()) {
    Show(IDS_CANNOT_COMMUNICATE, MessageIcon::Exclamation);
    return UpdateResult::NotReady;
  }

  const std::string question = FormatText(services_.strings.Load(IDS_CONFIRM_UPDATE),
                                          services_.codec.AnsiToUtf8(settings_.newVersion));
  if (services_.messages.Show(question, MessageIcon::Exclamation,
                              platform::MessageButtons::YesNo) != platform::MessageAnswer::Yes) {
    return UpdateResult::Declined;
  }

  platform::File package;
  if (!package.Open(settings_.packagePath)) {
    ShowPackageNotFound();
    return UpdateResult::Failed;
  }
  package.Close();
  return RunUpdate();
}

UpdateResult UpdateRun::RunUpdate() {
  packageFiles_.clear();
  if (!services_.port.SendModeCommand(selectedPrinter_)) {
    Show(IDS_CANNOT_COMMUNICATE, MessageIcon::Stop);
    return UpdateResult::NotReady;
  }
  packageFiles_.push_back(settings_.packagePath);

  PackageHeader header;
  {
    PackageFile package;
    if (!package.Open(packageFiles_.front())) {
      ShowPackageNotFound();
      return UpdateResult::Failed;
    }
    header = package.Header();
  }
  const int32_t payloadSize = header.RawPayloadSize();
  // The mode command has gone out all the same.
  if (payloadSize <= 0) {
    return UpdateResult::Failed;
  }

  ProgressSession session(progress_, services_.strings.Load(IDS_TRANSFERRING));
  progress_.totalBytes = static_cast<uint32_t>(payloadSize);
  WorkerContext context{services_.client, progress_, &ProgressCallback, services_.messages,
                        services_.strings.Load(IDS_PRINTER_ID_ERROR)};
  session.SetWorker([this, &context] { return TransferWorker(packageFiles_, context); });
  // A worker that never ran leaves the readiness check's code behind, which
  // must not read as a completed update.
  if (services_.progressDialog.Run(session) == ProgressOutcome::NotStarted) {
    Show(IDS_TRANSFER_FAILED, MessageIcon::Stop);
    return UpdateResult::Failed;
  }

  switch (services_.client.LastTransferResult()) {
    case TR_OK:
      Show(IDS_UPDATE_COMPLETED, MessageIcon::Information);
      return UpdateResult::Completed;
    case TR_CANCELLED:
      Show(IDS_TRANSFER_CANCELLED, MessageIcon::Exclamation);
      return UpdateResult::Cancelled;
    default:
      Show(IDS_TRANSFER_FAILED, MessageIcon::Stop);
      // The worker sends nothing of a package whose model is not the
      // printer's; the printer's own refusal carries the same code.
      return header.ModelId() != services_.client.CurrentModelId() ? UpdateResult::WrongModel
                                                                   : UpdateResult::Failed;
  }
}

void UpdateRun::Show(unsigned stringId, platform::MessageIcon icon) {
  services_.messages.Show(services_.strings.Load(stringId), icon, platform::MessageButtons::Ok);
}

void UpdateRun::ShowPackageNotFound() {
  services_.messages.Show(kPackageNotFound + services_.codec.AnsiToUtf8(settings_.kx7FileName),
                          MessageIcon::Stop, platform::MessageButtons::Ok);
}

}  // namespace vexlow
