// The pure text rules: numbers, the clock's rule for one row, the station file's text and bytes, the language file
// and the re-labelling of state words.
#include "board/ClockRule.h"
#include "board/Numbers.h"
#include "lang/LanguageFile.h"
#include "lang/Relabel.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

using namespace tallivor;

class TestTextRules : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void leadingNumber_data();
    void leadingNumber();
    void numberText_data();
    void numberText();
    void clockRow_data();
    void clockRow();
    void manySecondsAreThatManySingleSeconds();
    void stationFile_data();
    void stationFile();
    void bytes_data();
    void bytes();
    void languageFile_data();
    void languageFile();
    void relabel_data();
    void relabel();
};

void TestTextRules::initTestCase()
{
    // A decimal comma would be read back as the end of the number, dropping the fraction of every charge.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void TestTextRules::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    const QString nines(400, u'9'), zeros(400, u'0');
    // clang-format off
    const QList<std::pair<QString, double>> rows{
        {"", 0}, {"abc", 0}, {"12abc", 12}, {" 1 2\t3\n4", 1234}, {"- 5", -5}, {"5\r6", 5}, {"-3.25", -3.25},
        {"+2", 2}, {".5", 0.5}, {"5.", 5}, {"1.5.3", 1.5}, {"1,5", 1}, {"1E3", 1000}, {"25e-2", 0.25}, {"7E", 7},
        {"7E+x", 7}, {"--1", 0}, {"-", 0}, {"NaN", 0}, {"1E+400", qInf()}, {"-1E400", -qInf()}, {"1E-400", 0},
        {nines + "x", qInf()}, {"0." + zeros + "1", 0}, {"1E+99999999999999999999", qInf()},
        {"1" + zeros + zeros + "E-0000000000000000100", qInf()}, {"0." + zeros + "1E+0000000000000000001", 0}};
    // clang-format on
    for (qsizetype i = 0; i < rows.size(); ++i)
        QTest::addRow("%lld %s", qlonglong(i), qPrintable(rows[i].first.left(20))) << rows[i].first << rows[i].second;
}

void TestTextRules::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(tallivor::leadingNumber(text), value);
}

void TestTextRules::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    // clang-format off
    const QList<std::pair<double, QString>> rows{
        {0, "0"}, {-0.0, "0"}, {qInf(), "0"}, {60, "60"}, {1234.5, "1234.5"}, {-2.5, "-2.5"}, {0.1 + 0.2, "0.3"},
        {999999999999999, "999999999999999"}, {123456789012345.67, "123456789012346"}, {1e15, "1E+15"},
        {2.5e16, "2.5E+16"}, {1e100, "1E+100"}, {0.0001, "0.0001"}, {0.00001, "1E-05"}, {1.5e-7, "1.5E-07"}};
    // clang-format on
    for (const auto& [value, text] : rows)
        QTest::newRow(qPrintable(text)) << value << text;
}

void TestTextRules::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(tallivor::numberText(value), text);
}

void TestTextRules::clockRow_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("charge");
    QTest::addColumn<QString>("price"); // "stopped" for a row that does not run
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("newTime");
    QTest::addColumn<QString>("newCharge");
    // clang-format off
    const QList<QStringList> rows{
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
        {"0:59", "7", "stopped", "5", "0:59", "7"}, {"12", "7", "10", "3", "12", "7"}, {"5:", "7", "10", "1", "5:", "7"},
        {":5", "7", "10", "1", ":5", "7"}, {"ab:59", "7", "10", "1", "ab:59", "7"}, {"1:\n5", "7", "10", "1", "1:\n5", "7"},
        {"", "7", "10", "1", "", "7"}};
    // clang-format on
    for (const QStringList& r : rows) {
        QTest::addRow("%s %s, %s s at %s", qPrintable(r[0]), qPrintable(r[1]), qPrintable(r[3]), qPrintable(r[2]))
            << r[0] << r[1] << r[2] << r[3].toInt() << r[4] << r[5];
    }
}

void TestTextRules::clockRow()
{
    QFETCH(QString, time);
    QFETCH(QString, charge);
    QFETCH(QString, price);
    QFETCH(int, seconds);
    QFETCH(QString, newTime);
    QFETCH(QString, newCharge);
    const bool running = price != QLatin1String("stopped");
    // Second by second, as the clock runs, and all at once, as it catches up after a stall: the same texts.
    QString manyTime = time, manyCharge = charge;
    RowChange single = RowChange::None;
    for (int i = 0; i < seconds; ++i) {
        PriceReader reader(price);
        single = std::max(single, tickRow(time, charge, running, reader));
    }
    QCOMPARE(time, newTime);
    QCOMPARE(charge, newCharge);
    PriceReader reader(price);
    QCOMPARE(advanceRow(manyTime, manyCharge, running, reader, seconds), single);
    QCOMPARE(manyTime, newTime);
    QCOMPARE(manyCharge, newCharge);
}

