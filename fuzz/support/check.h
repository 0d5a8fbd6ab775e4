#pragma once

#include <cstdio>
#include <cstdlib>

// A property that must hold for every input. A failure aborts, which libFuzzer reports as a
// crash and saves the input that caused it.
#define FUZZ_CHECK(condition)                                                              \
  do {                                                                                     \
    if (!(condition)) {                                                                    \
      std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                        \
    }                                                                                      \
  } while (false)
