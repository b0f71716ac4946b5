#include "tool/transfer/ostrand_binding.h"

namespace vexlow {
namespace {

template <typename Fn>
bool Resolve(platform::LibraryLoader& loader, platform::LibraryLoader::Handle library,
             const char* name, Fn* entry, const char** missing) {
  // Symbol is a plain function pointer; each entry is cast back to its own type.
  *entry = reinterpret_cast<Fn>(loader.Resolve(library, name));
  if (*entry == nullptr) {
    *missing = name;
  }
  return *entry != nullptr;
}

}  // namespace

const char* BindOstrandExports(platform::LibraryLoader& loader,
                               platform::LibraryLoader::Handle library, TRFunctions* entries) {
  const char* missing = nullptr;
  Resolve(loader, library, "TRInitPrinter", &entries->initPrinter, &missing) &&
      Resolve(loader, library, "TRCheckSupportPrinter", &entries->checkSupportPrinter, &missing) &&
      Resolve(loader, library, "TRCmdInit", &entries->cmdInit, &missing) &&
      Resolve(loader, library, "TRGetStatus", &entries->getStatus, &missing) &&
      Resolve(loader, library, "TRGetFileList", &entries->getFileList, &missing) &&
      Resolve(loader, library, "TRSendFile", &entries->sendFile, &missing) &&
      Resolve(loader, library, "TRReceiveFile", &entries->receiveFile, &missing) &&
      Resolve(loader, library, "TRDeleteFile", &entries->deleteFile, &missing);
  return missing;
}

}  // namespace vexlow
