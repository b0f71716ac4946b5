#include "progress_session.h"

#include "text_format.h"

namespace vexlow {

namespace {

// The session of the progress dialog that is running, if any. TRSendFile
// takes a plain function without a context argument, so ProgressCallback
// finds its session here; sessions set and clear it themselves.
ProgressSession* activeSession = nullptr;

// A longer file name is cut to this many characters and "..." is appended.
constexpr std::size_t kFileNameShown = 32;

}  // namespace

ProgressSession::ProgressSession(TransferProgress& progress, std::string transferringFormat)
    : progress_(progress), transferringFormat_(std::move(transferringFormat)) {
  progress_.ClearForDialog();
  activeSession = this;
}

ProgressSession::~ProgressSession() {
  if (activeSession == this) {
    activeSession = nullptr;
  }
}

void ProgressSession::Start(ProgressView& view) {
  progress_.cancelRequested = false;
  view_ = &view;
  shown_ = Shown{};
  Report(0);
}

int32_t ProgressSession::RunWorker() {
  const int32_t result = worker_ ? worker_() : 0;
  workerFinished_ = true;
  return result;
}

int32_t ProgressSession::Report(int32_t percent) {
  if (view_ == nullptr || progress_.totalBytes == 0 || percent < 0 || percent > 100) {
    return 0;
  }
  // From the switch on, the transfer may no longer be cancelled.
  if (view_->IsOperatingWindowShown()) {
    return 1;
  }

  if (shown_.cancelEnabled != progress_.cancelAllowed) {
    shown_.cancelEnabled = progress_.cancelAllowed;
    view_->SetCancelEnabled(progress_.cancelAllowed);
  }
  if (shown_.fileName != progress_.currentFileName) {
    ShowFileName();
  }

  // In 64 bits: percent times a payload above 42,949,672 bytes, or the run's
  // sum times 100, would wrap in 32.
  const uint64_t fileBytesMoved =
      uint64_t{static_cast<uint32_t>(percent)} * progress_.currentFileBytes / 100;
  const uint64_t runPercent = (progress_.bytesDone + fileBytesMoved) * 100 / progress_.totalBytes;
  if (runPercent <= 100 && shown_.percent != static_cast<int>(runPercent)) {
    const int shownPercent = static_cast<int>(runPercent);
    shown_.percent = shownPercent;
    view_->SetPercent(shownPercent, FormatText("%d %%", shownPercent));
  }
  if (runPercent >= 100 && !shown_.operatingWindow) {
    shown_.operatingWindow = true;
    view_->ShowOperatingWindow();
  }
  return progress_.cancelRequested ? 0 : 1;
}

void ProgressSession::ShowFileName() {
  shown_.fileName = progress_.currentFileName;
  std::string name = progress_.currentFileName;
  if (name.size() > kFileNameShown) {
    name.resize(kFileNameShown);
    name += "...";
  }
  view_->SetFileText(FormatText(transferringFormat_, name));
}

int32_t OSTRAND_CALL ProgressCallback(int32_t percent) {
  return activeSession != nullptr ? activeSession->Report(percent) : 0;
}

}  // namespace vexlow
