// The registry key under HKEY_LOCAL_MACHINE where a printer driver is registered.
#ifndef TRANSFER_SUPPORT_DRIVER_KEY_PATH_H
#define TRANSFER_SUPPORT_DRIVER_KEY_PATH_H

#include "transfer/support/driver_lookup.h"

namespace ostrand {

// The printer maker's own company branch.
inline constexpr const char kMakerCompany[] = "Quorbel Industries, Ltd.";

// Builds "SOFTWARE\<company>\Skorvin\Driver\3.0\<driver name>". The company goes
// in verbatim (it is not a format). False, with keyPath emptied, when either
// name is null or the path would be longer than 259 characters.
bool BuildDriverKeyPath(const char* company, const char* driverName,
                        char (&keyPath)[kNameBufferSize]);

}  // namespace ostrand

#endif  // TRANSFER_SUPPORT_DRIVER_KEY_PATH_H
