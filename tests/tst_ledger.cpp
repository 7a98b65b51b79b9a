// The ledger: its line format and check chain, exact sums, the appending file, and the lines the board writes.
#include "BoardTest.h"
#include "board/Form1.h"
#include "ledger/Decimal.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerChain.h"
#include "ui/ListBox.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace tallivor;
using Action = std::function<void(Form1&)>;
using Alter = std::function<void(QByteArray&)>;
Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Alter)

namespace {

const QDateTime noon(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);

// Each line's fields without time and check, "event,station,spent,charge,price,detail", and the chain's findings.
QStringList linesOf(const QByteArray& bytes, QStringList* findings = nullptr)
{
    QStringList lines;
    const LedgerScan scan = scanLedger(bytes, [&](int, QByteArrayView fields) {
        const std::optional<LedgerEntry> e = parseLedgerFields(fields);
        lines << (e ? QStringList{e->event, e->station, e->spent, e->charge, e->price, e->detail}.join(u',')
                    : QStringLiteral("unreadable"));
    });
    for (const LedgerFinding& finding : scan.findings) {
        const char* what[] = {"heading", "changed", "inserted", "damaged", "cut"};
        if (findings)
            *findings << QStringLiteral("%1 %2").arg(finding.line).arg(QLatin1String(what[int(finding.what)]));
    }
    return lines;
}

QByteArray sampleLedger(int lines)
{
    QByteArray bytes = QByteArray(ledgerHeading) + "\r\n", check = ledgerFirstCheck;
    for (int i = 0; i < lines; ++i) {
        const QString n = QString::number(i);
        bytes += ledgerLine({QStringLiteral("2026-12-07T10:00:0%1+00:00").arg(n),
                             QStringLiteral("bill"),
                             QStringLiteral("PC ") + n,
                             QStringLiteral("1:0"),
                             n,
                             QStringLiteral("10"),
                             {}},
                            check);
    }
    return bytes;
}

} // namespace

class TestLedger : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void lineFormat_data();
    void lineFormat();
    void chainFindsAlterations_data();
    void chainFindsAlterations();
    void decimalsAddWithoutResidue_data();
    void decimalsAddWithoutResidue();
    void refusedWriteWaitsForTheNextLine();
    void lineAfterACutLineStartsAfreshAndChains();
    void monthsTurnByLocalTime();
    void boardOperationsWriteTheirLines_data();
    void boardOperationsWriteTheirLines();
};

void TestLedger::lineFormat_data()
{
    QTest::addColumn<QString>("station");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("readBack");
    // clang-format off
    QTest::newRow("plain") << "PC 1" << QByteArray("PC 1") << "PC 1";
    QTest::newRow("comma and quotes") << "A \"B\", C" << QByteArray("\"A \"\"B\"\", C\"") << "A \"B\", C";
    QTest::newRow("line breaks become blanks") << "a\r\nb\nc" << QByteArray("a  b c") << "a  b c";
    QTest::newRow("Persian in UTF-8") << QStringLiteral("\u06A9\u0627") << QByteArray("\xDA\xA9\xD8\xA7") << QStringLiteral("\u06A9\u0627");
    // clang-format on
}

void TestLedger::lineFormat()
{
    QFETCH(QString, station);
    QFETCH(QByteArray, written);
    QFETCH(QString, readBack);
    const LedgerEntry entry{QStringLiteral("2026-12-07T14:03:22+01:00"),
                            QStringLiteral("bill"),
                            station,
                            QStringLiteral("12:34"),
                            QStringLiteral("120"),
                            QStringLiteral("10"),
                            {}};
    QByteArray check = ledgerFirstCheck;
    const QByteArray line = ledgerLine(entry, check);
    QCOMPARE(line, "2026-12-07T14:03:22+01:00,bill," + written + ",12:34,120,10,," + check + "\r\n");
    QCOMPARE(parseLedgerFields(line.first(line.lastIndexOf(',')))->station, readBack);
    if (station == QLatin1String("PC 1")) // the first 16 hex digits of SHA-256 over "<previous check>,<fields>"
        QCOMPARE(check, QByteArray("4b23ed759e211cae"));
}

void TestLedger::chainFindsAlterations_data()
{
    QTest::addColumn<Alter>("alter");
    QTest::addColumn<QStringList>("findings");
    const auto at = [](int line) { return sampleLedger(line - 2).size(); }; // where a line starts
    // clang-format off
    QTest::newRow("intact") << Alter([](QByteArray&) {}) << QStringList{};
    QTest::newRow("LF line ends") << Alter([](QByteArray& b) { b.replace("\r\n", "\n"); }) << QStringList{};
    QTest::newRow("heading") << Alter([](QByteArray& b) { b.replace("time,event", "when,event"); }) << QStringList{"1 heading"};
    QTest::newRow("changed charge") << Alter([](QByteArray& b) { b.replace(",PC 2,1:0,2,", ",PC 2,1:0,0,"); }) << QStringList{"4 changed"};
    QTest::newRow("inserted line") << Alter([at](QByteArray& b) { b.insert(at(5), b.mid(at(4), at(5) - at(4))); }) << QStringList{"5 inserted"};
    QTest::newRow("deleted line") << Alter([at](QByteArray& b) { b.remove(at(4), at(5) - at(4)); }) << QStringList{"4 changed"};
    QTest::newRow("damaged line") << Alter([at](QByteArray& b) { b.replace(at(3), at(4) - at(3) - 2, "garbage"); }) << QStringList{"3 damaged", "4 changed"};
    QTest::newRow("last line cut short") << Alter([](QByteArray& b) { b.chop(9); }) << QStringList{"7 cut"};
    // clang-format on
}

