// What each transfer result code means, in words for a technician.
#ifndef CLI_RESULT_MESSAGES_H
#define CLI_RESULT_MESSAGES_H

#include <cstdint>

namespace cli {

// Never null; unknown codes get a message of their own.
const char* ResultMessage(int32_t code);

}  // namespace cli

#endif  // CLI_RESULT_MESSAGES_H
