#pragma once

#include <cstdio>
#include <cstdlib>

// A property the fuzzed code must keep: when it does not, the input is a finding. Aborting
// makes libFuzzer stop, report and keep the input as a crash file.
#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);            \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)
