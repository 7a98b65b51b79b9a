#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace tallivor {

// The station file: a header line "price,language", then one line "state,name,time,charge" per station row, in
// board order, with two optional fields after those four: the station's own price, and its paid time ("60:0").
// Fields are separated by "," with no quoting; every line ends with CR LF.
struct StationFile
{
    std::optional<QString> price;    // header field 0, when the header has it
    std::optional<QString> language; // header field 1, when the header has it
    // The rows, column by column: entry i of each list belongs to row i, and the four lists have one length.
    QStringList state, name, spent, charge;
    // The optional fields of each row: the station's own price (a text that holds a number, as the header's price)
    // and its paid time (whole minutes ":" seconds); empty for a row without one, or whose field held anything else.
    QStringList ownPrice, paid;
    // Lines read, counted as a 16-bit signed counter that stops at 32,767.
    qint16 lineCount = 0;

    qsizetype rowCount() const { return name.size(); }
};

// Reads the text of a station file. The first line is the header; extra header fields and fields after the sixth of
// a row are ignored; an empty line adds no row; a row line with fewer than four fields is completed with empty fields,
// so that no text of the file is lost and the columns keep one length.
StationFile parseStationFile(QStringView text);

// Writes the text of a station file: the header (an empty field for a price or language it does not have), then one
// line per entry of name. Entries missing from the other columns are written as empty fields; the optional fields
// only for a row that has one, and never as trailing empty fields, so that a board without them writes the four
// fields alone.
QString formatStationFile(const StationFile& file);

// Writes a station file's text line by line, as formatStationFile() does, for a board that holds its rows itself.
class StationFileWriter
{
public:
    StationFileWriter(const QString& price, const QString& language, qsizetype rows);
    void row(const QString& state, const QString& name, const QString& spent, const QString& charge,
             const QString& ownPrice = {}, const QString& paid = {});
    QString take() { return std::move(m_text); }

private:
    QString m_text;
};

// Whether a text can be a field of the station file and read back as the same text: fields are separated by ","
// and lines end at a CR, so a field carries neither; nor any other control character (a line feed, a tab), which
// has no place in a name, a price, a state word or a file name.
bool fitsStationField(QStringView text);
// Whether the text can be a station's own price: it begins with a number and fits a field ("25", "0.5", ".5").
bool isOwnPrice(QStringView text);

// The name the file has in the program folder.
inline constexpr char stationFileName[] = "tallivor.xml";

} // namespace tallivor
