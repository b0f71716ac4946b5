// What the Update button of the printer-selection dialog does: identify the
// chosen printer, make sure it answers as the expected model, confirm the
// version, make sure the package opens, switch the printer's command mode and
// send the package under the progress dialog, ending with one result message.
#ifndef TOOL_APP_CORE_UPDATE_RUN_H
#define TOOL_APP_CORE_UPDATE_RUN_H

#include <string>

#include "platform/message_boxes.h"
#include "progress_session.h"
#include "startup_seams.h"
#include "tool/transfer/identify_printer.h"
#include "tool/transfer/port_binding.h"
#include "tool/transfer/transfer_client.h"
#include "tool/transfer/transfer_progress.h"
#include "tool/transfer/transfer_worker.h"

namespace vexlow {

// How one attempt ended. Declined: the version was not confirmed, and
// nothing changed the printer.
enum class UpdateResult { Completed, Cancelled, NotReady, WrongModel, Failed, Declined };

struct UpdateServices {
  TransferClient& client;
  PortBinding& port;
  PrinterSelection& printers;
  platform::MessageBoxes& messages;
  StringTable& strings;
  TextCodec& codec;
  ProgressDialogRunner& progressDialog;
};

// One per printer-selection dialog; each Update press is a new attempt.
class UpdateRun {
 public:
  UpdateRun(const UpdateServices& services, PrinterSelectSettings settings);
  UpdateRun(const UpdateRun&) = delete;
  UpdateRun& operator=(const UpdateRun&) = delete;

  // The Update command with the printer name chosen in the list ("" when
  // none is selected). Completed: the dialog then closes and the program
  // ends. Without the port library bound it sends nothing and refuses with
  // message 1910.
  UpdateResult OnUpdate(const std::string& selectedPrinter);
  // The mode command, the package's size, the progress dialog and the result
  // message. Completed only when the transfer ended with result 0.
  UpdateResult RunUpdate();

  // The name taken from the list at the last Update.
  const std::string& SelectedPrinter() const { return selectedPrinter_; }

 private:
  void Show(unsigned stringId, platform::MessageIcon icon);
  void ShowPackageNotFound();

  UpdateServices services_;
  PrinterSelectSettings settings_;
  std::string selectedPrinter_;
  PackageFileList packageFiles_;
  TransferProgress progress_;
};

}  // namespace vexlow

#endif  // TOOL_APP_CORE_UPDATE_RUN_H