void TestTextRules::manySecondsAreThatManySingleSeconds()
{
    // Random rows, the common ones most often; a fixed seed keeps a failure repeatable.
    QRandomGenerator random(2024);
    const auto pick = [&random](qsizetype bound) { return int(random.bounded(int(bound))); };
    const QStringList prices{"10", "0", "-3", "0.1", "2.5", "-0.35", "0.05", "12 per minute", "abc", "1E+308"};
    const QStringList oddTimes{"3:75",
                               "2:5.5",
                               "1:-3",
                               "2.5:10",
                               " 4: 7 ",
                               "1:2:3",
                               "x:1",
                               "007:05",
                               "1e3:58",
                               "9:59.5",
                               "999999999999998:58",
                               "0:0.123456789012345"};
    const QStringList oddCharges{"12abc", "1E+15", "-0", "1E+308", "0.30000000000000004", "99999999999999.9"};
    for (int i = 0; i < 1500; ++i) {
        const QString price = prices[pick(prices.size())];
        const double perMinute = tallivor::leadingNumber(price);
        double value = double(random.bounded(quint64(1) << pick(50))) / std::pow(10.0, pick(7));
        // Many charges run down to zero and past it, where sums with decimal places may lose digits.
        if (pick(2) == 0 && perMinute != 0 && std::isfinite(perMinute))
            value = -std::copysign(std::fmod(value, std::abs(perMinute) * (1 + pick(100))), perMinute);
        const QString time0 =
            pick(4) == 0 ? oddTimes[pick(oddTimes.size())] : QStringLiteral("%1:%2").arg(pick(3000)).arg(pick(60));
        const QString charge0 = pick(8) == 0 ? oddCharges[pick(oddCharges.size())] : tallivor::numberText(value);
        const int seconds = pick(3) == 0 ? pick(120) : pick(5000);
        QString time = time0, charge = charge0, manyTime = time0, manyCharge = charge0;
        RowChange single = RowChange::None;
        for (int k = 0; k < seconds; ++k) {
            PriceReader reader(price);
            single = std::max(single, tickRow(time, charge, true, reader));
        }
        PriceReader reader(price);
        const RowChange many = advanceRow(manyTime, manyCharge, true, reader, seconds);
        const QString where = QStringLiteral("%1 s of %2, %3 at %4: ").arg(seconds).arg(time0, charge0, price);
        QVERIFY2(manyTime == time && manyCharge == charge && many == single,
                 qPrintable(where + manyTime + u' ' + manyCharge + QStringLiteral(", not ") + time + u' ' + charge));
    }
}

void TestTextRules::stationFile_data()
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
    // clang-format on
    QString many = QStringLiteral("1,E\r\n");
    QStringList board{QStringLiteral("1|E")};
    for (int i = 0; i < 40000; ++i) {
        many += QStringLiteral("Stop,PC %1,0:0,0\r\n").arg(i);
        board << QStringLiteral("Stop|PC %1|0:0|0").arg(i);
    }
    QTest::newRow("the line counter stops at 32,767, the rows go on") << many << board << 32767;
}

void TestTextRules::stationFile()
{
    QFETCH(QString, text);
    QFETCH(QStringList, board);
    QFETCH(int, lineCount);
    const auto boardOf = [](const StationFile& file) {
        const QString none = QStringLiteral("-");
        QStringList rows{file.price.value_or(none) + u'|' + file.language.value_or(none)};
        for (qsizetype i = 0; i < file.name.size(); ++i)
            rows << QStringList{file.state.value(i), file.name[i], file.time.value(i), file.charge.value(i)}.join(u'|');
        return rows;
    };
    const StationFile file = parseStationFile(text);
    QCOMPARE(boardOf(file), board);
    QCOMPARE(file.state.size() + file.time.size() + file.charge.size(), 3 * file.name.size());
    QCOMPARE(int(file.lineCount), lineCount);
    // What is written reads back as the same board.
    const StationFile again =
        parseStationFile(formatStationFile(file.price.value_or(QString()), file.language.value_or(QString()),
                                           file.state, file.name, file.time, file.charge));
    QCOMPARE(boardOf(again).mid(1), board.mid(1));
    // A field carries no separator and no control character: the file could not give it back.
    QVERIFY(fitsStationField(u"PC 1 \u00E9") && !fitsStationField(u"a,b") && !fitsStationField(u"a\nb") &&
            !fitsStationField(u"a\tb"));
}

