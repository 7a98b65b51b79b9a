#include "ui/HandPointer.h"

#include <QBitmap>
#include <QImage>

namespace tallivor {
namespace {

// 'B' black, 'W' white, anything else transparent. Rows below the drawing are transparent.
// clang-format off
constexpr const char* handRows[] = {
    "     BB",
    "    BWWB",
    "    BWWB",
    "    BWWB",
    "    BWWB",
    "    BWWBBB",
    "    BWWBWWBBB",
    "    BWWBWWBWWBBB",
    "    BWWBWWBWWBWWB",
    " BB BWWBWWBWWBWWB",
    "BWWBBWWWWWWWWWWWB",
    "BWWWBWWWWWWWWWWWB",
    " BWWWWWWWWWWWWWWB",
    "  BWWWWWWWWWWWWWB",
    "  BWWWWWWWWWWWWB",
    "   BWWWWWWWWWWWB",
    "   BWWWWWWWWWWB",
    "    BWWWWWWWWWB",
    "    BWWWWWWWWWB",
    "    BBBBBBBBBBB",
};
// clang-format on

} // namespace

QCursor handPointer()
{
    constexpr int size = 32;
    QImage shape(size, size, QImage::Format_MonoLSB);
    QImage mask(size, size, QImage::Format_MonoLSB);
    const QList<QRgb> colours{qRgb(255, 255, 255), qRgb(0, 0, 0)}; // index 1 is color1
    shape.setColorTable(colours);
    mask.setColorTable(colours);
    shape.fill(0);
    mask.fill(0);
    int y = 0;
    for (const char* row : handRows) {
        for (int x = 0; row[x] != '\0' && x < size; ++x) {
            if (row[x] == 'B' || row[x] == 'W')
                mask.setPixel(x, y, 1);
            if (row[x] == 'B')
                shape.setPixel(x, y, 1);
        }
        ++y;
    }
    // A cursor bitmap bit of 1 with a mask bit of 1 is black, 0 with 1 is white, and a mask bit of 0 is transparent.
    return QCursor(QBitmap::fromImage(shape), QBitmap::fromImage(mask), 5, 0);
}

} // namespace tallivor
