#include "store/Csv.h"

#include "store/TextCodec.h"

#include <algorithm>
#include <optional>

namespace tallivor {
namespace {

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

QString decodeCsv(QByteArrayView bytes)
{
    const QByteArrayView mark(utf8ByteOrderMark, 3);
    if (bytes.startsWith(mark))
        return decodeUtf8Keeping(bytes.sliced(3));
    if (bytes.isValidUtf8())
        return decodeUtf8Keeping(bytes);
    // Saved by a spreadsheet in the ANSI code page; where the system's is UTF-8, the stray bytes are kept as they
    // were, so a file the program cannot read is not damaged further by writing it back.
    return decodeDataFile(bytes);
}

QChar separatorOf(QStringView text)
{
    const auto start = std::find_if_not(text.begin(), text.end(), isLineEnd);
    const QStringView heading(start, std::find_if(start, text.end(), isLineEnd));
    return heading.contains(u';') && !heading.contains(u',') ? u';' : u',';
}

class CsvReader
{
public:
    CsvReader(QStringView text, QChar separator) : m_text(text), m_separator(separator) {}

    // The next record, or nothing at the end of the text.
    std::optional<CsvRecord> next()
    {
        while (isLineEnd(at(m_at)))
            skipLineEnd();
        if (m_at >= m_text.size())
            return std::nullopt;
        CsvRecord record;
        record.line = m_line;
        const qsizetype start = m_at;
        QStringList fields;
        if (readFields(fields)) {
            record.fields = fields;
        } else {
            m_at = std::find_if(m_text.begin() + start, m_text.end(), isLineEnd) - m_text.begin();
            m_line = record.line;
            record.wellFormed = false;
        }
        record.raw = m_text.sliced(start, m_at - start).toString();
        if (isLineEnd(at(m_at)))
            skipLineEnd();
        return record;
    }

private:
    QStringView m_text;
    QChar m_separator;
    qsizetype m_at = 0;
    int m_line = 1;

    // The character at i, or a null one past the end.
    QChar at(qsizetype i) const
    {
        const QStringView rest = m_text.mid(i);
        return rest.isEmpty() ? QChar() : rest.front();
    }

    void skipLineEnd()
    {
        if (at(m_at) == u'\r' && at(m_at + 1) == u'\n')
            ++m_at;
        ++m_at;
        ++m_line;
    }

    // Reads up to the record's line end, or to the end of the text; false when the record is not well-formed.
    bool readFields(QStringList& fields)
    {
        while (true) {
            QString field;
            if (at(m_at) == u'"') {
                // A quoted field runs to the quote that is not doubled, over any line break.
                for (++m_at;; ++m_at) {
                    const qsizetype quote = m_text.indexOf(u'"', m_at);
                    if (quote == -1)
                        return false;
                    const QStringView piece = m_text.sliced(m_at, quote - m_at);
                    m_line += int(piece.count(u'\n') + piece.count(u'\r') - piece.count(u"\r\n"));
                    field += piece;
                    m_at = quote + 1;
                    if (at(m_at) != u'"')
                        break;
                    field += u'"';
                }
                if (m_at < m_text.size() && at(m_at) != m_separator && !isLineEnd(at(m_at)))
                    return false;
            } else {
                const auto end = std::find_if(m_text.begin() + m_at, m_text.end(),
                                              [this](QChar c) { return c == m_separator || isLineEnd(c); });
                const QStringView piece(m_text.begin() + m_at, end);
                if (piece.contains(u'"'))
                    return false;
                field = piece.toString();
                m_at = end - m_text.begin();
            }
            fields.append(field);
            if (at(m_at) != m_separator)
                return true;
            ++m_at;
        }
    }
};

} // namespace

CsvFile parseCsv(QByteArrayView bytes)
{
    const QString text = decodeCsv(bytes);
    CsvFile file;
    file.separator = separatorOf(text);
    CsvReader reader(text, file.separator);
    if (std::optional<CsvRecord> heading = reader.next())
        file.heading = std::move(*heading);
    while (std::optional<CsvRecord> record = reader.next())
        file.records.push_back(std::move(*record));
    return file;
}

QString csvLine(const QStringList& fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        const QString& field = fields[i];
        const bool quoted =
            std::any_of(field.begin(), field.end(), [](QChar c) { return c == u',' || c == u'"' || isLineEnd(c); }) ||
            (fields.size() == 1 && field.isEmpty());
        if (quoted)
            line += u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"';
        else
            line += field;
    }
    return line;
}

QByteArray formatCsv(const QStringList& heading, const std::vector<CsvLine>& lines)
{
    QString text = csvLine(heading) + QStringLiteral("\r\n");
    for (const CsvLine& line : lines) {
        text += std::holds_alternative<QString>(line) ? std::get<QString>(line) : csvLine(std::get<QStringList>(line));
        text += QStringLiteral("\r\n");
    }
    return QByteArray(utf8ByteOrderMark, 3) + encodeUtf8Keeping(text);
}

} // namespace tallivor
