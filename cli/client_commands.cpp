#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "client_context.h"
#include "exit_codes.h"
#include "ostrand_status.h"
#include "package_file.h"
#include "progress_bar.h"
#include "result_messages.h"
#include "stored_files.h"

namespace cli {

namespace {

constexpr uint32_t kTransferTimeoutMs = 500000;
constexpr uint32_t kCommandTimeoutMs = 10000;
constexpr uint32_t kMaxListedEntries = 0xFFFF;

std::atomic<bool> stopRequested{false};
// Ostrand's progress callback carries no context; one transfer runs at a time.
ProgressBar* activeBar = nullptr;

int32_t OSTRAND_CALL OnProgress(int32_t percent) {
  if (activeBar != nullptr) {
    activeBar->Update(percent);
  }
  return stopRequested.load() ? 0 : 1;
}

// An interrupt during a transfer answers its next progress call with 0.
struct StopAtNextProgress : TransferStop {
  void RequestStop() override { stopRequested.store(true); }
};

std::string Hex(const uint8_t* bytes, size_t count) {
  std::string out;
  char two[4];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(two, sizeof two, i == 0 ? "%02X" : " %02X", bytes[i]);
    out += two;
  }
  return out;
}

bool AllDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class Session {
 public:
  Session(const CommandLine& line, ClientContext& context)
      : line_(line),
        ostrand_(context.ostrand),
        out_(context.out),
        err_(context.err),
        barStyle_(context.barStyle),
        interruption_(context.interruption),
        report_(context.report) {
    report_.printer = line.printer;
    report_.package = line.package;
  }

  int Run() {
    switch (line_.command) {
      case Command::kStatus:
        return Status();
      case Command::kSend:
        return Send();
      case Command::kReceive:
        return Receive();
      case Command::kList:
        return List();
      case Command::kDelete:
        return Delete();
      default:
        return kExitUsage;
    }
  }

 private:
  uint32_t Timeout(uint32_t fallback) const {
    return line_.timeoutMs != 0 ? line_.timeoutMs : fallback;
  }

  // The exit code for a call that answered `code`, with the message said.
  // Says what failed on standard error, and keeps it for the report.
  void Say(const std::string& words) {
    err_ << "ostrandcli: " << words << "\n";
    report_.words = words;
  }

  int Failed(const std::string& what, int32_t code) {
    report_.transferResult = code;
    Say(what + ": " + ResultMessage(code) + " (result " + std::to_string(code) + ")");
    return code >= 1 && code <= 8 ? code : kExitUnexpected;
  }

  // An interrupt came before a step that changes the printer could begin.
  int Interrupted() {
    Say("interrupted; nothing was changed");
    return kExitCancelled;
  }

  int FileFailed(const std::string& path, FileProblem problem) {
    Say(path + " " + FileProblemText(problem));
    return problem == FileProblem::kCannotOpen    ? kExitNoInput
           : problem == FileProblem::kOutOfMemory ? kExitNoMemory
                                                  : kExitBadData;
  }

  int Open() {
    uint8_t block[TR_OPEN_BLOCK_SIZE] = {};
    int32_t code = ostrand_.initPrinter(line_.printer.c_str(), block);
    return code == TR_OK ? kExitOk : Failed("opening \"" + line_.printer + "\"", code);
  }

  // Reads the status block; kExitNotThisPrinter when it lacks the valid marker.
  int ReadStatus(ostrand::StatusBlock* status) {
    int32_t code = ostrand_.getStatus(status->bytes.data(), Timeout(kCommandTimeoutMs));
    if (code != TR_OK) {
      return Failed("reading the printer's status", code);
    }
    if (!status->HasMarker()) {
      Say("\"" + line_.printer +
          "\" answered with a status block that does not begin with 81 20 42 (" +
          Hex(status->bytes.data(), 3) + "): it is not a printer of this kind, or not ready");
      return kExitNotThisPrinter;
    }
    report_.model = status->ModelId();
    return kExitOk;
  }

  int Status() {
    if (int exit = Open(); exit != kExitOk) {
      return exit;
    }
    ostrand::StatusBlock status;
    int exit = ReadStatus(&status);
    if (exit != kExitOk && exit != kExitNotThisPrinter) {
      return exit;
    }
    out_ << "Status block of \"" << line_.printer
         << "\": " << Hex(status.bytes.data(), TR_STATUS_SIZE) << "\n  model "
         << ModelText(status.ModelId()) << ", acceptance byte "
         << static_cast<unsigned>(status.AcceptanceByte()) << ", accept count "
         << status.AcceptCount() << "\n";
    if (exit == kExitOk) {
      report_.words = "the printer is ready";
      out_ << "The printer is ready.\n";
    }
    return exit;
  }

  // Runs a send or receive with the progress bar (unless quiet).
  template <typename Transfer>
  // An interrupt meanwhile stops it at its next progress call.
  int32_t WithProgress(Transfer transfer) {
    ProgressBar bar(out_, barStyle_);
    activeBar = line_.quiet ? nullptr : &bar;
    StopAtNextProgress stop;
    interruption_.SetTransfer(&stop);
    int32_t code = transfer();
    interruption_.SetTransfer(nullptr);
    activeBar = nullptr;
    bar.Finish();
    return code;
  }

  int Send() {
    PackageFile package;
    if (FileProblem p = ReadPackageFile(line_.package, &package); p != FileProblem::kNone) {
      return FileFailed(line_.package, p);
    }
    if (int exit = Open(); exit != kExitOk) {
      return exit;
    }
    if (int32_t code = ostrand_.cmdInit(Timeout(kCommandTimeoutMs)); code != TR_OK) {
      return Failed("initialising the printer", code);
    }
    ostrand::StatusBlock status;
    if (int exit = ReadStatus(&status); exit != kExitOk) {
      return exit;
    }
    if (package.header.ModelId() != status.ModelId()) {
      // As the update tool does: a package of another model is never sent.
      Say(line_.package + " is a package for model " + ModelText(package.header.ModelId()) +
          ", but \"" + line_.printer + "\" is model " + ModelText(status.ModelId()) +
          "; nothing was sent");
      return TR_REJECTED;
    }
    const Payload& payload = package.payload;
    if (!interruption_.BeginChange()) {
      return Interrupted();
    }
    int32_t code = WithProgress([&] {
      return ostrand_.sendFile(package.header.bytes.data(), payload.bytes.get(), &payload.size,
                               status.bytes.data(), Timeout(kTransferTimeoutMs), OnProgress);
    });
    interruption_.EndChange();
    if (code != TR_OK) {
      return Failed("sending " + line_.package, code);
    }
    report_.transferResult = code;
    report_.bytes = payload.size;
    report_.words = "sent " + std::to_string(payload.size) + " payload bytes";
    out_ << "Sent " << line_.package << " (" << payload.size << " payload bytes) to \""
         << line_.printer << "\".\n";
    return line_.verify ? Verify(package) : kExitOk;
  }

  int Verify(const PackageFile& package) {
    const Verification found = VerifyStored(ostrand_, package, Timeout(kTransferTimeoutMs));
    report_.verify = found.report;
    if (!found.report.matched) {
      Say("verify: " + found.report.words);
      return kExitVerifyMismatch;
    }
    out_ << "Verified: " << found.report.words << ".\n";
    return kExitOk;
  }

  // "PRINTER" holds N files, in words.
  std::string Holds(size_t files) const {
    return "\"" + line_.printer + "\" holds " + std::to_string(files) +
           (files == 1 ? " file" : " files");
  }

  // The printer's entries: count call, then buffer call.
  int FetchList(std::vector<PackageHeader>* entries) {
    const int32_t code = ListStoredFiles(ostrand_, Timeout(kCommandTimeoutMs), entries);
    if (code == kCountAnsweredOk) {
      Say("asking for the file count: Ostrand answered 0 where it delivers the count with 6");
      return kExitUnexpected;
    }
    return code == TR_OK ? kExitOk : Failed("reading the file list", code);
  }

  // Opens the printer and finds ENTRY: a list position, or an entry file.
  int OpenWithEntry(PackageHeader* entry) {
    if (int exit = Open(); exit != kExitOk) {
      return exit;
    }
    if (!AllDigits(line_.entry)) {
      FileProblem p = ReadEntryFile(line_.entry, entry);
      return p == FileProblem::kNone ? kExitOk : FileFailed(line_.entry, p);
    }
    std::vector<PackageHeader> entries;
    if (int exit = FetchList(&entries); exit != kExitOk) {
      return exit;
    }
    size_t position = 0;
    for (char c : line_.entry) {
      // Anything beyond the largest list is out of range; stop counting there.
      position = position > kMaxListedEntries ? position : position * 10 + (c - '0');
    }
    if (position == 0 || position > entries.size()) {
      Say(Holds(entries.size()) + "; there is no entry " + line_.entry);
      return kExitUsage;
    }
    *entry = entries[position - 1];
    return kExitOk;
  }

  int List() {
    if (int exit = Open(); exit != kExitOk) {
      return exit;
    }
    std::vector<PackageHeader> entries;
    if (int exit = FetchList(&entries); exit != kExitOk) {
      return exit;
    }
    report_.words = Holds(entries.size());
    out_ << report_.words << (entries.empty() ? ".\n" : ":\n");
    for (size_t i = 0; i < entries.size(); ++i) {
      out_ << "  " << (i + 1) << ". model " << ModelText(entries[i].ModelId()) << ", "
           << entries[i].RawPayloadSize() << " payload bytes, entry "
           << Hex(entries[i].bytes.data(), 20) << " ...\n";
    }
    return kExitOk;
  }

  int Receive() {
    PackageFile received;
    if (int exit = OpenWithEntry(&received.header); exit != kExitOk) {
      return exit;
    }
    if (FileProblem p = AllocatePayload(received.header, &received.payload);
        p != FileProblem::kNone) {
      return FileFailed("the entry", p);
    }
    const Payload& payload = received.payload;
    ostrand::StatusBlock status;
    // Not a change of the printer, but a file half written must not be left.
    if (!interruption_.BeginChange()) {
      return Interrupted();
    }
    int32_t code = WithProgress([&] {
      return ostrand_.receiveFile(received.header.bytes.data(), payload.bytes.get(), &payload.size,
                                  status.bytes.data(), Timeout(kTransferTimeoutMs), OnProgress);
    });
    const bool written = code == TR_OK && WritePackageFile(line_.output, received);
    interruption_.EndChange();
    if (code != TR_OK) {
      return Failed("receiving the file", code);
    }
    if (!written) {
      Say(line_.output + " cannot be written");
      return kExitCannotWrite;
    }
    report_.transferResult = code;
    report_.bytes = payload.size;
    report_.words = "received " + std::to_string(payload.size) + " payload bytes";
    out_ << "Received " << payload.size << " payload bytes from \"" << line_.printer << "\" into "
         << line_.output << ".\n";
    return kExitOk;
  }

  int Delete() {
    PackageHeader entry;
    if (int exit = OpenWithEntry(&entry); exit != kExitOk) {
      return exit;
    }
    if (!interruption_.BeginChange()) {
      return Interrupted();
    }
    int32_t code = ostrand_.deleteFile(entry.bytes.data(), Timeout(kCommandTimeoutMs));
    interruption_.EndChange();
    if (code != TR_OK) {
      return Failed("deleting the file", code);
    }
    report_.transferResult = code;
    report_.words = "deleted the file";
    out_ << "Deleted the file of model " << ModelText(entry.ModelId()) << " ("
         << entry.RawPayloadSize() << " payload bytes) from \"" << line_.printer << "\".\n";
    return kExitOk;
  }

  const CommandLine& line_;
  const TRFunctions& ostrand_;
  std::ostream& out_;
  std::ostream& err_;
  const BarStyle barStyle_;
  Interruption& interruption_;
  Report& report_;
};

}  // namespace

int RunClientCommand(const CommandLine& line, ClientContext& context) {
  stopRequested.store(false);
  return Session(line, context).Run();
}

}  // namespace cli