void TestLedger::chainFindsAlterations()
{
    QFETCH(Alter, alter);
    QFETCH(QStringList, findings);
    QByteArray bytes = sampleLedger(6);
    alter(bytes);
    QStringList found;
    linesOf(bytes, &found);
    QCOMPARE(found, findings);
}

void TestLedger::decimalsAddWithoutResidue_data()
{
    QTest::addColumn<QStringList>("charges");
    QTest::addColumn<QString>("sum");
    // clang-format off
    QTest::newRow("board texts") << QStringList{"12.5", "0.3", "00"} << "12.8";
    QTest::newRow("tenths") << QStringList{"0.1", "0.2", "0.1", "0.2", "0.1", "0.2", "0.1"} << "1";
    QTest::newRow("beyond a double's digits") << QStringList{"1E+15", "1", "0.01"} << "1000000000000001.01";
    QTest::newRow("exponents") << QStringList{"1E-05", "0.99999"} << "1";
    QTest::newRow("signs") << QStringList{"2", "-5", "0.5"} << "-2.5";
    QTest::newRow("to zero") << QStringList{"-0.5", "0.5"} << "0";
    QTest::newRow("read as the board reads") << QStringList{"abc", "1,5", " 3 $", "1 2"} << "16";
    // clang-format on
}

void TestLedger::decimalsAddWithoutResidue()
{
    QFETCH(QStringList, charges);
    QFETCH(QString, sum);
    Decimal total;
    for (const QString& charge : charges)
        total += Decimal::fromText(charge);
    QCOMPARE(total.text(), sum);
}

void TestLedger::refusedWriteWaitsForTheNextLine()
{
    Ledger ledger(m_folder->path(), [] { return noon; });
    const QString name = QStringLiteral("tallivor-ledger-2026-12.csv");
    ledger.append(LedgerEvent::Start, QStringLiteral("A"), {}, {}, QStringLiteral("10"));
    // A file size limit makes the next write fail part-way, as a full disk does: it must leave no part behind.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = rlim_t(m_folder->read(name).size() + 20);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    ledger.append(LedgerEvent::Bill, QStringLiteral("A"), QStringLiteral("3:0"), QStringLiteral("30"),
                  QStringLiteral("10"));
    const QByteArray afterRefusal = m_folder->read(name);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    QCOMPARE(ledger.pendingLines(), 1);
    QCOMPARE(linesOf(afterRefusal), QStringList{"start,A,,,10,"});

    ledger.append(LedgerEvent::Stop, QStringLiteral("A"), {}, {}, QStringLiteral("10"));
    QCOMPARE(ledger.pendingLines(), 0);
    QStringList findings;
    QCOMPARE(linesOf(m_folder->read(name), &findings),
             QStringList({"start,A,,,10,", "bill,A,3:0,30,10,", "stop,A,,,10,"}));
    QCOMPARE(findings, QStringList());
}

void TestLedger::lineAfterACutLineStartsAfreshAndChains()
{
    const QString name = QStringLiteral("tallivor-ledger-2026-12.csv");
    Ledger(m_folder->path(), [] { return noon; }).append(LedgerEvent::Open, {}, {}, {}, QStringLiteral("10"));
    QByteArray bytes = m_folder->read(name);
    QVERIFY(bytes.startsWith(QByteArray("\xEF\xBB\xBF") + ledgerHeading + "\r\n"));
    m_folder->write(name, bytes + "2026-12-07T12:00:00+00:00,bill,A,3:"); // the power failed in mid-line
    // The next start of the program appends after it.
    Ledger(m_folder->path(), [] { return noon; }).append(LedgerEvent::Open, {}, {}, {}, QStringLiteral("10"));
    QStringList findings;
    QCOMPARE(linesOf(m_folder->read(name), &findings), QStringList({"open,,,,10,", "open,,,,10,"}));
    QCOMPARE(findings, QStringList{"3 damaged"});
}

