// The program's own lists: the CSV reader and writer.
#include "store/Csv.h"
#include "store/TextCodec.h"

#include <QtTest>

using namespace tallivor;

class TestFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Bytes read: each record as "line:field|field" or, not well-formed, "line!raw"; then the file written back.
    void csv_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("records");
        QTest::addColumn<QByteArray>("written");
        const QString kept = QChar(0xDCE9);
        // clang-format off
        QTest::newRow("quoted separators and quotes, a lone empty field") << QByteArray("h,i\r\n\"a,b\",\"say \"\"hi\"\"\",\r\n\"\"\r\n") << QStringList{"1:h|i", "2:a,b|say \"hi\"|", "3:"} << QByteArray("h,i\r\n\"a,b\",\"say \"\"hi\"\"\",\r\n\"\"\r\n");
        QTest::newRow("quoted line breaks span lines") << QByteArray("h\n\"x\r\ny\",z\n\"\n\"\n\"w\"") << QStringList{"1:h", "2:x\r\ny|z", "4:\n", "6:w"} << QByteArray("h\r\n\"x\r\ny\",z\r\n\"\n\"\r\nw\r\n");
        QTest::newRow("lone CR and LF, empty lines skipped") << QByteArray("\r\nh\ra\n\nb\r\n\r\rc") << QStringList{"2:h", "3:a", "5:b", "8:c"} << QByteArray("h\r\na\r\nb\r\nc\r\n");
        QTest::newRow("not well-formed: one line each, kept raw") << QByteArray("h\na\"b,c\n\"x\"y,z\n\"a\nb\"x\n\"open\nnext") << QStringList{"1:h", "2!a\"b,c", "3!\"x\"y,z", "4!\"a", "5!b\"x", "6!\"open", "7:next"} << QByteArray("h\r\na\"b,c\r\n\"x\"y,z\r\n\"a\r\nb\"x\r\n\"open\r\nnext\r\n");
        QTest::newRow("semicolons") << QByteArray("\np;q\r\n\"1;2\";a,b\r\n") << QStringList{"2:p|q", "3:1;2|a,b"} << QByteArray("p,q\r\n1;2,\"a,b\"\r\n");
        QTest::newRow("a comma in the heading keeps commas") << QByteArray("a;b,c\r\nx;y,z\r\n\"open") << QStringList{"1:a;b|c", "2:x;y|z", "3!\"open"} << QByteArray("a;b,c\r\nx;y,z\r\n\"open\r\n");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFh\r\n\xC3\xA9\r\n") << QStringList{"1:h", "2:\u00E9"} << QByteArray("h\r\n\xC3\xA9\r\n");
        QTest::newRow("not UTF-8: the system code page, stray bytes kept") << QByteArray("h\r\n\xE9t\xE9\r\n") << QStringList{"1:h", "2:" + kept + "t" + kept} << QByteArray("h\r\n\xE9t\xE9\r\n");
        // clang-format on
    }
    void csv()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, records);
        QFETCH(QByteArray, written);
        const CsvFile file = parseCsv(bytes);
        QStringList got;
        std::vector<CsvLine> lines;
        for (const CsvRecord& r : file.records)
            lines.push_back(r.wellFormed ? CsvLine(r.fields) : CsvLine(r.raw));
        std::vector<CsvRecord> all{file.heading};
        all.insert(all.end(), file.records.begin(), file.records.end());
        for (const CsvRecord& r : all)
            got << QString::number(r.line) + (r.wellFormed ? u':' + r.fields.join(u'|') : u'!' + r.raw);
        QCOMPARE(got, records);
        QCOMPARE(formatCsv(file.heading.fields, lines), utf8ByteOrderMark + written);
    }
};

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
