// What a fuzz target does when an input breaks a rule it checks: says which
// rule and where, lets the target describe the run (a journal of calls, say),
// and stops the process so that the fuzzer keeps the input.
#ifndef FUZZ_FUZZ_CHECK_H
#define FUZZ_FUZZ_CHECK_H

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Set by a target that can tell what led to the broken rule.
inline void (*describeRun)() = nullptr;

[[noreturn]] inline void RuleBroken(const char* file, int line, const char* rule,
                                    const char* condition) {
  std::fprintf(stderr, "%s:%d: rule broken: %s\n  (%s)\n", file, line, rule, condition);
  if (describeRun != nullptr) {
    describeRun();
  }
  std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition, rule)                               \
  do {                                                            \
    if (!(condition)) {                                           \
      ::fuzz::RuleBroken(__FILE__, __LINE__, (rule), #condition); \
    }                                                             \
  } while (0)

#endif  // FUZZ_FUZZ_CHECK_H
