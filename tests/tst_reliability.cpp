// Nothing lost: the station file is kept up to date while the program runs, and damaged or hostile files neither
// crash nor hang the program, which writes back every row it read.
#include "ProgramFolder.h"
#include "board/Form1.h"
#include "store/TextLines.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace tallivor;

namespace {

// What the station file must read after a start and a close, worked out on the bytes alone: the header's price
// (or the layout's "10") and language (or the default), then every non-empty line as four fields. A row whose state
// word is empty takes the stopped word when the default language is applied.
QByteArray expectedWriteBack(QByteArray input)
{
    if (input.startsWith("\xEF\xBB\xBF"))
        input.remove(0, 3);
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (input[i] != '\r')
            continue;
        lines << input.mid(start, i - start);
        if (i + 1 < input.size() && input[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < input.size())
        lines << input.mid(start);

    QByteArray price = "10", language;
    if (!lines.isEmpty() && !lines.first().isEmpty()) {
        const QList<QByteArray> header = lines.first().split(',');
        price = header[0];
        if (header.size() > 1)
            language = header[1];
    }
    if (language.isEmpty())
        language = "English.xml";
    QByteArray out = price + ',' + language + "\r\n";
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        QList<QByteArray> fields = lines[i].split(',');
        fields.resize(4);
        if (fields[0].isEmpty() && language == "English.xml")
            fields[0] = "Stop";
        out += fields.join(',') + "\r\n";
    }
    return out;
}

QByteArray garbage(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

// Sets a file size limit for the life of the object, so that writes fail part-way as on a full disk.
class DiskFull
{
public:
    explicit DiskFull(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_previous = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~DiskFull()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previous);
    }

private:
    rlimit m_saved{};
    void (*m_previous)(int) = nullptr;
};

} // namespace

class TestReliability : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void autosaveWritesOnlyWhatChanged();
    void autosaveRunsEveryMinute();
    void autosaveTriesAgainAfterAFailedWrite();
    void hostileStationFiles_data();
    void hostileStationFiles();
    void hostileLanguageFiles_data();
    void hostileLanguageFiles();
};

void TestReliability::autosaveWritesOnlyWhatChanged()
{
    ProgramFolder folder;
    const QByteArray board = crlf({"10,English.xml", "Start,A,0:0,00", "Stop,B,0:0,00"});
    folder.write(QStringLiteral("tallivor.xml"), board);
    FakePlatform platform;
    auto form = folder.start(platform);
    const QString sentinel = QStringLiteral("tallivor.xml");

    // Nothing changed since the file was read: no write (the marker written behind the program's back stays).
    folder.write(sentinel, QByteArray("marker"));
    form->autosave();
    QCOMPARE(folder.read(sentinel), QByteArray("marker"));

    form->tick();
    form->autosave();
    QCOMPARE(folder.read(sentinel), crlf({"10,English.xml", "Start,A,0:1,00", "Stop,B,0:0,00"}));
    folder.write(sentinel, QByteArray("marker"));
    form->autosave();
    QCOMPARE(folder.read(sentinel), QByteArray("marker")); // nothing new since the last write

    form->REL->setText(QStringLiteral("12"));
    form->autosave();
    QCOMPARE(folder.read(sentinel), crlf({"12,English.xml", "Start,A,0:1,00", "Stop,B,0:0,00"}));
    form->languageStr = QStringLiteral("Other.xml");
    form->autosave();
    QCOMPARE(folder.read(sentinel), crlf({"12,Other.xml", "Start,A,0:1,00", "Stop,B,0:0,00"}));
    // The close writes whatever happened.
    folder.write(sentinel, QByteArray("marker"));
    form->close();
    QCOMPARE(folder.read(sentinel), crlf({"12,Other.xml", "Start,A,0:1,00", "Stop,B,0:0,00"}));
}

