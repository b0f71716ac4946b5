// printers and update: the update tool's own steps, on its core, without dialogs.
#include <string>
#include <vector>

#include "client_context.h"
#include "console_messages.h"
#include "console_transfer.h"
#include "core/update_app.h"
#include "core/update_run.h"
#include "exit_codes.h"
#include "resource.h"
#include "result_messages.h"
#include "stored_files.h"
#include "tool/transfer/package_file.h"
#include "tool_core.h"
#include "update_commands.h"

namespace cli {

namespace {

constexpr uint32_t kVerifyTimeoutMs = 500000;

int ExitFor(vexlow::UpdateResult result) {
  switch (result) {
    case vexlow::UpdateResult::Completed:
      return kExitOk;
    case vexlow::UpdateResult::NotReady:
      return kExitNotReady;
    case vexlow::UpdateResult::WrongModel:
      return kExitWrongModel;
    case vexlow::UpdateResult::Failed:
      return kExitUpdateFailed;
    case vexlow::UpdateResult::Cancelled:
    case vexlow::UpdateResult::Declined:
      return kExitCancelled;
  }
  return kExitUpdateFailed;
}

// One update or printer listing: vexlow.ini's values, with the command line's
// driver and package in their place.
class ToolCommand {
 public:
  ToolCommand(const CommandLine& line, ClientContext& context)
      : line_(line), context_(context), tool_(context.tool), report_(context.report) {}

  int Printers() {
    if (int exit = Prepare(); exit != kExitOk) {
      return exit;
    }
    const std::vector<ListedPrinter> printers =
        tool_.printers.PrintersOfDriver(settings_.driverName);
    if (printers.empty()) {
      return NoPrinter();
    }
    context_.out << "Printers of the driver \"" << settings_.driverName << "\":\n";
    int ready = 0;
    for (const ListedPrinter& printer : printers) {
      // The steps of an update before its confirmation, which change nothing.
      const bool isReady = printer.model &&
                           vexlow::IdentifyPrinter(tool_.printers, tool_.client, printer.name) &&
                           tool_.client.CheckPrinterReady();
      ready += isReady ? 1 : 0;
      context_.out << "  " << printer.name << "  model "
                   << (printer.model ? ModelText(*printer.model) : std::string("unknown")) << "  "
                   << (isReady ? "ready" : "not ready") << "\n";
      report_.printers.push_back(
          {printer.name,
           printer.model ? std::optional<uint16_t>(static_cast<uint16_t>(*printer.model))
                         : std::nullopt,
           isReady});
    }
    report_.words =
        std::to_string(printers.size()) + " printers, " + std::to_string(ready) + " ready";
    return kExitOk;
  }

  int Update() {
    report_.dryRun = line_.dryRun;
    if (int exit = Prepare(); exit != kExitOk) {
      return exit;
    }
    std::string printer = line_.printer;
    if (int exit = ChoosePrinter(&printer); exit != kExitOk) {
      return exit;
    }
    report_.printer = printer;
    if (!tool_.port.BindPortLibrary()) {
      return Say("hobrel.dll cannot be loaded, or lacks SKWriteFile or SKReadFile", kExitNoLibrary);
    }

    Interruption& interruption = context_.interruption;
    // The confirmation is where the tool's first change of the printer begins:
    // a dry run declines it, a real run takes it unless an interrupt came.
    ConsoleMessages messages(context_.out, context_.err,
                             [&] { return !line_.dryRun && interruption.BeginChange(); });
    ProgressBar bar(context_.out, context_.barStyle);
    ConsoleTransfer transfer(context_.out, line_.quiet ? nullptr : &bar, interruption, tool_.clock);
    vexlow::UpdateRun run(
        {tool_.client, tool_.port, tool_.printers, messages, tool_.strings, tool_.codec, transfer},
        settings_);
    const vexlow::UpdateResult result = run.OnUpdate(printer);
    const bool interrupted = interruption.EndChange();
    // Identification names the printer it opened, and its model.
    if (!tool_.client.CurrentTransferPrinter().empty()) {
      report_.printer = tool_.client.CurrentTransferPrinter();
      report_.model = tool_.client.CurrentModelId();
    }
    report_.transferResult = tool_.client.LastTransferResult();
    report_.words = messages.Shown();

    if (result == vexlow::UpdateResult::Declined) {
      return line_.dryRun ? DryRun() : Say("interrupted; nothing was changed", kExitCancelled);
    }
    if (result != vexlow::UpdateResult::Completed) {
      return ExitFor(result);
    }
    report_.bytes = PayloadSize();
    if (transfer.StopRefused()) {
      context_.err << "ostrandcli: the transfer could not be stopped: the update tool does not "
                      "allow it for this package and printer\n";
    }
    if (interrupted) {
      return Say(
          "interrupted after the whole package was sent, before the pause: leave the "
          "printer on while it stores the update",
          kExitCancelled);
    }
    return line_.verify ? Verify() : kExitOk;
  }

 private:
  // Says words on standard error, keeps them for the report, returns exit.
  int Say(const std::string& words, int exit) {
    context_.err << "ostrandcli: " << words << "\n";
    report_.words = words;
    return exit;
  }

