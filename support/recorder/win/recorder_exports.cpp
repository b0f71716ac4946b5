// hobrel.dll for support: put in place of the maker's library (which stays in
// the same folder under another name), it forwards every call to that library
// unchanged and records it. hobrel-recorder.ini beside it names the maker's
// library (library=) and the recording (recording=). Nothing is done in
// DllMain: the library is loaded and the recording opened on the first call.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "portio/hobrel_api.h"
#include "support/recorder/call_recorder.h"
#include "support/recorder/recorder_paths.h"

namespace {

// Says a problem on stderr and to a debugger: the update tool has no console.
void Say(const std::string& problem) {
  const std::string line = "hobrel recorder: " + problem + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
  OutputDebugStringA(line.c_str());
}

class FileSink final : public support::RecordingSink {
 public:
  explicit FileSink(const std::string& path) : path_(path) {
    file_ = std::fopen(path.c_str(), "wb");
  }
  bool Append(std::string_view text) override {
    // Each line reaches the file at once, so a crash loses no call.
    return file_ != nullptr && std::fwrite(text.data(), 1, text.size(), file_) == text.size() &&
           std::fflush(file_) == 0;
  }
  void Complain(const std::string& problem) override { Say(path_ + ": " + problem); }

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
};

struct Maker {
  HobrelOpenFn open = nullptr;
  HobrelWriteFn write = nullptr;
  HobrelReadFn read = nullptr;
  HobrelPurgeFn purge = nullptr;
  HobrelBeginTransferFn begin = nullptr;
  HobrelEndTransferFn end = nullptr;
  SKWriteFileFn writeByName = nullptr;
  SKReadFileFn readByName = nullptr;
};

struct Recorder {
  Maker maker;
  std::unique_ptr<FileSink> sink;
  std::unique_ptr<support::CallRecorder> calls;
  std::mutex lock;
  LARGE_INTEGER frequency{};
};

std::string OwnFolder() {
  HMODULE self = nullptr;
  char path[MAX_PATH] = {};
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&OwnFolder), &self);
  const DWORD length = GetModuleFileNameA(self, path, sizeof path);
  std::string folder(path, length < sizeof path ? length : 0);
  return folder.substr(0, folder.find_last_of("\\/"));
}

std::string Setting(const std::string& ini, const char* key) {
  char value[MAX_PATH] = {};
  GetPrivateProfileStringA("recorder", key, "", value, sizeof value, ini.c_str());
  return value;
}

// FARPROC and the port functions are both plain function pointers.
template <typename Fn>
void Bind(Fn* fn, FARPROC address) {
  *fn = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
}

// Loads the maker's library named in the settings; a text saying why not, else empty.
std::string LoadMaker(const std::string& folder, const std::string& ini, Maker* maker,
                      std::string* loaded) {
  const std::string name = Setting(ini, "library");
  if (name.empty()) {
    return ini + " names no library= (the maker's port library)";
  }
  std::string path, error;
  if (!support::ResolveRecorderPath(folder, name, &path, &error)) {
    return "library=" + error;
  }
  // The maker's library may need libraries of its own that lie beside it.
  HMODULE library = LoadLibraryExA(
      path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (library == nullptr) {
    return path + " cannot be loaded (error " + std::to_string(GetLastError()) + ")";
  }
  HMODULE self = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&OwnFolder), &self);
  if (library == self) {
    return path + " is the recorder itself, not the maker's library";
  }
  const auto ordinal = [&](WORD n) { return GetProcAddress(library, MAKEINTRESOURCEA(n)); };
  Bind(&maker->open, ordinal(3));
  Bind(&maker->write, ordinal(4));
  Bind(&maker->read, ordinal(5));
  Bind(&maker->purge, ordinal(6));
  Bind(&maker->begin, ordinal(7));
  Bind(&maker->end, ordinal(8));
  Bind(&maker->writeByName, GetProcAddress(library, "SKWriteFile"));
  Bind(&maker->readByName, GetProcAddress(library, "SKReadFile"));
  *loaded = path;
  return {};
}

Recorder& TheRecorder() {
  static Recorder* recorder = [] {
    auto* r = new Recorder;
    QueryPerformanceFrequency(&r->frequency);
    const std::string folder = OwnFolder();
    const std::string ini = folder + "\\" + support::kRecorderSettingsName;
    std::string loaded;
    const std::string problem = LoadMaker(folder, ini, &r->maker, &loaded);
    std::string recording = Setting(ini, "recording"), path, error;
    if (recording.empty()) {
      recording = support::kDefaultRecordingName;
    }
    if (!support::ResolveRecorderPath(folder, recording, &path, &error)) {
      Say("recording=" + error + "; the calls go on unrecorded");
    } else {
      r->sink = std::make_unique<FileSink>(path);
      r->calls = std::make_unique<support::CallRecorder>(*r->sink);
      r->calls->Start(problem.empty() ? "the maker's library: " + loaded : problem);
    }
    if (!problem.empty()) {
      Say(problem + "; every call fails");
    }
    return r;
  }();
  return *recorder;
}

