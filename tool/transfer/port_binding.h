// The tool's direct use of the port I/O library: bound while the printer
// selection dialog exists, for the one mode command an update sends.
#ifndef TOOL_TRANSFER_PORT_BINDING_H
#define TOOL_TRANSFER_PORT_BINDING_H

#include <string>

#include "platform/library_loader.h"
#include "portio/hobrel_api.h"

namespace vexlow {

class PortBinding {
 public:
  explicit PortBinding(platform::LibraryLoader& loader) : loader_(loader) {}
  ~PortBinding() { UnbindPortLibrary(); }
  PortBinding(const PortBinding&) = delete;
  PortBinding& operator=(const PortBinding&) = delete;

  // Loads "hobrel.dll", then resolves "SKWriteFile" and "SKReadFile".
  bool BindPortLibrary();
  void UnbindPortLibrary();
  bool IsBound() const { return writeFile_ != nullptr && readFile_ != nullptr; }

  // Writes ESC "i" "a" 0x01 to the printer, its name zero-padded to 256 bytes;
  // false when unbound or refused.
  bool SendModeCommand(const std::string& printerName);

 private:
  platform::LibraryLoader& loader_;
  platform::LibraryLoader::Handle library_ = nullptr;
  SKWriteFileFn writeFile_ = nullptr;
  SKReadFileFn readFile_ = nullptr;
};

}  // namespace vexlow

#endif  // TOOL_TRANSFER_PORT_BINDING_H
