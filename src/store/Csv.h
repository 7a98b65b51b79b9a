#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringList>

#include <variant>
#include <vector>

namespace tallivor {

// The program's own lists (products, operators, rates) are CSV files that any spreadsheet opens: UTF-8 with a
// byte-order mark, CR LF, RFC 4180 quoting, a heading line first. They are read back from whatever a spreadsheet
// saved: with or without the mark, in the system code page when the bytes are not UTF-8, with ";" between fields
// when the heading holds a ";" and no ",", with any of CR LF, LF or CR ending a line.

// One record of a file: its fields, and the text it stood as (without its line end), so that a line the program
// cannot use is written back exactly as it was.
struct CsvRecord
{
    QStringList fields; // empty for a record that is not well-formed
    QString raw;
    int line = 0; // where it starts in the file, the first line being 1
    // False for a stray quote in an unquoted field, an unclosed quote or text after a closing one. Such a record is
    // the one line it starts on: a stray quote never swallows the lines after it.
    bool wellFormed = true;
};

struct CsvFile
{
    CsvRecord heading; // line 0 when the file holds nothing but empty lines
    std::vector<CsvRecord> records;
    QChar separator = u',';
};

// Reads a file; empty lines are no records.
CsvFile parseCsv(QByteArrayView bytes);

// A line to write: its fields, or a kept record's raw text, written as it stands.
using CsvLine = std::variant<QStringList, QString>;

// A line's text: comma-separated, a field quoted (in double quotes, a quote doubled) when it holds a comma, a quote,
// a CR or a LF, and a lone empty field quoted too, or it would read back as an empty line and vanish.
QString csvLine(const QStringList& fields);

// The whole file in the program's format: the mark, the heading, the lines, each ended by CR LF.
QByteArray formatCsv(const QStringList& heading, const std::vector<CsvLine>& lines);

} // namespace tallivor
