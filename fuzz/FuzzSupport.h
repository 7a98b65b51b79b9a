// What the fuzz targets share: a check that stops the run when a property does not hold, so that libFuzzer saves the
// input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void check(bool holds, const char* what)
{
    if (!holds)
        std::fprintf(stderr, "\n*** property broken: %s\n", what), std::abort();
}
