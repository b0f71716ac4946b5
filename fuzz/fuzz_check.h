// What a fuzz target does when an input breaks a rule it checks: says which
// rule and where, and stops the process so that the fuzzer keeps the input.
#ifndef FUZZ_FUZZ_CHECK_H
#define FUZZ_FUZZ_CHECK_H

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, rule)                                                        \
  do {                                                                                     \
    if (!(condition)) {                                                                    \
      std::fprintf(stderr, "%s:%d: rule broken: %s\n  (%s)\n", __FILE__, __LINE__, (rule), \
                   #condition);                                                            \
      std::abort();                                                                        \
    }                                                                                      \
  } while (0)

#endif  // FUZZ_FUZZ_CHECK_H
