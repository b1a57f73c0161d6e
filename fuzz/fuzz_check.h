#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property ends the run at once and names itself, so that libFuzzer keeps
// the input and a replay of the corpus fails.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