void TestTextRules::bytes_data()
{
    // The system code page is UTF-8 here; a byte that is not valid UTF-8 is carried as U+DC00 + the byte.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    const auto text = [](std::initializer_list<char16_t> units) {
        return QString(reinterpret_cast<const QChar*>(units.begin()), qsizetype(units.size()));
    };
    // clang-format off
    QTest::newRow("plain") << QByteArray("10,E\r\nS,A\r\n") << QStringLiteral("10,E\r\nS,A\r\n");
    QTest::newRow("another script") << QByteArray("\xDA\xA9\xD8\xA7") << QStringLiteral("\u06A9\u0627");
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << text({'a', 0, 'b'});
    QTest::newRow("invalid bytes") << QByteArray("\xFF\x80x\xC3") << text({0xDCFF, 0xDC80, 'x', 0xDCC3});
    QTest::newRow("three-byte character after a bad byte") << QByteArray("\xFF\xEF\xBC\x8C") << text({0xDCFF, 0xFF0C});
    QTest::newRow("four-byte lead, then no continuation") << QByteArray("\xF1x\x80\x80") << text({0xDCF1, 'x', 0xDC80, 0xDC80});
    QTest::newRow("cut short at the end") << QByteArray("\xE2\x82") << text({0xDCE2, 0xDC82});
    QTest::newRow("a surrogate") << QByteArray("\xED\xA0\x80") << text({0xDCED, 0xDCA0, 0xDC80});
    QTest::newRow("four-byte character, then a bad byte") << QByteArray("\xF0\x9F\x92\xBB\x80") << text({0xD83D, 0xDCBB, 0xDC80});
    QTest::newRow("U+FEFF after a bad byte") << QByteArray("\xFF\xEF\xBB\xBF") << text({0xDCFF, 0xFEFF});
    QTest::newRow("text that starts with U+FEFF gets a mark") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx") << text({0xFEFF, 'x'});
    // clang-format on
}

void TestTextRules::bytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeDataFile(bytes), text);
    QCOMPARE(encodeDataFile(text), bytes); // whatever a file holds is written back as it was read
    // A byte-order mark makes the rest read as UTF-8.
    if (!bytes.startsWith(utf8ByteOrderMark))
        QCOMPARE(decodeDataFile(utf8ByteOrderMark + bytes), text);
}

void TestTextRules::languageFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries"); // "k=value" for each numbered entry set, then "key:value" sorted
    QTest::addColumn<int>("lineCount");
    // clang-format off
    QTest::newRow("empty") << QByteArray() << QStringList{} << 0;
    QTest::newRow("heading only") << QByteArray("k=ignored\r\n") << QStringList{} << 1;
    QTest::newRow("values") << QByteArray("h\r\na=b=c\r\nb= Add \r\nc=\r\n") << QStringList{"1=b", "2= Add ", "3="} << 3;
    QTest::newRow("by line number") << QByteArray("h\r\nno equals\r\n\r\n=x\r\nkey=y\ra=x\ny") << QStringList{"3=x", "4=y", "5=x\ny"} << 5;
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFh\r\na=\xD9\x81\r\n") << QStringList{"1=\u0641"} << 1;
    // clang-format on
    QByteArray keyed = "h\r\n";
    QStringList entries;
    for (int k = 1; k <= 22; ++k) {
        keyed += "k=" + QByteArray::number(k) + "\r\n";
        entries << QStringLiteral("%1=%1").arg(k);
    }
    keyed += " Report = Rapporto=x\r\nno key\r\nReport=again\r\n" + QByteArray(65, 'k') + "=long\r\nReportTo=a\r\n";
    QTest::newRow("keyed entries after line 23")
        << keyed << entries + QStringList{"Report: Rapporto", "ReportTo:a"} << 27;
    QTest::newRow("the line counter stops at 32,767") << "h\r\n" + QByteArray(40000, '\r') << QStringList{} << 32767;
}

void TestTextRules::languageFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    QFETCH(int, lineCount);
    const LanguageFile file = parseLanguageFile(decodeDataFile(bytes));
    QVERIFY(!file.entries[0]);
    QStringList got, keyed;
    for (int k = 1; k <= languageEntryCount; ++k) {
        if (file.entries[k])
            got << QStringLiteral("%1=%2").arg(k).arg(*file.entries[k]);
    }
    for (auto i = file.keyed.begin(); i != file.keyed.end(); ++i)
        keyed << i.key() + u':' + i.value();
    keyed.sort();
    QCOMPARE(got + keyed, entries);
    QCOMPARE(int(file.lineCount), lineCount);
}

void TestTextRules::relabel_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QStringList>("oldAndNew"); // old stopped, old running, new stopped, new running
    QTest::addColumn<QStringList>("relabelled");
    QTest::addColumn<bool>("changed");
    // clang-format off
    QTest::newRow("first language: the empty word stops") << QStringList{"Start", "Stop", ""} << QStringList{"", "", "Stop", "Start"} << QStringList{"Start", "Stop", "Stop"} << true;
    QTest::newRow("other words stay") << QStringList{"Start", "Stop", "Marche", "stop"} << QStringList{"Stop", "Start", "Fermo", "Attivo"} << QStringList{"Attivo", "Fermo", "Marche", "stop"} << true;
    QTest::newRow("swapped words") << QStringList{"X", "Y"} << QStringList{"Y", "X", "X", "Y"} << QStringList{"Y", "X"} << true;
    QTest::newRow("same words") << QStringList{"Start", "Stop"} << QStringList{"Stop", "Start", "Stop", "Start"} << QStringList{"Start", "Stop"} << false;
    // clang-format on
}

void TestTextRules::relabel()
{
    QFETCH(QStringList, words);
    QFETCH(QStringList, oldAndNew);
    QFETCH(QStringList, relabelled);
    QFETCH(bool, changed);
    QCOMPARE(relabelStates(words, oldAndNew[0], oldAndNew[1], oldAndNew[2], oldAndNew[3]), changed);
    QCOMPARE(words, relabelled);
}

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
