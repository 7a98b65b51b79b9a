#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace tallivor {

// Data files are single-byte text in the system code page (the ANSI code page on Windows, the locale's encoding,
// UTF-8, elsewhere). Two additions keep every text intact:
//  - a file that starts with the UTF-8 byte-order mark is read as UTF-8; a text that the system code page cannot
//    hold is written that way, so a station named in another script survives the round trip;
//  - bytes that are not valid UTF-8 are carried as one private character each and written back as the same byte,
//    so whatever a damaged file holds is written back as it was read.
QString decodeDataFile(QByteArrayView bytes);
QByteArray encodeDataFile(QStringView text);

// UTF-8 with every invalid byte kept: decoding turns byte b into U+DC00 + b, encoding turns it back.
QString decodeUtf8Keeping(QByteArrayView bytes);
QByteArray encodeUtf8Keeping(QStringView text);

inline constexpr char utf8ByteOrderMark[] = "\xEF\xBB\xBF";

} // namespace tallivor
