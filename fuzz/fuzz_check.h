#pragma once

#include <cstdio>
#include <cstdlib>

/// Aborts the run when a promise of the code under test is broken, naming the line, so a
/// finding reads at once.
#define Check(ok)                                                           \
  do {                                                                      \
    if (!(ok)) {                                                            \
      std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #ok); \
      std::abort();                                                         \
    }                                                                       \
  } while (false)
