#include "store/TextCodec.h"

#include <QStringConverter>

#include <algorithm>

namespace tallivor {
namespace {

constexpr char16_t keptByteBase = 0xDC00;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at bytes[i], or 0 when the byte there does not start one.
qsizetype validSequenceLength(QByteArrayView bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(bytes[i + k]); };
    const unsigned char lead = at(0);
    const qsizetype left = bytes.size() - i;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && isContinuation(at(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !isContinuation(at(1)) || !isContinuation(at(2)))
            return 0;
        if (lead == 0xE0 && at(1) < 0xA0) // overlong
            return 0;
        if (lead == 0xED && at(1) >= 0xA0) // a surrogate
            return 0;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !isContinuation(at(1)) || !isContinuation(at(2)) || !isContinuation(at(3)))
            return 0;
        if (lead == 0xF0 && at(1) < 0x90) // overlong
            return 0;
        if (lead == 0xF4 && at(1) >= 0x90) // beyond U+10FFFF
            return 0;
        return 4;
    }
    return 0;
}

#ifdef Q_OS_WIN
constexpr bool systemIsUtf8 = false;
#else
constexpr bool systemIsUtf8 = true; // Qt takes the locale's encoding to be UTF-8 on these systems
#endif

// QString::fromUtf8 drops a byte-order mark at the start of what it is given; here U+FEFF is text like any other.
QString decodeUtf8Text(QByteArrayView bytes)
{
    QStringDecoder decode(QStringConverter::Utf8,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decode(bytes);
}

} // namespace

QString decodeUtf8Keeping(QByteArrayView bytes)
{
    if (bytes.isValidUtf8())
        return decodeUtf8Text(bytes);
    QString text;
    text.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype length = validSequenceLength(bytes, i);
        if (length == 1) {
            text.append(QChar(char16_t(static_cast<unsigned char>(bytes[i]))));
        } else if (length > 1) {
            text.append(decodeUtf8Text(bytes.sliced(i, length)));
        } else {
            text.append(QChar(char16_t(keptByteBase + static_cast<unsigned char>(bytes[i]))));
            ++i;
            continue;
        }
        i += length;
    }
    return text;
}

QByteArray encodeUtf8Keeping(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype runStart = 0;
    const auto flushRun = [&](qsizetype end) {
        if (end > runStart)
            bytes.append(text.sliced(runStart, end - runStart).toUtf8());
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool keptByte = c >= keptByteBase + 0x80 && c <= keptByteBase + 0xFF;
        if (!keptByte)
            continue;
        // A kept byte stands alone; a low surrogate after a high one is half of a real character.
        if (i > 0 && QChar::isHighSurrogate(text[i - 1].unicode()))
            continue;
        flushRun(i);
        bytes.append(char(c - keptByteBase));
        runStart = i + 1;
    }
    flushRun(text.size());
    return bytes;
}

QString decodeDataFile(QByteArrayView bytes)
{
    const QByteArrayView bom(utf8ByteOrderMark, 3);
    if (bytes.startsWith(bom))
        return decodeUtf8Keeping(bytes.sliced(3));
    if constexpr (systemIsUtf8)
        return decodeUtf8Keeping(bytes);
    QStringDecoder decode(QStringConverter::System);
    return decode(bytes);
}

QByteArray encodeDataFile(QStringView text)
{
    // Most boards are plain ASCII, which every code page writes as it is.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLatin1();
    // Text that starts with U+FEFF gets a byte-order mark in front, or reading would take its first character for one.
    const bool startsWithMark = text.startsWith(QChar(0xFEFF));
    if constexpr (systemIsUtf8)
        return startsWithMark ? QByteArray(utf8ByteOrderMark, 3) + encodeUtf8Keeping(text) : encodeUtf8Keeping(text);
    QStringEncoder encode(QStringConverter::System);
    QByteArray bytes = encode(text);
    QStringDecoder decode(QStringConverter::System);
    if (!startsWithMark && QString(decode(bytes)) == text)
        return bytes;
    return QByteArray(utf8ByteOrderMark, 3) + encodeUtf8Keeping(text);
}

} // namespace tallivor