void TestLedger::monthsTurnByLocalTime()
{
    // New Year's Eve in a town one hour east of UTC: the second line is still December in UTC.
    QDateTime clock(QDate(2026, 12, 31), QTime(23, 59, 30), Qt::OffsetFromUTC, 3600);
    Ledger ledger(m_folder->path(), [&clock] { return clock; });
    ledger.append(LedgerEvent::Open, {}, {}, {}, QStringLiteral("10"));
    clock = clock.addSecs(60);
    ledger.append(LedgerEvent::Close, {}, {}, {}, QStringLiteral("10"));
    for (const auto& [name, time] : {std::pair{"tallivor-ledger-2026-12.csv", "2026-12-31T23:59:30+01:00"},
                                     std::pair{"tallivor-ledger-2027-01.csv", "2027-01-01T00:00:30+01:00"}}) {
        const QByteArray bytes = m_folder->read(QLatin1String(name));
        QVERIFY2(bytes.contains(QByteArray(ledgerHeading) + "\r\n" + time + ','), name);
        QCOMPARE(linesOf(bytes).size(), 1);
    }
}

void TestLedger::boardOperationsWriteTheirLines_data()
{
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("lines");
    const QStringList one{"Stop,A,12:34,120"};
    const QString open = QStringLiteral("open,,,,10,stations=1; running=0");
    // clang-format off
    QTest::newRow("open, and a gap for running stations") << QStringList{"Start,A,1:0,10", "Stop,B,0:0,00"} << Action([](Form1&) {})
        << QStringList{"open,,,,10,stations=2; running=1", "gap,,,,10,seconds=300; uncounted=300; running=1"};
    QTest::newRow("a stall of the clock, counted, and a sleep, not") << QStringList{"Start,A,1:0,10"}
        << Action([this](Form1& f) { m_platform.steady = {90'000, 90'000}; f.clockTimeout();
                                     m_platform.steady = {91'000, 200'000}; f.clockTimeout(); })
        << QStringList{"open,,,,10,stations=1; running=1", "gap,,,,10,seconds=300; uncounted=300; running=1",
                       "gap,,,,10,seconds=90; uncounted=0; running=1", "gap,,,,10,seconds=110; uncounted=109; running=1"};
    QTest::newRow("reset is the bill") << one << Action([](Form1& f) { f.btnClick(Button::Reset); f.btnClick(Button::Reset); })
        << QStringList{open, "bill,A,12:34,120,10,"};
    QTest::newRow("a clear time still bills the charge") << QStringList{"Stop,A,00:00,120"} << Action([](Form1& f) { f.resetSelectedStation(); })
        << QStringList{open, "bill,A,00:00,120,10,"};
    QTest::newRow("a clear row bills nothing") << QStringList{"Stop,A,00:00,00"} << Action([](Form1& f) { f.resetSelectedStation(); })
        << QStringList{open};
    QTest::newRow("remove") << one << Action([](Form1& f) { f.removeSelectedStation(); })
        << QStringList{open, "remove,A,12:34,120,10,state=Stop"};
    QTest::newRow("edit") << one << Action([](Form1& f) { f.editSelectedStation("B", "10:0"); })
        << QStringList{open, "edit,B,10:0,120,10,time=12:34; name=A"};
    QTest::newRow("start and stop") << one << Action([](Form1& f) { f.toggleStation(0); f.tick(); f.toggleStation(0); })
        << QStringList{open, "start,A,12:34,120,10,", "stop,A,12:35,120,10,"};
    QTest::newRow("add") << one << Action([](Form1& f) { f.addStation("C", "00:00"); }) << QStringList{open, "add,C,00:00,00,10,"};
    QTest::newRow("price, once") << one << Action([](Form1& f) { f.applySettings("12", "English.xml"); f.applySettings("12", "English.xml"); })
        << QStringList{open, "price,,,,12,before=10"};
    QTest::newRow("language") << one << Action([](Form1& f) { f.applySettings("10", "Italian.xml"); })
        << QStringList{open, "language,,,,10,language=Italian.xml; before=English.xml"};
    QTest::newRow("close") << one << Action([](Form1& f) { f.close(); }) << QStringList{open, "close,,,,10,stations=1; running=0"};
    // clang-format on
}

void TestLedger::boardOperationsWriteTheirLines()
{
    QFETCH(QStringList, board);
    QFETCH(Action, action);
    QFETCH(QStringList, lines);
    m_folder->copyLanguage(QStringLiteral("Italian.xml"));
    m_folder->write(QStringLiteral("tallivor.xml"), englishBoard(board));
    // The station file was last written five minutes before the program starts.
    QFile file(m_folder->filePath(QStringLiteral("tallivor.xml")));
    QVERIFY(file.open(QIODevice::Append) && file.setFileTime(noon.addSecs(-300), QFile::FileModificationTime));
    file.close();
    m_platform.clock = noon;
    m_form = m_folder->start(m_platform);
    action(*m_form);
    QStringList findings;
    QCOMPARE(linesOf(m_folder->read(QStringLiteral("tallivor-ledger-2026-12.csv")), &findings), lines);
    QCOMPARE(findings, QStringList());
}

QTEST_MAIN(TestLedger)
#include "tst_ledger.moc"
