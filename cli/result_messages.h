// What each transfer result code and model identifier is, in words.
#ifndef CLI_RESULT_MESSAGES_H
#define CLI_RESULT_MESSAGES_H

#include <cstdint>
#include <string>

namespace cli {

// Never null; unknown codes get a message of their own.
const char* ResultMessage(int32_t code);

// A model identifier as the printer and the package carry it: "0x0415" (its
// low 16 bits).
std::string ModelText(uint32_t model);

}  // namespace cli

#endif  // CLI_RESULT_MESSAGES_H
