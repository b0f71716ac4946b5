#include "client_commands.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "exit_codes.h"
#include "ostrand_status.h"
#include "package_file.h"
#include "progress_bar.h"
#include "result_messages.h"

namespace cli {

namespace {

constexpr uint32_t kTransferTimeoutMs = 500000;
constexpr uint32_t kCommandTimeoutMs = 10000;
constexpr uint32_t kMaxListedEntries = 0xFFFF;

std::atomic<bool> cancelRequested{false};
// Ostrand's progress callback carries no context; one transfer runs at a time.
ProgressBar* activeBar = nullptr;

int32_t OSTRAND_CALL OnProgress(int32_t percent) {
  if (activeBar != nullptr) {
    activeBar->Update(percent);
  }
  return cancelRequested.load() ? 0 : 1;
}

std::string Hex(const uint8_t* bytes, size_t count) {
  std::string out;
  char two[4];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(two, sizeof two, i == 0 ? "%02X" : " %02X", bytes[i]);
    out += two;
  }
  return out;
}

std::string Model(uint16_t model) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", model);
  return text;
}

bool AllDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

class Session {
 public:
  Session(const CommandLine& line, const OstrandFunctions& ostrand, std::ostream& out,
          std::ostream& err, BarStyle barStyle)
      : line_(line), ostrand_(ostrand), out_(out), err_(err), barStyle_(barStyle) {}

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
      case Command::kHelp:
        out_ << UsageText();
        return kExitOk;
    }
    return kExitUsage;
  }

 private:
  uint32_t Timeout(uint32_t fallback) const {
    return line_.timeoutMs != 0 ? line_.timeoutMs : fallback;
  }

  // The exit code for a call that answered `code`, with the message said.
  int Failed(const char* what, int32_t code) {
    err_ << "ostrandcli: " << what << ": " << ResultMessage(code) << " (result " << code << ")\n";
    return code >= 1 && code <= 8 ? code : kExitUnexpected;
  }

  int FileFailed(const std::string& path, FileProblem problem) {
    err_ << "ostrandcli: " << path << " " << FileProblemText(problem) << "\n";
    return problem == FileProblem::kCannotOpen    ? kExitNoInput
           : problem == FileProblem::kOutOfMemory ? kExitNoMemory
                                                  : kExitBadData;
  }

  int Open() {
    uint8_t block[TR_OPEN_BLOCK_SIZE] = {};
    int32_t code = ostrand_.initPrinter(line_.printer.c_str(), block);
    return code == TR_OK ? kExitOk : Failed(("opening \"" + line_.printer + "\"").c_str(), code);
  }

  // Reads the status block; kExitNotThisPrinter when it lacks the valid marker.
  int ReadStatus(ostrand::StatusBlock* status) {
    int32_t code = ostrand_.getStatus(status->bytes.data(), Timeout(kCommandTimeoutMs));
    if (code != TR_OK) {
      return Failed("reading the printer's status", code);
    }
    if (!status->HasMarker()) {
      err_ << "ostrandcli: \"" << line_.printer << "\" answered with a status block that does "
           << "not begin with 81 20 42 (" << Hex(status->bytes.data(), 3)
           << "): it is not a printer of this kind, or not ready\n";
      return kExitNotThisPrinter;
    }
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
         << Model(status.ModelId()) << ", acceptance byte "
         << static_cast<unsigned>(status.AcceptanceByte()) << ", accept count "
         << status.AcceptCount() << "\n";
    if (exit == kExitOk) {
      out_ << "The printer is ready.\n";
    }
    return exit;
  }

  // Runs a send or receive with the progress bar (unless quiet).
  template <typename Transfer>
  int32_t WithProgress(Transfer transfer) {
    ProgressBar bar(out_, barStyle_);
    activeBar = line_.quiet ? nullptr : &bar;
    int32_t code = transfer();
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
      err_ << "ostrandcli: " << line_.package << " is a package for model "
           << Model(package.header.ModelId()) << ", but \"" << line_.printer << "\" is model "
           << Model(status.ModelId()) << "; nothing was sent\n";
      return TR_REJECTED;
    }
    const Payload& payload = package.payload;
    int32_t code = WithProgress([&] {
      return ostrand_.sendFile(package.header.bytes.data(), payload.bytes.get(), &payload.size,
                               status.bytes.data(), Timeout(kTransferTimeoutMs), OnProgress);
    });
    if (code != TR_OK) {
      return Failed(("sending " + line_.package).c_str(), code);
    }
    out_ << "Sent " << line_.package << " (" << payload.size << " payload bytes) to \""
         << line_.printer << "\".\n";
    return kExitOk;
  }

  // "PRINTER" holds N files, in words.
  std::string Holds(size_t files) const {
    return "\"" + line_.printer + "\" holds " + std::to_string(files) +
           (files == 1 ? " file" : " files");
  }

  // The printer's entries: count call, then buffer call.
  int FetchList(std::vector<PackageHeader>* entries) {
    uint32_t count = 0;
    int32_t code = ostrand_.getFileList(nullptr, &count, Timeout(kCommandTimeoutMs));
    if (code == TR_OK) {
      err_ << "ostrandcli: asking for the file count: Ostrand answered 0 where it delivers the "
              "count with 6\n";
      return kExitUnexpected;
    }
    if (code != TR_FILE_COUNT) {
      return Failed("asking for the file count", code);
    }
    count &= kMaxListedEntries;
    entries->assign(count, PackageHeader{});
    if (count == 0) {
      return kExitOk;
    }
    code = ostrand_.getFileList(entries->data(), &count, Timeout(kCommandTimeoutMs));
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
      err_ << "ostrandcli: " << Holds(entries.size()) << "; there is no entry " << line_.entry
           << "\n";
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
    out_ << Holds(entries.size()) << (entries.empty() ? ".\n" : ":\n");
    for (size_t i = 0; i < entries.size(); ++i) {
      out_ << "  " << (i + 1) << ". model " << Model(entries[i].ModelId()) << ", "
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
    int32_t code = WithProgress([&] {
      return ostrand_.receiveFile(received.header.bytes.data(), payload.bytes.get(), &payload.size,
                                  status.bytes.data(), Timeout(kTransferTimeoutMs), OnProgress);
    });
    if (code != TR_OK) {
      return Failed("receiving the file", code);
    }
    if (!WritePackageFile(line_.output, received)) {
      err_ << "ostrandcli: " << line_.output << " cannot be written\n";
      return kExitCannotWrite;
    }
    out_ << "Received " << payload.size << " payload bytes from \"" << line_.printer << "\" into "
         << line_.output << ".\n";
    return kExitOk;
  }

  int Delete() {
    PackageHeader entry;
    if (int exit = OpenWithEntry(&entry); exit != kExitOk) {
      return exit;
    }
    int32_t code = ostrand_.deleteFile(entry.bytes.data(), Timeout(kCommandTimeoutMs));
    if (code != TR_OK) {
      return Failed("deleting the file", code);
    }
    out_ << "Deleted the file of model " << Model(entry.ModelId()) << " (" << entry.RawPayloadSize()
         << " payload bytes) from \"" << line_.printer << "\".\n";
    return kExitOk;
  }

  const CommandLine& line_;
  const OstrandFunctions& ostrand_;
  std::ostream& out_;
  std::ostream& err_;
  const BarStyle barStyle_;
};

}  // namespace

int RunCommand(const CommandLine& line, const OstrandFunctions& ostrand, std::ostream& out,
               std::ostream& err, BarStyle barStyle) {
  cancelRequested.store(false);
  return Session(line, ostrand, out, err, barStyle).Run();
}

void RequestCancel() {
  cancelRequested.store(true);
}

}  // namespace cli
