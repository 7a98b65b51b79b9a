#include "ui/HandPointer.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QtMath>

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
    QImage picture(size, size, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    int y = 0;
    for (const char* row : handRows) {
        for (int x = 0; row[x] != '\0' && x < size; ++x) {
            if (row[x] == 'B' || row[x] == 'W')
                mask.setPixel(x, y, 1);
            if (row[x] == 'B')
                shape.setPixel(x, y, 1);
            if (row[x] == 'B' || row[x] == 'W')
                picture.setPixel(x, y, row[x] == 'B' ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
        ++y;
    }
    const qreal scale = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    if (scale <= 1.0) {
        // A cursor bitmap bit of 1 with a mask bit of 1 is black, 0 with 1 is white, and a mask bit of 0 is
        // transparent.
        return QCursor(QBitmap::fromImage(shape), QBitmap::fromImage(mask), 5, 0);
    }
    // On a scaled screen (150 %, 200 %) the hand grows with the windows. X11 shows a bitmap cursor at its own size
    // whatever the scale, so the hand is a picture of as many device pixels, marked with the ratio. Qt on Windows
    // scales the hot spot of such a picture itself; on X11 it takes the hot spot in the picture's own pixels.
    const int scaled = qCeil(size * scale);
    QPixmap pixmap = QPixmap::fromImage(picture.scaled(scaled, scaled, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    pixmap.setDevicePixelRatio(scale);
    const qreal hotSpotScale = QGuiApplication::platformName() == QLatin1String("xcb") ? scale : 1.0;
    return QCursor(pixmap, qRound(5 * hotSpotScale), 0);
}

} // namespace tallivor