uint64_t Ticks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<uint64_t>(now.QuadPart);
}

// Runs one forwarded call, times it and records it; a call the maker's
// library lacks fails and is recorded as failed.
template <typename Fn, typename Call, typename Fill>
int32_t Forward(Fn Maker::*fn, support::PortCall kind, Call call, Fill fill) {
  Recorder& r = TheRecorder();
  const Fn target = r.maker.*fn;
  const uint64_t start = Ticks();
  const int32_t result = target != nullptr ? call(target) : 0;
  const uint64_t ticks = Ticks() - start;
  if (r.calls) {
    support::RecordedCall recorded;
    recorded.call = kind;
    recorded.result = result;
    recorded.elapsedUs = ticks * 1000000 / static_cast<uint64_t>(r.frequency.QuadPart);
    fill(recorded);
    std::lock_guard<std::mutex> guard(r.lock);
    r.calls->Record(recorded);
  }
  return result;
}

std::optional<std::string> Name(const char* printerName) {
  if (printerName == nullptr) {
    return std::nullopt;
  }
  return std::string(printerName, strnlen(printerName, support::kMaxPrinterNameBytes));
}

std::vector<uint8_t> Bytes(const void* data, uint32_t count) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  return bytes != nullptr ? std::vector<uint8_t>(bytes, bytes + count) : std::vector<uint8_t>();
}

uint32_t Moved(const uint32_t* count) {
  return count != nullptr ? *count : 0;
}

}  // namespace

extern "C" {

int32_t HOBREL_CALL RecorderOpen(const char* printerName, void* openBlock) {
  return Forward(
      &Maker::open, support::PortCall::kOpen, [&](auto fn) { return fn(printerName, openBlock); },
      [&](support::RecordedCall& c) {
        c.printerName = Name(printerName);
        if (openBlock != nullptr) {
          c.openBlock = Bytes(openBlock, HOBREL_OPEN_BLOCK_SIZE);
        }
      });
}

int32_t HOBREL_CALL RecorderWrite(const void* buffer, uint32_t count, uint32_t* written,
                                  uint32_t timeoutMs) {
  return Forward(
      &Maker::write, support::PortCall::kWrite,
      [&](auto fn) { return fn(buffer, count, written, timeoutMs); },
      [&](support::RecordedCall& c) {
        c.count = count;
        c.timeoutMs = timeoutMs;
        c.data = Bytes(buffer, count);
        c.moved = Moved(written);
      });
}

int32_t HOBREL_CALL RecorderRead(void* buffer, uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  return Forward(
      &Maker::read, support::PortCall::kRead,
      [&](auto fn) { return fn(buffer, count, read, timeoutMs); },
      [&](support::RecordedCall& c) {
        c.count = count;
        c.timeoutMs = timeoutMs;
        c.moved = Moved(read);
        c.data = Bytes(buffer, std::min(c.moved, count));
      });
}

int32_t HOBREL_CALL RecorderPurge(void) {
  return Forward(
      &Maker::purge, support::PortCall::kPurge, [](auto fn) { return fn(); },
      [](support::RecordedCall&) {});
}

int32_t HOBREL_CALL RecorderBeginTransfer(const char* printerName, uint32_t reserved,
                                          uint32_t timeoutMs) {
  return Forward(
      &Maker::begin, support::PortCall::kBeginTransfer,
      [&](auto fn) { return fn(printerName, reserved, timeoutMs); },
      [&](support::RecordedCall& c) {
        c.printerName = Name(printerName);
        c.reserved = reserved;
        c.timeoutMs = timeoutMs;
      });
}

int32_t HOBREL_CALL RecorderEndTransfer(void) {
  return Forward(
      &Maker::end, support::PortCall::kEndTransfer, [](auto fn) { return fn(); },
      [](support::RecordedCall&) {});
}

int32_t HOBREL_CALL SKWriteFile(const char* printerName, uint32_t reserved, const void* buffer,
                                uint32_t count, uint32_t* written, uint32_t timeoutMs) {
  return Forward(
      &Maker::writeByName, support::PortCall::kWriteByName,
      [&](auto fn) { return fn(printerName, reserved, buffer, count, written, timeoutMs); },
      [&](support::RecordedCall& c) {
        c.printerName = Name(printerName);
        c.reserved = reserved;
        c.count = count;
        c.timeoutMs = timeoutMs;
        c.data = Bytes(buffer, count);
        c.moved = Moved(written);
      });
}

int32_t HOBREL_CALL SKReadFile(const char* printerName, uint32_t reserved, void* buffer,
                               uint32_t count, uint32_t* read, uint32_t timeoutMs) {
  return Forward(
      &Maker::readByName, support::PortCall::kReadByName,
      [&](auto fn) { return fn(printerName, reserved, buffer, count, read, timeoutMs); },
      [&](support::RecordedCall& c) {
        c.printerName = Name(printerName);
        c.reserved = reserved;
        c.count = count;
        c.timeoutMs = timeoutMs;
        c.moved = Moved(read);
        c.data = Bytes(buffer, std::min(c.moved, count));
      });
}

}  // extern "C"