  // The settings, and the transfer library bound as the tool binds it.
  int Prepare() {
    const std::string& directory = tool_.programDirectory;
    const std::string iniPath = directory + "\\" + vexlow::kIniFileName;
    const bool iniNeeded = line_.driver.empty() || (Updating() && line_.package.empty());
    vexlow::UpdateSettings ini;
    if (tool_.files.Exists(iniPath)) {
      ini = vexlow::ReadUpdateSettings(tool_.profile, iniPath);
    } else if (iniNeeded) {
      return Say(iniPath + " is not there: name the driver with --driver" +
                     (Updating() ? " and the package after the printer" : ""),
                 kExitNoInput);
    }
    settings_.newVersion = ini.newVersion;
    settings_.driverName = line_.driver.empty() ? ini.driverName : line_.driver;
    settings_.kx7FileName = line_.package.empty() ? ini.kx7FileName : line_.package;
    settings_.packagePath =
        line_.package.empty() ? directory + "\\" + ini.kx7FileName : line_.package;
    if (Updating()) {
      report_.package = settings_.packagePath;
      report_.version = settings_.newVersion;
    }
    if (!tool_.client.BindTransferLibrary()) {
      return Say("ostrand.dll cannot be bound", kExitNoLibrary);
    }
    return kExitOk;
  }

  bool Updating() const { return line_.command == Command::kUpdate; }

  int NoPrinter() {
    return Say(tool_.strings.Load(IDS_NO_COMPATIBLE_PRINTER) + " (driver \"" +
                   settings_.driverName + "\")",
               kExitNotReady);
  }

  // The named printer, which must be one of the driver's (the tool's list
  // would fall back to another one), or the driver's only printer.
  int ChoosePrinter(std::string* printer) {
    const std::vector<ListedPrinter> printers =
        tool_.printers.PrintersOfDriver(settings_.driverName);
    if (printers.empty()) {
      return NoPrinter();
    }
    std::string names;
    for (const ListedPrinter& p : printers) {
      if (p.name == *printer || (printer->empty() && printers.size() == 1)) {
        *printer = p.name;
        return kExitOk;
      }
      names += "\n  " + p.name;
    }
    const std::string driver = " of the driver \"" + settings_.driverName + "\"";
    return Say(printer->empty()
                   ? std::to_string(printers.size()) + " printers" + driver +
                         " are installed; name the one to update:" + names
                   : "\"" + *printer + "\" is no printer" + driver + "; its printers:" + names,
               kExitUsage);
  }

  uint32_t PayloadSize() {
    vexlow::PackageFile package;
    return package.Open(settings_.packagePath)
               ? static_cast<uint32_t>(package.Header().PayloadSize().value_or(0))
               : 0;
  }

  // What the run would do from here: the package's checks that the worker
  // makes before it sends, and nothing sent.
  int DryRun() {
    vexlow::PackageFile package;
    if (!package.Open(settings_.packagePath)) {
      return Say("File not found:\n\n" + settings_.kx7FileName, kExitUpdateFailed);
    }
    const vexlow::PackageHeader& header = package.Header();
    const auto size = header.PayloadSize();
    if (!size || !package.HoldsPayload(static_cast<uint32_t>(*size))) {
      return Say(settings_.packagePath + " holds no payload of the size its header gives; " +
                     tool_.strings.Load(IDS_TRANSFER_FAILED),
                 kExitUpdateFailed);
    }
    report_.bytes = static_cast<uint32_t>(*size);
    if (header.ModelId() != tool_.client.CurrentModelId()) {
      return Say(tool_.strings.Load(IDS_PRINTER_ID_ERROR) + " The package is for model " +
                     ModelText(header.ModelId()) + ", the printer is model " +
                     ModelText(tool_.client.CurrentModelId()),
                 kExitWrongModel);
    }
    report_.words = "dry run: the printer is ready and the package is of its model";
    context_.out << "Dry run: \"" << report_.printer << "\" (model "
                 << ModelText(tool_.client.CurrentModelId()) << ") is ready. An update would "
                 << "now send it the mode command 1B 69 61 01 and " << settings_.packagePath << " ("
                 << *size << " payload bytes), then wait " << vexlow::kOperatingWindowPauseMs / 1000
                 << " seconds while it stores the update. Nothing was sent.\n";
    return kExitOk;
  }

  int Verify() {
    PackageFile package;
    if (FileProblem p = ReadPackageFile(settings_.packagePath, &package); p != FileProblem::kNone) {
      return Say(settings_.packagePath + " " + FileProblemText(p), kExitVerifyMismatch);
    }
    const Verification found = VerifyStored(context_.ostrand, package, kVerifyTimeoutMs);
    report_.verify = found.report;
    if (!found.report.matched) {
      return Say("verify: " + found.report.words, kExitVerifyMismatch);
    }
    context_.out << "Verified: " << found.report.words << ".\n";
    return kExitOk;
  }

  const CommandLine& line_;
  ClientContext& context_;
  ToolCore& tool_;
  Report& report_;
  vexlow::PrinterSelectSettings settings_;
};

}  // namespace

int RunPrinters(const CommandLine& line, ClientContext& context) {
  return ToolCommand(line, context).Printers();
}

int RunUpdate(const CommandLine& line, ClientContext& context) {
  return ToolCommand(line, context).Update();
}

}  // namespace cli
