// The station file: its lines, fields and text encoding, the atomic write, and the round trip through the board.
#include "ProgramFolder.h"
#include "board/Form1.h"
#include "store/DataFile.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"
#include "store/TextLines.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace tallivor;

class TestStationFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lines_data();
    void lines();
    void reader_data();
    void reader();
    void lineCounterStopsAt32767AndRowsGoOn();
    void writerIsByteExact();
    void invalidBytesAndOtherScriptsSurvive_data();
    void invalidBytesAndOtherScriptsSurvive();
    void boardRoundTripIsByteExact();
    void emptyBoardAndMissingFile();
    void writerFillsInTheDefaultLanguage();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
};

void TestStationFile::lines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("nothing") << "" << QStringList{};
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("no line end at the end") << "a\r\nb" << QStringList{"a", "b"};
    QTest::newRow("lone CR ends a line") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("lone LF stays in the line") << "a\nb\r\nc" << QStringList{"a\nb", "c"};
    QTest::newRow("empty lines kept") << "\r\n\r\nx" << QStringList{"", "", "x"};
    QTest::newRow("LF CR is a LF in a line, then its end") << "a\n\rb" << QStringList{"a\n", "b"};
}

void TestStationFile::lines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QStringList got;
    for (QStringView line : splitLines(text))
        got << line.toString();
    QCOMPARE(got, lines);
}

void TestStationFile::reader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("price");    // "<none>" when the header does not set it
    QTest::addColumn<QString>("language"); // "<none>" likewise
    QTest::addColumn<QStringList>("rows"); // each row's four fields joined by "|"

    const QString none = QStringLiteral("<none>");
    // clang-format off
    QTest::newRow("header and two rows") << "10,English.xml\r\nStart,Computer 2,30:40,1000\r\nStop,Table 1,0:0,00\r\n" << "10" << "English.xml" << QStringList{"Start|Computer 2|30:40|1000", "Stop|Table 1|0:0|00"};
    QTest::newRow("header without a comma sets the price only") << "12\r\n" << "12" << none << QStringList{};
    QTest::newRow("extra header fields ignored") << "5,Deutsch.xml,x,y\r\n" << "5" << "Deutsch.xml" << QStringList{};
    QTest::newRow("empty header sets nothing, next line is a row") << "\r\nStop,A,1:2,3\r\n" << none << none << QStringList{"Stop|A|1:2|3"};
    QTest::newRow("empty fields are fields") << ",\r\n,,,\r\n" << "" << "" << QStringList{"|||"};
    QTest::newRow("fields after the fourth ignored") << "1,E\r\nStop,A,1:2,3,junk,more\r\n" << "1" << "E" << QStringList{"Stop|A|1:2|3"};
    QTest::newRow("blank line among rows adds no row") << "1,E\r\nStop,A,0:0,0\r\n\r\nStart,B,0:1,0\r\n" << "1" << "E" << QStringList{"Stop|A|0:0|0", "Start|B|0:1|0"};
    QTest::newRow("short rows completed with empty fields") << "1,E\r\nStop\r\nStop,A\r\nStop,A,1:0\r\n" << "1" << "E" << QStringList{"Stop|||", "Stop|A||", "Stop|A|1:0|"};
    QTest::newRow("blanks are kept") << " 10 , English.xml \r\n Stop , A ,0:0,0\r\n" << " 10 " << " English.xml " << QStringList{" Stop | A |0:0|0"};
    QTest::newRow("lone CR and lone LF") << "1,E\rStop,A\nB,0:0,0\r" << "1" << "E" << QStringList{"Stop|A\nB|0:0|0"};
    QTest::newRow("empty file") << "" << none << none << QStringList{};
    // clang-format on
}

void TestStationFile::reader()
{
    QFETCH(QString, text);
    QFETCH(QString, price);
    QFETCH(QString, language);
    QFETCH(QStringList, rows);

    const StationFile file = parseStationFile(text);
    QCOMPARE(file.price.value_or(QStringLiteral("<none>")), price);
    QCOMPARE(file.language.value_or(QStringLiteral("<none>")), language);
    QStringList got;
    for (qsizetype i = 0; i < file.rowCount(); ++i)
        got << QStringList{file.state[i], file.name[i], file.time[i], file.charge[i]}.join(u'|');
    QCOMPARE(got, rows);
    QCOMPARE(file.state.size(), file.name.size());
    QCOMPARE(file.time.size(), file.name.size());
    QCOMPARE(file.charge.size(), file.name.size());
}

void TestStationFile::lineCounterStopsAt32767AndRowsGoOn()
{
    QString text = QStringLiteral("10,English.xml\r\n");
    for (int i = 0; i < 40000; ++i)
        text += QStringLiteral("Stop,PC %1,0:0,0\r\n").arg(i);
    const StationFile file = parseStationFile(text);
    QCOMPARE(file.lineCount, qint16(32767));
    QCOMPARE(file.rowCount(), qsizetype(40000));
    QCOMPARE(file.name.last(), QStringLiteral("PC 39999"));
}

void TestStationFile::writerIsByteExact()
{
    const QString text = formatStationFile(QStringLiteral("10"), QStringLiteral("English.xml"), {"Start", "Stop"},
                                           {"Computer 2", "B"}, {"30:40", "0:1"}, {"1000", "00"});
    QCOMPARE(text, QStringLiteral("10,English.xml\r\nStart,Computer 2,30:40,1000\r\nStop,B,0:1,00\r\n"));
    QCOMPARE(formatStationFile(QStringLiteral("10"), QStringLiteral("x.xml"), {}, {}, {}, {}),
             QStringLiteral("10,x.xml\r\n"));
}

