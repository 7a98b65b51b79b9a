// The station file from arbitrary bytes: reading never fails, reads what the format says, and what the board writes
// back reads as the same board.
#include "FuzzSupport.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"
#include "store/TextLines.h"

#include <limits>

using namespace tallivor;
using namespace fuzzing;

namespace {

// What the reader should make of the text, built from the reference line and field rules.
struct Expected
{
    std::optional<QString> price, language;
    QStringList state, name, time, charge;
    qsizetype lines = 0;
};

Expected expectedFile(QStringView text)
{
    Expected file;
    const QStringList lines = referenceLines(text);
    file.lines = lines.size();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList fields = referenceFields(lines[i]);
        if (i == 0) {
            if (fields.size() > 0)
                file.price = fields[0];
            if (fields.size() > 1)
                file.language = fields[1];
            continue;
        }
        if (fields.isEmpty())
            continue; // an empty line adds no row
        const auto field = [&](qsizetype k) { return k < fields.size() ? fields[k] : QString(); };
        file.state.append(field(0));
        file.name.append(field(1));
        file.time.append(field(2));
        file.charge.append(field(3));
    }
    return file;
}

void checkColumnsAligned(const StationFile& file, const char* when)
{
    const qsizetype rows = file.name.size();
    if (file.state.size() != rows || file.time.size() != rows || file.charge.size() != rows)
        fail("the four columns have different lengths",
             std::string(when) + ": state " + std::to_string(file.state.size()) + ", name " + std::to_string(rows) +
                 ", time " + std::to_string(file.time.size()) + ", charge " + std::to_string(file.charge.size()));
}

void checkColumn(const QStringList& got, const QStringList& expected, const char* what)
{
    check(got == expected, what, "got      " + printable(got) + "\nexpected " + printable(expected));
}

void checkLineRules(QStringView text)
{
    const QStringList lines = referenceLines(text);
    const QList<QStringView> split = splitLines(text);
    check(toStrings(split) == lines, "splitLines does not cut the text at CR LF and lone CR",
          "got      " + printable(toStrings(split)) + "\nexpected " + printable(lines));
    for (const QStringView line : split) {
        const QStringList fields = toStrings(splitFields(line, u','));
        check(fields == referenceFields(line), "splitFields does not cut the line at every comma",
              "line \"" + printable(line) + "\"\ngot      " + printable(fields));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes = bytesOf(data, size);
    const QString text = decodeDataFile(bytes);

    // Whatever a file holds is written back byte for byte, damaged UTF-8 included. (A leading byte-order mark is
    // read as a marker, not as text, so such a file may come back without it.)
    if (!bytes.startsWith(byteOrderMark)) {
        const QByteArray again = encodeDataFile(text);
        check(again == bytes, "encodeDataFile(decodeDataFile(bytes)) differs from bytes",
              "bytes   " + printable(bytes) + "\nwritten " + printable(QByteArrayView(again)));
    }

    checkLineRules(text);

    const StationFile file = parseStationFile(text);
    checkColumnsAligned(file, "read");
    const Expected expected = expectedFile(text);
    check(file.price == expected.price, "price read wrongly",
          "got " + printable(file.price) + ", expected " + printable(expected.price));
    check(file.language == expected.language, "language read wrongly",
          "got " + printable(file.language) + ", expected " + printable(expected.language));
    checkColumn(file.state, expected.state, "state column read wrongly");
    checkColumn(file.name, expected.name, "name column read wrongly");
    checkColumn(file.time, expected.time, "time column read wrongly");
    checkColumn(file.charge, expected.charge, "charge column read wrongly");
    const qsizetype lineCount = std::min<qsizetype>(expected.lines, std::numeric_limits<qint16>::max());
    check(file.lineCount == lineCount, "lineCount is not the number of lines (stopping at 32,767)",
          "got " + std::to_string(file.lineCount) + ", expected " + std::to_string(lineCount));

    // Save the board the way the program does: the price box starts as "10" and keeps it when the file has no
    // price; a missing or empty language is the default one.
    const QString price = file.price.value_or(QStringLiteral("10"));
    const QString language =
        file.language && !file.language->isEmpty() ? *file.language : QStringLiteral("English.xml");
    const QByteArray written =
        encodeDataFile(formatStationFile(price, language, file.state, file.name, file.time, file.charge));

    const StationFile reread = parseStationFile(decodeDataFile(written));
    checkColumnsAligned(reread, "read back");
    const std::string source = "file    " + printable(bytes) + "\nwritten " + printable(QByteArrayView(written));
    check(reread.price == price, "price changed on the way through the file",
          source + "\nprice " + printable(std::optional(price)) + " read back as " + printable(reread.price));
    check(reread.language == language, "language changed on the way through the file",
          source + "\nlanguage " + printable(std::optional(language)) + " read back as " + printable(reread.language));
    checkColumn(reread.state, file.state, "state column changed on the way through the file");
    checkColumn(reread.name, file.name, "name column changed on the way through the file");
    checkColumn(reread.time, file.time, "time column changed on the way through the file");
    checkColumn(reread.charge, file.charge, "charge column changed on the way through the file");
    return 0;
}
