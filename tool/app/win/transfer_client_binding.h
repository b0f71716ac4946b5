// Start-up's hold on the transfer library, through the tool's transfer client.
#ifndef TOOL_APP_WIN_TRANSFER_CLIENT_BINDING_H
#define TOOL_APP_WIN_TRANSFER_CLIENT_BINDING_H

#include "core/startup_seams.h"
#include "tool/transfer/transfer_client.h"

namespace vexlow::win {

class TransferClientBinding : public TransferBinding {
 public:
  explicit TransferClientBinding(TransferClient& client) : client_(client) {}
  bool BindTransferLibrary() override { return client_.BindTransferLibrary(); }
  void UnbindTransferLibrary() override { client_.UnbindTransferLibrary(); }

 private:
  TransferClient& client_;
};

}  // namespace vexlow::win

#endif  // TOOL_APP_WIN_TRANSFER_CLIENT_BINDING_H