void TestStationFile::invalidBytesAndOtherScriptsSurvive_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain") << QByteArray("10,English.xml\r\nStop,A,0:0,0\r\n");
    QTest::newRow("persian name") << QByteArray("10,Persian.xml\r\nStop,\xDA\xA9\xD8\xA7\xD9\x85,0:0,0\r\n");
    QTest::newRow("invalid UTF-8") << QByteArray("10,E\r\nStop,\xFF\xFE\x80 x \xC3,1:2,\xED\xA0\x80\r\n");
    QTest::newRow("NUL bytes") << bytesOf("10,E\r\nStop,a\0b,0:0,0\r\n");
    QTest::newRow("truncated sequence at the end") << QByteArray("10,E\r\nStop,\xE2\x82");
    QTest::newRow("four-byte character then invalid") << QByteArray("1,E\r\nS,\xF0\x9F\x92\xBB\x80,0:0,0\r\n");
    QTest::newRow("a U+FEFF after an invalid byte") << QByteArray("\xFF\xEF\xBB\xBF,E\r\n");
}

void TestStationFile::invalidBytesAndOtherScriptsSurvive()
{
    // Whatever the file holds is read and written back as the same bytes.
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeDataFile(decodeDataFile(bytes)), bytes);
    // A byte-order mark makes the rest read as UTF-8; the texts come back the same.
    const QByteArray marked = QByteArray(utf8ByteOrderMark) + bytes;
    QCOMPARE(decodeDataFile(marked), decodeDataFile(bytes));
    // A text that starts with U+FEFF needs a mark of its own in front, or reading would take it for one.
    const QByteArray twoMarks = QByteArray(utf8ByteOrderMark) + marked;
    QCOMPARE(decodeDataFile(twoMarks).front(), QChar(0xFEFF));
    QCOMPARE(encodeDataFile(decodeDataFile(twoMarks)), twoMarks);
}

void TestStationFile::boardRoundTripIsByteExact()
{
    ProgramFolder folder;
    const QByteArray bytes = crlf({"0.5,English.xml", "Start,Computer 2,30:40,1000", "Stop,Table  3 ,7:5,12.5",
                                   "Start,\xDA\xA9\xD8\xA7\xD9\x85,0:0,00"});
    folder.write(QStringLiteral("tallivor.xml"), bytes);
    FakePlatform platform;
    auto form = folder.start(platform);
    QCOMPARE(form->Namelist->listCount(), 3);
    QCOMPARE(form->REL->text(), QStringLiteral("0.5"));
    form->close();
    QVERIFY(form->hasEnded());
    QCOMPARE(folder.read(QStringLiteral("tallivor.xml")), bytes);
}

void TestStationFile::emptyBoardAndMissingFile()
{
    ProgramFolder folder;
    FakePlatform platform;
    {
        // No file: an empty board, the layout's price, and the default language so that the words are English.
        auto form = folder.start(platform);
        QCOMPARE(form->Namelist->listCount(), 0);
        QCOMPARE(form->REL->text(), QStringLiteral("10"));
        QCOMPARE(form->languageStr, QStringLiteral("English.xml"));
        QCOMPARE(form->Stopcaption, QStringLiteral("Stop"));
        form->close();
    }
    QCOMPARE(folder.read(QStringLiteral("tallivor.xml")), QByteArray("10,English.xml\r\n"));
    {
        // A board without rows is the header line alone and reads back as an empty board.
        auto form = folder.start(platform);
        QCOMPARE(form->Namelist->listCount(), 0);
        QCOMPARE(form->Eventlist->listCount(), 0);
    }
}

void TestStationFile::writerFillsInTheDefaultLanguage()
{
    ProgramFolder folder;
    FakePlatform platform;
    auto form = folder.start(platform);
    form->languageStr.clear();
    form->savefile();
    QCOMPARE(form->languageStr, QStringLiteral("English.xml"));
    QCOMPARE(folder.read(QStringLiteral("tallivor.xml")), QByteArray("10,English.xml\r\n"));
}

void TestStationFile::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("disk full") << "disk full";
    QTest::newRow("folder gone") << "folder gone";
    QTest::newRow("file name taken by a folder") << "folder in the way";
}

void TestStationFile::failedWriteKeepsTheOldFile()
{
    QFETCH(QString, failure);
    ProgramFolder folder;
    const QByteArray old = crlf({"10,English.xml", "Start,Old,1:0,10"});
    folder.write(QStringLiteral("tallivor.xml"), old);
    QString target = folder.filePath(QStringLiteral("tallivor.xml"));
    QByteArray content(64 * 1024, 'x');

    bool written = true;
    if (failure == QLatin1String("disk full")) {
        // A file size limit makes the write fail part-way, as a full disk does.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 4096;
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        written = replaceFile(target, content);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
    } else if (failure == QLatin1String("folder gone")) {
        written = replaceFile(folder.filePath(QStringLiteral("missing/tallivor.xml")), content);
    } else {
        QDir(folder.path()).mkdir(QStringLiteral("taken.xml"));
        written = replaceFile(folder.filePath(QStringLiteral("taken.xml")), content);
    }
    QVERIFY(!written);
    QCOMPARE(folder.read(QStringLiteral("tallivor.xml")), old);
    QCOMPARE(folder.names(), QStringList({"English.xml", "tallivor.xml"})); // no temporary file left behind
}

QTEST_MAIN(TestStationFile)
#include "tst_stationfile.moc"
