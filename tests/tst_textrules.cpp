// The pure text rules: numbers, the clock's rule for one row, the station file's text and bytes, the language file.
#include "lang/LanguageFile.h"
#include "rules/ClockRule.h"
#include "rules/Money.h"
#include "rules/Numbers.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

using namespace tallivor;

namespace {

// Rows of the board's clock: time, charge, price, seconds, then the new time and charge. A price of "stopped" stops
// the row.
// clang-format off
const QList<QStringList> clockRows{
    {"00:00", "00", "10", "1", "00:1", "00"}, {"00:00", "00", "10", "59", "00:59", "00"},
    {"00:00", "00", "10", "120", "2:0", "20"}, {"5:59", "50", "10", "1", "6:0", "60"},
    {"3:75", "0", "10", "1", "4:0", "10"}, {"1:2:3", "7", "10", "1", "1:3", "7"},
    {"999:59", "0", "1", "1", "1000:0", "1"}, {"007:58", "0", "1", "1", "007:59", "0"},
    {"007:58", "0", "1", "2", "8:0", "1"}, {"12:34", "0", "10", "1", "12:35", "0"},
    {"12:05", "0", "10", "1", "12:6", "0"}, {"5:09", "0", "10", "1", "5:10", "0"},
    {"12:58", "0", "10", "2", "13:0", "10"}, {"2: 5 ", "0", "1", "1", "2:6", "0"},
    {"1:-3", "0", "1", "1", "1:-2", "0"}, {"2:5.5", "0", "1", "1", "2:6.5", "0"},
    {"0:0", "00", "0.1", "180", "3:0", "0.3"}, {"0:59", "00", "abc", "1", "1:0", "0"},
    {"0:59", "3", "12 per minute", "1", "1:0", "15"}, {"0:59", "00", "-2.5", "1", "1:0", "-2.5"},
    {"0:59", "1E+308", "1E+308", "1", "1:0", "1E+308"}, {"0:59", "1E+400", "10", "1", "1:0", "1E+400"},
    // Sums of decimals that change sign lose digits: charged minute by minute, as a single second does.
    {"0:0", "-99999999999999.9", "99999999999999.8", "60", "1:0", "-0.109375"},
    {"0:59", "7", "stopped", "5", "0:59", "7"}, {"12", "7", "10", "3", "12", "7"}, {"1234", "7", "10", "1", "1234", "7"}, {"5:", "7", "10", "1", "5:", "7"},
    {":5", "7", "10", "1", ":5", "7"}, {"ab:59", "7", "10", "1", "ab:59", "7"}, {"1:\n5", "7", "10", "1", "1:\n5", "7"},
    {"1:2.5x", "7", "10", "1", "1:2.5x", "7"},
    {"", "7", "10", "1", "", "7"}};
// clang-format on

// A row after some seconds, counted second by second as the clock runs, then all at once as it catches up after a
// stall: time and charge each way, then the change each way reported.
QStringList afterSeconds(QString time, QString charge, const QString& price, int seconds)
{
    const bool running = price != QLatin1String("stopped");
    QString manyTime = time, manyCharge = charge;
    RowChange single = RowChange::None;
    for (int i = 0; i < seconds; ++i) {
        PriceReader reader(price);
        single = std::max(single, tickRow(time, charge, running, reader));
    }
    PriceReader reader(price);
    const RowChange many = advanceRow(manyTime, manyCharge, running, reader, seconds);
    return {time, charge, manyTime, manyCharge, QString::number(int(single)), QString::number(int(many))};
}

using NumberRow = std::tuple<QString, double, QString>; // text, its leading number, the number text of that

} // namespace

class TestTextRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The leading number of a text, and the number text written for that value.
    void numbers_data()
    {
        QTest::addColumn<NumberRow>("row");
        const QString nines(400, u'9'), zeros(400, u'0');
        // clang-format off
        const QList<NumberRow> rows{
            {"", 0, "0"}, {"abc", 0, "0"}, {"12abc", 12, "12"}, {" 1 2\t3\n4", 1234, "1234"}, {"- 5", -5, "-5"},
            {"5\r6", 5, "5"}, {"-3.25", -3.25, "-3.25"}, {"+2", 2, "2"}, {".5", 0.5, "0.5"}, {"5.", 5, "5"},
            {"1.5.3", 1.5, "1.5"}, {"1,5", 1, "1"}, {"1E3", 1000, "1000"}, {"25e-2", 0.25, "0.25"}, {"7E", 7, "7"},
            {"7E+x", 7, "7"}, {"--1", 0, "0"}, {"-", 0, "0"}, {"NaN", 0, "0"}, {"-0", -0.0, "0"},
            {"0.30000000000000004", 0.1 + 0.2, "0.3"}, {"999999999999999", 999999999999999, "999999999999999"},
            {"123456789012345.67", 123456789012345.67, "123456789012346"}, {"1E15", 1e15, "1E+15"},
            {"2.5e16", 2.5e16, "2.5E+16"}, {"0.0001", 0.0001, "0.0001"}, {"1E-5", 0.00001, "1E-05"},
            {"1.5E-07", 1.5e-7, "1.5E-07"}, {"1E+400", qInf(), "0"}, {"-1E400", -qInf(), "0"}, {"1E-400", 0, "0"},
            {nines + "x", qInf(), "0"}, {"0." + zeros + "1", 0, "0"}, {"1E+99999999999999999999", qInf(), "0"},
            {"1" + zeros + zeros + "E-0000000000000000100", qInf(), "0"}, {"0." + zeros + "1E+0000000000000000001", 0, "0"}};
        // clang-format on
        for (const NumberRow& row : rows)
            QTest::addRow("%s", qPrintable(std::get<0>(row).left(24))) << row;
    }
    void aPriceBeginsWithANumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        for (const char* text : {"25", " \t\n.5", "-1", "+.5", "5."})
            QTest::newRow(text) << QString::fromLatin1(text) << true;
        for (const char* text : {"", " ", ".", "-", "+.", "x1", "\r5", ". 5"})
            QTest::newRow(text) << QString::fromLatin1(text) << false;
    }
    void aPriceBeginsWithANumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, number);
        QCOMPARE(hasLeadingNumber(text), number);
    }

    void numbers()
    {
        QFETCH(NumberRow, row);
        const auto& [text, value, written] = row;
        QCOMPARE(leadingNumber(text), value);
        QCOMPARE(numberText(value), written);
    }

    // Money: "a op b" with op one of + - * (a decimal factor), x (a whole quantity), < and ==; "parse a" by the price
    // rules; "text a" as the board reads a charge; "charge a" written as the board writes one.
    void money_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("result");
        // clang-format off
        const QList<std::pair<const char*, const char*>> rows{
            {"0.1 + 0.2", "0.3"}, {"5 - 7.25", "-2.25"}, {"-0.1 + 0.1", "0"}, {"999999999999999.9 + 0.1", "1000000000000000"},
            {"1.5 * 0.5", "0.75"}, {"-0.1 * -3", "0.3"}, {"0.1 * 0", "0"}, {"2.5 x 3", "7.5"}, {"-1.25 x 4", "-5"}, {"7 x -2", "-14"},
            {"1.50 == 1.5", "yes"}, {"-0 == 0", "yes"}, {"-0 < 0", "no"}, {"-2 < -1.5", "yes"}, {"-1.5 < -2", "no"}, {"0.1 < 0.09", "no"}, {"-5 < 0.1", "yes"},
            {"0.1 < 5", "yes"}, {"3 < 3", "no"}, {"10 < 9.99", "no"},
            {"parse 25", "25"}, {"parse .5", "0.5"}, {"parse 5.", "5"}, {"parse 007.50", "7.5"}, {"parse 0", "0"},
            {"parse 1.2.3", "none"}, {"parse .", "none"}, {"parse 1,5", "none"}, {"parse -1", "none"}, {"parse 1a", "none"},
            {"text 12.5abc", "12.5"}, {"text 1E-05", "0.00001"}, {"text 00", "0"}, {"text 1E+400", "0"}, {"text -3", "-3"},
            {"text 2.5E+16", "25000000000000000"},
            {"charge 100", "100"}, {"charge 0.3", "0.3"}, {"charge -0.5", "-0.5"}, {"charge 0.00001", "1E-05"}, {"charge 0.0001", "0.0001"},
            {"charge 1234567890123456789", "1.23456789012346E+18"}, {"charge 999999999999999.95", "1E+15"},
            {"charge 123456789012345.67", "123456789012346"}, {"charge 0.1234567890123455", "0.123456789012346"}, {"charge 999999999999999", "999999999999999"},
            {"charge 0.000012345678901234567", "1.23456789012346E-05"}, {"charge 0", "0"}};
        // clang-format on
        for (const auto& [expression, result] : rows)
            QTest::newRow(expression) << QString::fromUtf8(expression) << QString::fromUtf8(result);
    }
    void money()
    {
        QFETCH(QString, expression);
        QFETCH(QString, result);
        const QStringList parts = expression.split(u' ');
        const auto of = [](const QString& text) {
            const bool negative = text.startsWith(u'-');
            const Money magnitude = *Money::parse(text.mid(negative ? 1 : 0));
            return negative ? -magnitude : magnitude;
        };
        QString got;
        if (parts[0] == u"parse") {
            const std::optional<Money> parsed = Money::parse(parts[1]);
            got = parsed ? parsed->text() : QStringLiteral("none");
        } else if (parts[0] == u"text") {
            got = Money::ofText(parts[1]).text();
        } else if (parts[0] == u"charge") {
            got = of(parts[1]).chargeText();
        } else {
            const Money a = of(parts[0]), b = of(parts[2]);
            const QString& op = parts[1];
            if (op == u"<" || op == u"==")
                got = (op == u"<" ? a < b : a == b) ? QStringLiteral("yes") : QStringLiteral("no");
            else
                got = (op == u"+"   ? a + b
                       : op == u"-" ? a - b
                       : op == u"*" ? a.times(b)
                                    : a.times(parts[2].toLongLong()))
                          .text();
        }
        QCOMPARE(got, result);
    }

    void clockRow_data()
    {
        QTest::addColumn<QStringList>("row");
        // clang-format off
        for (const QStringList& row : clockRows)
            QTest::addRow("%s %s, %s s at %s", qPrintable(row[0]), qPrintable(row[1]), qPrintable(row[3]), qPrintable(row[2])) << row;
        // clang-format on
    }
    void clockRow()
    {
        QFETCH(QStringList, row);
        const QStringList got = afterSeconds(row[0], row[1], row[2], row[3].toInt());
        QCOMPARE(got, QStringList({row[4], row[5], row[4], row[5], got[4], got[4]}));
    }

    void manySecondsAreThatManySingleSeconds()
    {
        // Random rows, the common ones most often, now and then the time or charge of a row above; many charges run
        // down to zero and past it, where sums with decimal places may lose digits. A fixed seed repeats a failure.
        QRandomGenerator random(2024);
        const auto pick = [&random](qsizetype bound) { return int(random.bounded(int(bound))); };
        const QStringList prices{"10", "0", "-3", "0.1", "2.5", "-0.35", "0.05", "12 per minute", "abc", "1E+308"};
        for (int i = 0; i < 1500; ++i) {
            const QString price = prices[pick(prices.size())];
            const double perMinute = tallivor::leadingNumber(price);
            double value = double(random.bounded(quint64(1) << pick(50))) / std::pow(10.0, pick(7));
            if (pick(2) == 0 && perMinute != 0 && std::isfinite(perMinute))
                value = -std::copysign(std::fmod(value, std::abs(perMinute) * (1 + pick(100))), perMinute);
            const QStringList& odd = clockRows[pick(clockRows.size())];
            const QString time = pick(4) == 0 ? odd[0] : QStringLiteral("%1:%2").arg(pick(3000)).arg(pick(60));
            const QString charge = pick(4) == 0 ? odd[1] : tallivor::numberText(value);
            const int seconds = pick(3) == 0 ? pick(120) : pick(5000);
            const QStringList got = afterSeconds(time, charge, price, seconds);
            QVERIFY2(got.mid(0, 2) == got.mid(2, 2) && got[4] == got[5],
                     qPrintable(QStringList({QString::number(seconds), time, charge, price, "|"}).join(u' ') +
                                got.join(u' ')));
        }
    }

    void stationFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("board"); // "price|language" ("-" when the header lacks it), then the rows
        QTest::addColumn<int>("lineCount");
        // clang-format off
        QTest::newRow("header and two rows") << "10,English.xml\r\nStart,Computer 2,30:40,1000\r\nStop,Table 1,0:0,00\r\n" << QStringList{"10|English.xml", "Start|Computer 2|30:40|1000", "Stop|Table 1|0:0|00"} << 3;
        QTest::newRow("header of one field") << "12\r\n" << QStringList{"12|-"} << 1;
        QTest::newRow("extra header fields ignored") << "5,D.xml,x\r\n" << QStringList{"5|D.xml"} << 1;
        QTest::newRow("empty header, then a row") << "\r\nStop,A,1:2,3\r\n" << QStringList{"-|-", "Stop|A|1:2|3"} << 2;
        QTest::newRow("empty fields are fields") << ",\r\n,,,\r\n" << QStringList{"|", "|||"} << 2;
        QTest::newRow("fields after the fourth ignored") << "1,E\r\nStop,A,1:2,3,junk\r\n" << QStringList{"1|E", "Stop|A|1:2|3"} << 2;
        QTest::newRow("empty line no row, short rows completed") << "1,E\r\nStop\r\n\r\nStop,A\r\nStop,A,1:0\r\n" << QStringList{"1|E", "Stop|||", "Stop|A||", "Stop|A|1:0|"} << 5;
        QTest::newRow("blanks kept") << " 10 , E \r\n Stop , A ,0:0,0" << QStringList{" 10 | E ", " Stop | A |0:0|0"} << 2;
        QTest::newRow("lone CR ends a line, lone LF is text") << "1,E\rS,A\nB,0:0\n\rT" << QStringList{"1|E", "S|A\nB|0:0\n|", "T|||"} << 3;
        QTest::newRow("empty file") << "" << QStringList{"-|-"} << 0;
        QTest::newRow("the line counter stops at 32,767") << "1,E\r\n" + QString(40000, u'\r') + "S" << QStringList{"1|E", "S|||"} << 32767;
        // clang-format on
    }
    void stationFile()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, board);
        QFETCH(int, lineCount);
        const auto boardOf = [](const StationFile& f) {
            QStringList rows{f.price.value_or(QStringLiteral("-")) + u'|' + f.language.value_or(QStringLiteral("-"))};
            for (qsizetype i = 0; i < f.name.size(); ++i)
                rows << QStringList{f.state.value(i), f.name[i], f.spent.value(i), f.charge.value(i)}.join(u'|');
            return rows;
        };
        const StationFile file = parseStationFile(text);
        QCOMPARE(boardOf(file), board);
        QCOMPARE(file.state.size() + file.spent.size() + file.charge.size(), 3 * file.name.size());
        QCOMPARE(int(file.lineCount), lineCount);
        // What is written reads back as the same board.
        const QString formatted = formatStationFile(file);
        const StationFile again = parseStationFile(formatted);
        QCOMPARE(boardOf(again).mid(1), board.mid(1));
        QCOMPARE(formatted.count(QStringLiteral("\r\n")), board.size()); // every line ends with CR LF
    }

    void bytes_data()
    {
        // The system code page is UTF-8 here; a byte that is not valid UTF-8 is carried as U+DC00 + the byte.
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const auto text = [](std::initializer_list<char16_t> units) {
            return QString(reinterpret_cast<const QChar*>(units.begin()), qsizetype(units.size()));
        };
        // clang-format off
        QTest::newRow("invalid bytes, NUL") << QByteArray("\xFF\x80\0\xC3", 4) << text({0xDCFF, 0xDC80, 0, 0xDCC3});
        QTest::newRow("three-byte characters after a bad byte") << QByteArray("\xFF\xEF\xBC\x8C\xE2\x82\xAC") << text({0xDCFF, 0xFF0C, 0x20AC});
        QTest::newRow("four-byte lead, then no continuation") << QByteArray("\xF1x\x80\x80") << text({0xDCF1, 'x', 0xDC80, 0xDC80});
        QTest::newRow("two- and three-byte leads, then no continuation") << QByteArray("\xC3(\xE2(\xA1") << text({0xDCC3, '(', 0xDCE2, '(', 0xDCA1});
        QTest::newRow("cut short at the end") << QByteArray("\xE2\x82") << text({0xDCE2, 0xDC82});
        QTest::newRow("a surrogate") << QByteArray("\xED\xA0\x80") << text({0xDCED, 0xDCA0, 0xDC80});
        QTest::newRow("the first four-byte character after a bad byte") << QByteArray("\xFF\xF0\x90\x80\x80") << text({0xDCFF, 0xD800, 0xDC00});
        QTest::newRow("four-byte character, a bad byte, a two-byte one at the end") << QByteArray("\xF0\x9F\x92\xBB\x80\xC3\xA9") << text({0xD83D, 0xDCBB, 0xDC80, 0xE9});
        QTest::newRow("the last two-byte and four-byte leads after a bad byte") << QByteArray("\xFF\xDF\xBF\xF4\x8F\xBF\xBF") << text({0xDCFF, 0x07FF, 0xDBFF, 0xDFFF});
        QTest::newRow("U+FEFF after a bad byte") << QByteArray("\xFF\xEF\xBB\xBF") << text({0xDCFF, 0xFEFF});
        QTest::newRow("text that starts with U+FEFF gets a mark") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << text({0xFEFF, 'x'});
        // clang-format on
    }
    void bytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(decodeDataFile(bytes), text);
        QCOMPARE(encodeDataFile(text), bytes);    // whatever a file holds is written back as it was read
        if (!bytes.startsWith(utf8ByteOrderMark)) // a byte-order mark makes the rest read as UTF-8
            QCOMPARE(decodeDataFile(utf8ByteOrderMark + bytes), text);
    }

    void languageFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries"); // "k=value" for each numbered entry set, then "key:value" sorted
        QTest::addColumn<int>("lineCount");
        // clang-format off
        QTest::newRow("empty") << QByteArray() << QStringList{} << 0;
        QTest::newRow("heading only") << QByteArray("k=ignored\r\n") << QStringList{} << 1;
        QTest::newRow("values") << QByteArray("h\r\na=b=c\r\nb= Add \r\nc=\r\n") << QStringList{"1=b", "2= Add ", "3="} << 3;
        QTest::newRow("by line number") << QByteArray("h\r\nno equals\r\n\r\n=x\r\nkey=y\ra=x\ny") << QStringList{"3=x", "4=y", "5=x\ny"} << 5;
        QTest::newRow("the line counter stops at 32,767") << "h\r\n" + QByteArray(40000, '\r') << QStringList{} << 32767;
        QTest::newRow("keyed entries after line 23") << "h\r\n" + QByteArray("-\r\n").repeated(21) + "Unit=$\r\n Report = Rapporto=x\r\nno key\r\nReport=again\r\n" + QByteArray(65, 'k') + "=long\r\nReportTo=a\r\n"
                                                     << QStringList{"22=$", "Report: Rapporto", "ReportTo:a"} << 27;
        // clang-format on
    }
    void languageFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        QFETCH(int, lineCount);
        const LanguageFile file = parseLanguageFile(decodeDataFile(bytes));
        QVERIFY(!file.entries[0]);
        QStringList got, keyed;
        for (int k = 1; k <= languageEntryCount; ++k)
            got << (file.entries[k] ? QStringLiteral("%1=%2").arg(k).arg(*file.entries[k]) : QString());
        got.removeAll(QString());
        for (auto i = file.keyed.begin(); i != file.keyed.end(); ++i)
            keyed << i.key() + u':' + i.value();
        keyed.sort();
        QCOMPARE(got + keyed, entries);
        QCOMPARE(int(file.lineCount), lineCount);
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