void TestReliability::autosaveRunsEveryMinute()
{
    ProgramFolder folder;
    FakePlatform platform;
    Form1 form(platform, folder.path());
    auto* timer = form.findChild<QTimer*>(QStringLiteral("autosave"));
    form.load();
    timer = form.findChild<QTimer*>(QStringLiteral("autosave"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 60 * 1000);
    form.close();
    QVERIFY(!timer->isActive());

    // Without rights the program never gets that far: it asks for the elevated copy and ends.
    FakePlatform limited;
    limited.admin = false;
    Form1 relaunching(limited, folder.path());
    relaunching.load();
    auto* none = relaunching.findChild<QTimer*>(QStringLiteral("autosave"));
    QVERIFY(!none || !none->isActive());
}

void TestReliability::autosaveTriesAgainAfterAFailedWrite()
{
    ProgramFolder folder;
    QStringList lines{QStringLiteral("10,English.xml")};
    for (int i = 0; i < 500; ++i)
        lines << QStringLiteral("Start,PC %1,0:0,00").arg(i);
    const QByteArray before = crlf(lines);
    folder.write(QStringLiteral("tallivor.xml"), before);
    FakePlatform platform;
    auto form = folder.start(platform);
    form->tick();
    {
        DiskFull full(4096);
        form->autosave();
    }
    QCOMPARE(folder.read(QStringLiteral("tallivor.xml")), before);
    form->autosave();
    QVERIFY(folder.read(QStringLiteral("tallivor.xml")).contains("Start,PC 499,0:1,00\r\n"));
}

void TestReliability::hostileStationFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("binary garbage") << garbage(64 * 1024, 7);
    QTest::newRow("garbage after a header") << QByteArray("10,English.xml\r\n") + garbage(16 * 1024, 11);
    QTest::newRow("NUL bytes") << bytesOf("1\0,English.xml\r\nStart,A\0B,0:\0,1\0\r\n\0\0\0\r\n");
    QTest::newRow("invalid UTF-8 after a byte-order mark")
        << QByteArray("\xEF\xBB\xBF"
                      "10,English.xml\r\nStop,\xC3\x28\xFF\xE2\x82,0:0,00\r\nStart,\xED\xA0\x80,1:2,3\r\n");
    QTest::newRow("a single 10 MB line") << QByteArray(10 * 1024 * 1024, 'x');
    QTest::newRow("a 10 MB name") << QByteArray("10,English.xml\r\nStart,") + QByteArray(10 * 1024 * 1024, 'n') +
                                         QByteArray(",0:0,00\r\nStart,B,0:0,00\r\n");
    QByteArray many = "10,English.xml\r\n";
    for (int i = 0; i < 40000; ++i)
        many += "Start,PC " + QByteArray::number(i) + ",0:" + QByteArray::number(i % 60) + ",00\r\n";
    QTest::newRow("40,000 rows") << many;
    QTest::newRow("numbers out of range and not numbers")
        << QByteArray("1E+400,English.xml\r\nStart,A,0:59,1E+400\r\nStart,B,-0:-0,-0\r\nStart,C,NaN:NaN,NaN\r\n"
                      "Start,D,1E+400:59,5\r\nStart,E,0:1E+400,5\r\nStart,F,-5:59,inf\r\n");
    QTest::newRow("lines of only commas") << QByteArray(",,,,,,\r\n,,,\r\n,\r\n,,,,,,,,,,\r\n");
    QTest::newRow("lines of only =") << QByteArray("=\r\n==\r\n=,=\r\n");
    QTest::newRow("lone line feeds and carriage returns") << QByteArray("\n\n\r\r\n\r10,English.xml\nStart,A,0:0,0\r");
}

void TestReliability::hostileStationFiles()
{
    QFETCH(QByteArray, bytes);
    ProgramFolder folder;
    folder.write(QStringLiteral("tallivor.xml"), bytes);
    FakePlatform platform;
    {
        auto form = folder.start(platform);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->grab(); // paints every list
        form->close();
    }
    // Every row comes back as it was read: the program changed nothing.
    const QByteArray written = folder.read(QStringLiteral("tallivor.xml"));
    QCOMPARE(written.size(), expectedWriteBack(bytes).size());
    QVERIFY(written == expectedWriteBack(bytes));

    // The clock runs over whatever the file held without stopping, and no row is lost.
    {
        auto form = folder.start(platform);
        const int rows = form->Namelist->listCount();
        for (int i = 0; i < 61; ++i)
            form->tick();
        form->show();
        form->grab();
        QCOMPARE(form->Namelist->listCount(), rows);
        QCOMPARE(form->Rellist->listCount(), rows);
        form->close();
    }
    QCOMPARE(splitLines(QString::fromUtf8(folder.read(QStringLiteral("tallivor.xml")))).size(),
             splitLines(QString::fromUtf8(written)).size());
}

void TestReliability::hostileLanguageFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("binary garbage") << garbage(64 * 1024, 3);
    QTest::newRow("NUL bytes") << bytesOf("h\r\na=\0\r\nb=x\0y\r\n\0=\0\r\n");
    QTest::newRow("invalid UTF-8 after a byte-order mark") << QByteArray("\xEF\xBB\xBFh\r\na=\xC3\x28\r\nb=\xFF\r\n");
    QTest::newRow("a single 10 MB line") << QByteArray(10 * 1024 * 1024, '=');
    QTest::newRow("a 10 MB caption") << QByteArray("h\r\na=") + QByteArray(10 * 1024 * 1024, 'c') + "\r\n";
    QTest::newRow("lines of only =") << QByteArray("=\r\n=\r\n==\r\n===\r\n=\r\n");
    QByteArray many = "h\r\n";
    for (int i = 0; i < 40000; ++i)
        many += "k=" + QByteArray::number(i) + "\r\n";
    QTest::newRow("40,000 lines") << many;
}

void TestReliability::hostileLanguageFiles()
{
    QFETCH(QByteArray, bytes);
    ProgramFolder folder;
    folder.write(QStringLiteral("Hostile.xml"), bytes);
    const QByteArray board = crlf({"10,Hostile.xml", "Start,A,0:0,00", "Stop,B,0:0,00"});
    folder.write(QStringLiteral("tallivor.xml"), board);
    FakePlatform platform;
    auto form = folder.start(platform);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->grab();
    form->translate(); // again, with the dialogs in place
    QCOMPARE(form->Namelist->listCount(), 2);
    form->close();
    // Whatever the language file did to the state words, the rows themselves are all there.
    const QList<QStringView> lines = splitLines(QString::fromUtf8(folder.read(QStringLiteral("tallivor.xml"))));
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[1].endsWith(u",A,0:0,00"));
    QVERIFY(lines[2].endsWith(u",B,0:0,00"));
}

QTEST_MAIN(TestReliability)
#include "tst_reliability.moc"
