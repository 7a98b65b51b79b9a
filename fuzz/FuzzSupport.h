// What the fuzz targets share: the input as bytes, and a check that stops the run when a property does not hold, so
// that libFuzzer saves the input that broke it.
#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace fuzzing {

inline void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "\n*** property broken: %s\n", what);
        std::abort();
    }
}

inline QByteArrayView bytesOf(const uint8_t* data, size_t size)
{
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace fuzzing
