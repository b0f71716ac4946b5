// ostrandcli bundle OUT.zip: the support bundle of the program's folder and
// the PC (support/README.md).
#ifndef SUPPORT_BUNDLE_BUNDLE_COMMAND_H
#define SUPPORT_BUNDLE_BUNDLE_COMMAND_H

namespace support {

// Runs the command with the arguments after "bundle"; answers the exit code.
int RunBundleCommand(int argc, const char* const* argv);

}  // namespace support

#endif  // SUPPORT_BUNDLE_BUNDLE_COMMAND_H
