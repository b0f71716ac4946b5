// What the printer stores: its file list, and reading a sent package back to
// check that the printer holds its payload byte for byte.
#ifndef CLI_STORED_FILES_H
#define CLI_STORED_FILES_H

#include <cstdint>
#include <vector>

#include "ostrand.h"
#include "package_file.h"
#include "report.h"

namespace cli {

// What ListStoredFiles answers when the count call answered 0, where Ostrand
// delivers the count with 6: no code Ostrand gives.
inline constexpr int32_t kCountAnsweredOk = -1;

// The count call, then the list call: TR_OK with the entries, or the failing
// call's code.
int32_t ListStoredFiles(const TRFunctions& ostrand, uint32_t timeoutMs,
                        std::vector<PackageHeader>* entries);

struct Verification {
  VerifyReport report;
  int32_t code = TR_OK;  // the failing call's code; TR_OK when both calls answered
};

// Finds the entry the package's header names in the printer's list and reads
// its payload back: matched only when it equals the package's payload.
Verification VerifyStored(const TRFunctions& ostrand, const PackageFile& package,
                          uint32_t timeoutMs);

}  // namespace cli

#endif  // CLI_STORED_FILES_H
