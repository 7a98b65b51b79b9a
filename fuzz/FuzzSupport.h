// Helpers shared by the fuzz targets: a check that stops the run with a readable message, a printable form of texts,
// and small reference versions of the line rules, written out longhand so that they do not share code with the
// program's own splitters.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace fuzzing {

// A text as printable ASCII: controls and everything past ASCII as \xNN or \uNNNN, long texts cut short.
inline std::string printable(QStringView text)
{
    std::string out;
    const qsizetype shown = std::min<qsizetype>(text.size(), 200);
    for (qsizetype i = 0; i < shown; ++i) {
        const char16_t c = text[i].unicode();
        char buffer[16];
        if (c == u'\\')
            out += "\\\\";
        else if (c >= 0x20 && c < 0x7F)
            out += char(c);
        else if (c == u'\r')
            out += "\\r";
        else if (c == u'\n')
            out += "\\n";
        else if (c < 0x100)
            std::snprintf(buffer, sizeof buffer, "\\x%02X", unsigned(c)), out += buffer;
        else
            std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(c)), out += buffer;
    }
    if (shown < text.size())
        out += "... (" + std::to_string(text.size()) + " characters)";
    return out;
}

inline std::string printable(QByteArrayView bytes)
{
    return printable(QString::fromLatin1(bytes));
}

inline std::string printable(const std::optional<QString>& text)
{
    return text ? "\"" + printable(QStringView(*text)) + "\"" : std::string("(none)");
}

inline std::string printable(const QStringList& list)
{
    std::string out = "[";
    for (qsizetype i = 0; i < list.size() && i < 8; ++i)
        out += (i ? ", \"" : "\"") + printable(QStringView(list[i])) + "\"";
    if (list.size() > 8)
        out += ", ... (" + std::to_string(list.size()) + " entries)";
    return out + "]";
}

// Stops the run with a message when a property does not hold; libFuzzer then saves the input that broke it.
[[noreturn]] inline void fail(const char* what, const std::string& details = {})
{
    std::fprintf(stderr, "\n*** property broken: %s\n", what);
    if (!details.empty())
        std::fprintf(stderr, "%s\n", details.c_str());
    std::fflush(stderr);
    std::abort();
}

inline void check(bool holds, const char* what, const std::string& details = {})
{
    if (!holds)
        fail(what, details);
}

// The lines of a data file: a line ends at CR LF or at a lone CR, a lone LF is text; no empty line after a final line
// end.
inline QStringList referenceLines(QStringView text)
{
    QStringList lines;
    QString current;
    bool open = false; // a line has started and not ended
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            lines.append(current);
            current.clear();
            open = false;
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            current.append(text[i]);
            open = true;
        }
    }
    if (open)
        lines.append(current);
    return lines;
}

// The fields of a line cut at every comma; an empty line has none.
inline QStringList referenceFields(QStringView line)
{
    QStringList fields;
    if (line.isEmpty())
        return fields;
    QString current;
    for (const QChar c : line) {
        if (c == u',') {
            fields.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    fields.append(current);
    return fields;
}

template <typename Views>
QStringList toStrings(const Views& views)
{
    QStringList strings;
    for (const auto& view : views)
        strings.append(view.toString());
    return strings;
}

inline QByteArrayView bytesOf(const uint8_t* data, size_t size)
{
    return QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size));
}

inline constexpr QByteArrayView byteOrderMark("\xEF\xBB\xBF", 3);

} // namespace fuzzing
