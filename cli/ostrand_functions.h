// The exports of ostrand.dll that the console client calls, as the loader
// resolved them. Tests fill the table with functions over the portable core.
#ifndef CLI_OSTRAND_FUNCTIONS_H
#define CLI_OSTRAND_FUNCTIONS_H

#include "ostrand.h"

namespace cli {

// The client binds all but the two supported-printer checks.
using OstrandFunctions = TRFunctions;

}  // namespace cli

#endif  // CLI_OSTRAND_FUNCTIONS_H
