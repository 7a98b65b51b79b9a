// The Board without any window: each operation, what it refuses and the ledger line it writes; the clock over the
// whole board; the station file read and written back; the state words of the language; the stations' identities.
#include "FakeClocks.h"
#include "ProgramFolder.h"
#include "accounts/Totals.h"
#include "board/Board.h"
#include "lang/LanguageFile.h"
#include "ledger/Events.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerChain.h"
#include "store/StationFile.h"
#include "store/TextCodec.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace tallivor;
using namespace std::string_literals;
using Action = std::function<bool(Board&, FakeClocks&)>;
Q_DECLARE_METATYPE(Action)

namespace {

const QString stationFile = QStringLiteral("tallivor.xml");
const QString december = QStringLiteral("tallivor-ledger-2026-12.csv");

// Runs f while no file may grow past limit bytes, so that writes fail part-way as on a full disk.
void withFullDisk(rlim_t limit, const std::function<void()>& f)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{limit, saved.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails, and does not end the test
    setrlimit(RLIMIT_FSIZE, &small);
    f();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
}

// Each ledger line as written after its time stamp and before its check, then what the chain found ("#3 damaged").
QStringList linesOf(const QByteArray& bytes)
{
    QStringList lines;
    const LedgerScan scan = scanLedger(
        bytes, [&](int, QByteArrayView fields) { lines << QString::fromUtf8(fields.sliced(fields.indexOf(',') + 1)); });
    const QStringList kinds{"heading", "changed", "inserted", "damaged", "cut"};
    for (const LedgerFinding& found : scan.findings)
        lines << QStringLiteral("#%1 ").arg(found.line) + kinds[int(found.what)];
    return lines;
}

bool ok(Refusal refusal)
{
    return refusal == Refusal::None;
}

// Whether a change the spy recorded (dataChanged of a column) covers the row: the lists repaint only those rows.
bool announced(const QSignalSpy& spy, int row)
{
    return std::any_of(spy.begin(), spy.end(), [row](const QList<QVariant>& change) {
        return change[0].toModelIndex().row() <= row && row <= change[1].toModelIndex().row();
    });
}

} // namespace

class TestBoard : public QObject
{
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    FakeClocks m_clocks;

    QByteArray stationFileBytes() const { return m_folder->read(stationFile); }

    // A board at noon on a day of December 2026, with the rows after a header of price 10 and English.
    std::unique_ptr<Board> startPaid(const QStringList& rows)
    {
        m_clocks.clock = QDateTime(QDate(2026, 12, 7), QTime(20, 0), Qt::UTC);
        return m_folder->startBoard(m_clocks, englishBoard(rows));
    }
    // The ledger's lines but the start's open and gap lines.
    QStringList paidLines() const
    {
        QStringList lines = linesOf(m_folder->read(december));
        lines.removeIf([](const QString& line) { return line.startsWith(u"open,") || line.startsWith(u"gap,"); });
        return lines;
    }
    static QString paidText(const Board& board, int row)
    {
        const std::optional<qint64> paid = board.table()[row].record.paid;
        return paid ? QStringLiteral("%1:%2").arg(*paid / 60).arg(*paid % 60) : QStringLiteral("none");
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_clocks = FakeClocks();
    }

    void eachOperationChangesTheBoardAndWritesItsLine_data()
    {
        QTest::addColumn<QStringList>("board");
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("accepted"); // what the action's operations returned
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("lines"); // the ledger's lines
        // B's word is neither the running nor the stopped word.
        const QStringList board{"Stop,A,12:34,120", "Marche,B,1:0,10"}, full(32767, QStringLiteral("Stop,PC,0:0,00"));
        const QString open = QStringLiteral("open,,,,10,stations=2; running=0");
        using B = Board&;
        using C = FakeClocks&;
        // Each refusal names the part refused; a refused add or edit changes nothing at all.
        const auto refused = [](std::initializer_list<std::pair<Refusal, Refusal>> results) {
            return std::all_of(results.begin(), results.end(), [](const auto& r) { return r.first == r.second; });
        };
        const StationEdit badPrice{"New", "1:0", std::optional<QString>("x"), std::optional<qint64>(600)};
        // clang-format off
        QTest::newRow("add: a stopped station without charge") << board << Action([](B b, C) { return ok(b.addStation({"C \"1\"", "5:7", {}, {}})); }) << true
            << board + QStringList{"Stop,C \"1\",5:7,00"} << QStringList{open, "add,\"C \"\"1\"\"\",0:05:07,00,10,"};
        QTest::newRow("add with an own price and paid time: one operation, three lines") << board
            << Action([](B b, C) { return ok(b.addStation({"C", {}, std::optional<QString>("25"), std::optional<qint64>(3600)})); }) << true
            << board + QStringList{"Stop,C,00:00,00"} << QStringList{open, "add,C,0:00:00,00,10,", "price,C,0:00:00,00,25,before=", "paid,C,0:00:00,00,25,paid=60:0; minutes=60"};
        QTest::newRow("add refused: no name, taken, a comma, control characters, a bad time or price") << board << Action([=](B b, C) {
            return refused({{b.addStation({"", "1:0", {}, {}}), Refusal::Name}, {b.addStation({"A", "1:0", {}, {}}), Refusal::Name},
                {b.addStation({"A,B", "1:0", {}, {}}), Refusal::Name}, {b.addStation({"A\tB", "1:0", {}, {}}), Refusal::Name},
                {b.addStation({"A\x7f", "1:0", {}, {}}), Refusal::Name}, {b.addStation({"C", "1,0", {}, {}}), Refusal::Spent},
                {b.addStation({"C", "1:\n0", {}, {}}), Refusal::Spent}, {b.addStation(badPrice), Refusal::Price}}); })
            << true << board << QStringList{open};
        QTest::newRow("add refused: a full board") << full << Action([](B b, C) { return ok(b.addStation({"PC 2", "0:0", {}, {}})); }) << false
            << full << QStringList{"open,,,,10,stations=32767; running=0"};
        QTest::newRow("edit: name and time; state and charge stay") << board << Action([](B b, C) { return ok(b.editStation(1, {"T 4", "10:0", {}, {}})); })
            << true << QStringList{board[0], "Marche,T 4,10:0,10"} << QStringList{open, "edit,T 4,0:10:00,10,10,time=1:0; name=B"};
        QTest::newRow("edit: the time alone") << board << Action([](B b, C) { return ok(b.editStation(0, {"A", "13:0", {}, {}})); }) << true
            << QStringList{"Stop,A,13:0,120", board[1]} << QStringList{open, "edit,A,0:13:00,120,10,time=12:34; name=A"};
        QTest::newRow("edit without a change writes nothing") << board << Action([](B b, C) { return ok(b.editStation(0, {"A", "12:34", {}, {}})); })
            << true << board << QStringList{open};
        QTest::newRow("edit refused whole: a bad price beside a good name and time") << board << Action([=](B b, C) {
            return refused({{b.editStation(0, {"", "1:0", {}, {}}), Refusal::Name}, {b.editStation(0, {"B", "1:0", {}, {}}), Refusal::Name},
                {b.editStation(0, {"x\ny", "1:0", {}, {}}), Refusal::Name}, {b.editStation(0, {"A", "1,0", {}, {}}), Refusal::Spent},
                {b.editStation(0, badPrice), Refusal::Price}}); }) << true << board << QStringList{open};
        QTest::newRow("toggle: the stopped word starts, any other stops") << board << Action([](B b, C) { b.toggleStation(0); b.toggleStation(1); return true; })
            << true << QStringList{"Start,A,12:34,120", "Stop,B,1:0,10"} << QStringList{open, "start,A,0:12:34,120,10,", "stop,B,0:01:00,10,10,"};
        QTest::newRow("bill: once") << board << Action([](B b, C) { b.billStation(0); b.billStation(0); return true; })
            << true << QStringList{"Stop,A,00:00,00", board[1]} << QStringList{open, "bill,A,0:12:34,120,10,"};
        QTest::newRow("bill: a charge without time is a bill too") << QStringList{"Stop,A,00:00,120"} << Action([](B b, C) { b.billStation(0); return true; })
            << true << QStringList{"Stop,A,00:00,00"} << QStringList{"open,,,,10,stations=1; running=0", "bill,A,0:00:00,120,10,"};
        QTest::newRow("remove") << board << Action([](B b, C) { b.removeStation(0); return true; })
            << true << QStringList{board[1]} << QStringList{open, "remove,A,0:12:34,120,10,state=Stop"};
        QTest::newRow("no row: edit, toggle, bill, remove, + and -") << board << Action([](B b, C) { bool edited = false;
            for (int row : {-1, 2}) { edited |= ok(b.editStation(row, {"X", "1:0", {}, {}})); b.toggleStation(row); b.billStation(row); b.removeStation(row); b.topUp(row, true); b.acknowledge(row); }
            return edited; }) << false << board << QStringList{open};
        QTest::newRow("the price once, then the language with its words") << board << Action([](B b, C) {
            return b.applySettings("12", "English.xml") && b.applySettings("12", "English.xml") && b.applySettings("12", "Italian.xml"); })
            << true << QStringList{"Fermo,A,12:34,120", board[1]} << QStringList{open, "price,,,,12,before=10", "language,,,,12,language=Italian.xml; before=English.xml"};
        QTest::newRow("settings refused: a comma, a control character") << board << Action([](B b, C) {
            return b.applySettings("1,5", "English.xml") || b.applySettings("10", "a,b.xml") || b.applySettings("1\r", "English.xml"); })
            << false << board << QStringList{open};
        QTest::newRow("a shift: the bills since the last one") << board << Action([](B b, C) {
            b.billStation(0); const PeriodTotals first = b.closeShift(), second = b.closeShift();
            return first.bills == 1 && first.billed == Money::whole(120) && second.bills == 0; })
            << true << QStringList{"Stop,A,00:00,00", board[1]}
            << QStringList{open, "bill,A,0:12:34,120,10,", "shift,,,,10,bills=1; billed=120; time=12:34", "shift,,,,10,bills=0; billed=0; time=0:00"};
        QTest::newRow("open after the program was off, held up and asleep, close") << QStringList{"Start,A,1:0,10", "Stop,B,0:0,00"}
            << Action([](B b, C c) { c.steady = {91'000, 200'000}; b.clockTimeout(); b.close(); return true; })
            << true << QStringList{"Start,A,2:31,20", "Stop,B,0:0,00"}
            << QStringList{"open,,,,10,stations=2; running=1", "gap,,,,10,seconds=300; uncounted=300; running=1",
                           "gap,,,,10,seconds=200; uncounted=109; running=1", "close,,,,10,stations=2; running=1"};
        // clang-format on
    }
    void eachOperationChangesTheBoardAndWritesItsLine()
    {
        QFETCH(QStringList, board);
        QFETCH(Action, action);
        QFETCH(bool, accepted);
        QFETCH(QStringList, after);
        QFETCH(QStringList, lines);
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        // The board starts at noon; its station file was last written five minutes before.
        m_clocks.clock = QDateTime(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);
        m_folder->write(stationFile, englishBoard(board));
        QFile file(m_folder->filePath(stationFile));
        QVERIFY(file.open(QIODevice::Append) &&
                file.setFileTime(m_clocks.now().addSecs(-300), QFileDevice::FileModificationTime));
        file.close();
        const auto loaded = m_folder->startBoard(m_clocks);
        QCOMPARE(action(*loaded, m_clocks), accepted);
        QCOMPARE(rowsOf(*loaded), after);
        // Every operation is on the disk when it returns.
        const StationFile saved = parseStationFile(decodeDataFile(stationFileBytes()));
        QStringList savedRows;
        for (qsizetype i = 0; i < saved.rowCount(); ++i)
            savedRows << QStringList{saved.state[i], saved.name[i], saved.spent[i], saved.charge[i]}.join(u',');
        QCOMPARE(savedRows, after);
        QCOMPARE(linesOf(m_folder->read(december)), lines); // and no findings of the chain
    }

    void theLedgerIsTheRecordAtTheStart_data()
    {
        QTest::addColumn<QDateTime>("written"); // when the station file was last written
        QTest::addColumn<QStringList>("lines"); // "seconds after it|event|station|spent|charge|price|detail"
        QTest::addColumn<QStringList>("after"); // the station file after the start, header first
        QTest::addColumn<bool>("sounding");     // a station is past its paid end: the alarm sounds
        const QDateTime noon(QDate(2026, 12, 7), QTime(12, 0, 0, 500), Qt::UTC);
        const QStringList header{"10,English.xml"};
        // clang-format off
        QTest::newRow("a bill, with its paid time") << noon << QStringList{"1|bill|A|10:0|100|10|paid=60:0"} << header + QStringList{"Stop,A,00:00,00", "Start,B,1:0,10"} << false;
        QTest::newRow("an add, a rename, a start, a removal") << noon << QStringList{"0|add|C|5:7|00|10|", "1|edit|B2|0:03:00|10|10|time=1:0; name=B", "2|start|C|5:7|00|10|", "3|remove|A|10:0|100|10|state=Stop"}
            << header + QStringList{"Start,B2,3:0,10", "Start,C,5:7,00"} << false;
        QTest::newRow("a rename of the first station") << noon << QStringList{"1|edit|A1|0:10:00|100|10|name=A"}
            << header + QStringList{"Stop,A1,10:0,100,,60:0", "Start,B,1:0,10"} << false;
        QTest::newRow("the prices, a paid time, the language") << noon << QStringList{"0|price||||12|before=10", "1|price|A|10:0|100|25|before=",
            "2|paid|B|1:0|10|12|paid=0:30; minutes=-0.5", "3|price|B|1:0|10|12|before=7", "4|language||||12|language=Italian.xml; before=English.xml"}
            << QStringList{"12,Italian.xml", "Fermo,A,10:0,100,25,60:0", "Attivo,B,1:0,10,,0:30"} << true;
        QTest::newRow("lines the file holds already change nothing") << noon << QStringList{"0|stop|A|10:0|100|10|", "0|edit|B|1:0|10|10|time=0:0; name=B"}
            << header + QStringList{"Stop,A,10:0,100,,60:0", "Start,B,1:0,10"} << false;
        QTest::newRow("a station file newer than the lines") << noon << QStringList{"-1|bill|A|10:0|100|10|", "-5|remove|B|1:0|10|10|state=Start"}
            << header + QStringList{"Stop,A,10:0,100,,60:0", "Start,B,1:0,10"} << false;
        QTest::newRow("a month's turn") << QDateTime(QDate(2026, 11, 30), QTime(23, 59, 59, 200), Qt::UTC)
            << QStringList{"0|bill|A|10:0|100|10|", "2|remove|B|1:0|10|10|state=Start"} << header + QStringList{"Stop,A,00:00,00"} << false;
        // clang-format on
    }
    void theLedgerIsTheRecordAtTheStart()
    {
        QFETCH(QDateTime, written);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, after);
        QFETCH(bool, sounding);
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        const QByteArray file = englishBoard({"Stop,A,10:0,100,,60:0", "Start,B,1:0,10"});
        m_folder->write(stationFile, file);
        QFile station(m_folder->filePath(stationFile));
        QVERIFY(station.open(QIODevice::Append) && station.setFileTime(written, QFileDevice::FileModificationTime));
        station.close();
        Ledger ledger(m_folder->path(), [this] { return m_clocks.clock; });
        for (const QString& line : lines) {
            const QStringList f = line.split(u'|');
            m_clocks.clock = written.addSecs(f[0].toInt());
            ledger.append({{}, f[1], f[2], f[3], f[4], f[5], f[6]});
        }
        m_clocks.clock = written.addSecs(60);
        const auto board = m_folder->startBoard(m_clocks);
        QCOMPARE(stationFileBytes(), crlf(after));
        QCOMPARE(board->table().isAlarmSounding(), sounding);
        // A file that already held the board was not written again.
        QCOMPARE(QFileInfo(m_folder->filePath(stationFile)).lastModified() == written, crlf(after) == file);
    }

    void theClockRunsTheRunningRowsAndAnnouncesThem_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QStringList>("after");
        // clang-format off
        QTest::newRow("a second") << 1 << QStringList{"Start,A,12:35,00", "Stop,B,0:59,00", "Start,C,1:0,15", "start,D,0:00:59,00",
                                                      "Start,E,ab:34,00", "Start,F,12,00", "Start,G,5:59,00"};
        QTest::newRow("a minute and a second at once") << 61 << QStringList{"Start,A,13:35,10", "Stop,B,0:59,00", "Start,C,2:0,25",
                                                      "start,D,0:00:59,00", "Start,E,ab:34,00", "Start,F,12,00", "Start,G,6:59,10"};
        // clang-format on
    }
    void theClockRunsTheRunningRowsAndAnnouncesThem()
    {
        QFETCH(int, seconds);
        QFETCH(QStringList, after);
        // The running word alone runs, in its letter case; a time the clock cannot read stays as it is.
        const QStringList before{"Start,A,12:34,00", "Stop,B,0:59,00", "Start,C,0:59,5", "start,D,0:00:59,00",
                                 "Start,E,ab:34,00", "Start,F,12,00",  "Start,G,5:58,00"};
        const auto board = m_folder->startBoard(m_clocks, englishBoard(before));
        QSignalSpy times(&board->column(Column::Spent), &QAbstractItemModel::dataChanged);
        QSignalSpy charges(&board->column(Column::Charge), &QAbstractItemModel::dataChanged);
        board->tick(seconds);
        QCOMPARE(rowsOf(*board), after);
        for (int row = 0; row < board->rowCount(); ++row) {
            QVERIFY(announced(times, row) || before[row].section(u',', 2, 2) == board->text(Column::Spent, row));
            QVERIFY(announced(charges, row) || before[row].section(u',', 3) == board->text(Column::Charge, row));
        }
    }

    void theClockCountsTheSteadyTime_data()
    {
        // Each event moves the steady clocks to an awake time (milliseconds since the clock started) and adds a time
        // slept; the last event may be the close. After each event the station has counted the seconds given.
        QTest::addColumn<QList<qint64>>("awake");
        QTest::addColumn<QList<qint64>>("slept");
        QTest::addColumn<bool>("closeAtEnd");
        QTest::addColumn<QList<qint64>>("counted");
        QTest::addColumn<QList<qint64>>("gaps"); // counted and slept seconds of each gap reported
        using T = QList<qint64>;
        // clang-format off
        QTest::newRow("a stall of 5 s charges the minute it crosses") << T{1000, 2000, 7000, 8000} << T{} << false << T{1, 2, 7, 8} << T{};
        QTest::newRow("a stall across minutes charges each once") << T{1000, 186000, 187000} << T{} << false << T{1, 186, 187} << T{185, 0};
        QTest::newRow("a minute's stall is no gap") << T{1000, 61000} << T{} << false << T{1, 61} << T{};
        QTest::newRow("early events apply nothing twice") << T{1000, 1001, 1600, 2200, 3000} << T{} << false << T{1, 1, 2, 2, 3} << T{};
        QTest::newRow("events a little early or late apply one each") << T{980, 2030, 2990, 4010, 4960} << T{} << false << T{1, 2, 3, 4, 5} << T{};
        QTest::newRow("after a stall half a second off the beat, one each") << T{1000, 6520, 7570, 8480, 9530, 10510} << T{} << false << T{1, 7, 8, 9, 10, 11} << T{};
        QTest::newRow("sleep is not counted") << T{1000, 2000, 3000} << T{0, 3599600, 0} << false << T{1, 2, 3} << T{1, 3600};
        QTest::newRow("closing counts the second under way") << T{1000, 2000, 2700} << T{} << true << T{1, 2, 3} << T{};
        // clang-format on
    }
    void theClockCountsTheSteadyTime()
    {
        QFETCH(QList<qint64>, awake);
        QFETCH(QList<qint64>, slept);
        QFETCH(bool, closeAtEnd);
        QFETCH(QList<qint64>, counted);
        QFETCH(QList<qint64>, gaps);
        m_clocks.steady = {5000, 9000}; // the clocks start where they like
        m_clocks.clock = QDateTime(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);
        const auto board = m_folder->startBoard(m_clocks, englishBoard({"Start,A,0:57,00", "Stop,B,0:57,00"}));
        const auto gapLines = [this] { return linesOf(m_folder->read(december)).filter(QStringLiteral("gap,")); };
        const qsizetype startGaps = gapLines().size();
        QSignalSpy charged(&board->column(Column::Charge), &QAbstractItemModel::dataChanged);
        int minutes = 0; // events that completed a minute
        qint64 asleep = 0;
        for (qsizetype i = 0; i < awake.size(); ++i) {
            asleep += slept.value(i);
            m_clocks.steady = {5000 + awake[i], 9000 + awake[i] + asleep};
            if (closeAtEnd && i == awake.size() - 1)
                board->close();
            else
                board->clockTimeout();
            const QStringList time = board->text(Column::Spent, 0).split(u':');
            QCOMPARE(time.value(0).toLongLong() * 60 + time.value(1).toLongLong() - 57, counted[i]);
            minutes += (57 + counted[i]) / 60 > (57 + counted.value(i - 1)) / 60;
        }
        QCOMPARE(charged.count(), minutes);
        // Each minute charged once.
        QCOMPARE(board->text(Column::Charge, 0), QString::number(10 * ((57 + counted.last()) / 60)));
        QCOMPARE(board->text(Column::Spent, 1), QStringLiteral("0:57"));
        QList<qint64> reported; // by the gap lines written while the board ran: counted and slept seconds
        for (const QString& line : gapLines().mid(startGaps)) {
            const QStringList values = line.section(u',', 5).split(QRegularExpression("[^0-9]+"), Qt::SkipEmptyParts);
            reported << values[0].toLongLong() - values[1].toLongLong() << values[1].toLongLong();
        }
        QCOMPARE(reported, gaps);
    }

    void everyRowReadIsWrittenBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");    // a null array: no file at all
        QTest::addColumn<QByteArray>("language"); // the language file the board names, when not null
        QByteArray garbage(64 * 1024, Qt::Uninitialized);
        QRandomGenerator random(7);
        for (char& byte : garbage)
            byte = char(random.bounded(256));
        // clang-format off
        QTest::newRow("a board") << crlf({"0.5,English.xml", "Start,Computer 2,30:40,1000", "Stop,Table  3 ,7:5,12.5", "Start,\xDA\xA9\xD8\xA7\xD9\x85,0:0,00"}) << QByteArray();
        QTest::newRow("no file") << QByteArray() << QByteArray();
        QTest::newRow("damaged bytes, NUL, short rows, lone CR and LF") << QByteArray::fromStdString("\xEF\xBB\xBF" "1E+400\0,English.xml\r\nStart,A\0B,0:\0,1\0\r\n,\xC3\x28\xFF\xE2\x82\r\n\nStop\r\rStart,\xED\xA0\x80,1E+400:59,NaN\r\nStart,B,0:59,1E+400\r\n,,,,,,\r\n"s) << QByteArray();
        QTest::newRow("binary garbage") << garbage << QByteArray();
        QTest::newRow("a language file of garbage") << crlf({"10,Hostile.xml", "Start,A,0:0,00", "Stop,B,0:0,00"}) << garbage;
        // clang-format on
    }
    void everyRowReadIsWrittenBack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, language);
        if (!language.isNull())
            m_folder->write(QStringLiteral("Hostile.xml"), language);
        {
            const auto board = m_folder->startBoard(m_clocks, bytes);
            board->translate(); // once more: nothing changes
            board->close();
        }
        // The header's price (or "10") and language (or the default), then every row, a row without a state word
        // made a stopped one.
        StationFile file = parseStationFile(decodeDataFile(bytes));
        file.state.replaceInStrings(QRegularExpression(QStringLiteral("^$")), QStringLiteral("Stop"));
        if (file.language.value_or(QString()).isEmpty())
            file.language = QStringLiteral("English.xml");
        file.price = file.price.value_or(QStringLiteral("10"));
        const QByteArray written = stationFileBytes();
        QVERIFY(written == encodeDataFile(formatStationFile(file)));
        // The clock runs over whatever the file held, and no row is lost.
        const auto board = m_folder->startBoard(m_clocks);
        board->tick(61);
        board->close();
        QCOMPARE(stationFileBytes().count("\r\n"), written.count("\r\n"));
    }

    void aFailedWriteKeepsTheOldFileAndTheAutosaveTriesAgain()
    {
        const QStringList before(500, QStringLiteral("Start,PC,0:0,00")), after(500, QStringLiteral("Start,PC,0:1,00"));
        m_folder->write(stationFile, englishBoard(before));
        Board board(m_clocks, m_folder->path());
        board.load();
        // Saved once a minute from the load step on, so that a crash or a power cut costs at most the last minute.
        auto* autosave = board.findChild<QTimer*>(QStringLiteral("autosave"));
        auto* clock = board.findChild<QTimer*>(QStringLiteral("Time"));
        QVERIFY(autosave->isActive() && autosave->interval() == 60'000 && clock->isActive() &&
                clock->interval() == 1000);
        autosave->stop(); // the test saves
        board.tick();
        withFullDisk(4096, [&] { board.persist(); });
        QCOMPARE(stationFileBytes(), englishBoard(before)); // the write failed part-way: the old file stays whole
        QCOMPARE(m_folder->names().filter(stationFile), QStringList{stationFile}); // and no temporary file is left
        board.persist();
        QCOMPARE(stationFileBytes(), englishBoard(after)); // tried again
        // The file cannot be replaced (a folder took its name): the save fails, and is tried again.
        board.tick(60);
        QVERIFY(QFile::remove(m_folder->filePath(stationFile)) && QDir(m_folder->path()).mkdir(stationFile));
        board.persist();
        QVERIFY(QDir(m_folder->path()).rmdir(stationFile));
        board.persist();
        QCOMPARE(stationFileBytes(), englishBoard(QStringList(500, QStringLiteral("Start,PC,1:1,10"))));
        m_folder->write(stationFile, "marker");
        board.persist();
        QCOMPARE(stationFileBytes(), QByteArray("marker")); // nothing new since the last write
        autosave->start();
        board.close();
        QVERIFY(!autosave->isActive());
    }

    void aMissingLanguageLeavesWordsThatRunAndStop()
    {
        // And English cannot stand in: its stopped word is empty.
        m_folder->write(QStringLiteral("English.xml"), languageWithWords(QStringLiteral("Go"), QString()));
        const auto board = m_folder->startBoard(m_clocks, crlf({"10,Klingon.xml", ",A,0:59,00"}));
        QCOMPARE(board->language().words(), (StateWords{"Start", "Stop"}));
        for (int i = 0; i < 2; ++i) { // a row without a state word runs, is charged a minute, and stops
            board->toggleStation(0);
            board->tick();
        }
        // The header keeps the language the operator chose: once the file is back, it applies again.
        board->close();
        QCOMPARE(stationFileBytes(), crlf({"10,Klingon.xml", "Stop,A,1:0,10"}));
    }

    void switchingLanguageRelabelsTheStateWords_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");  // written to the program folder as name; "shipped": the shipped file
        QTest::addColumn<QStringList>("words"); // the running and stopped words after the switch
        const auto words = [](const char* running, const char* stopped) {
            return languageWithWords(QString::fromUtf8(running), QString::fromUtf8(stopped));
        };
        const QByteArray shipped = "shipped", none;
        // clang-format off
        QTest::newRow("Italian") << "Italian.xml" << shipped << QStringList{"Attivo", "Fermo"};
        QTest::newRow("Persian") << "Persian.xml" << shipped << QStringList{"\u0641\u0639\u0627\u0644", "\u0645\u062A\u0648\u0642\u0641"};
        // The words in force stay where the file's cannot serve: an empty one, one the file cannot hold, two alike.
        QTest::newRow("no stopped word") << "A.xml" << words("Go", "") << QStringList{"Go", "Stop"};
        QTest::newRow("a comma in the running word") << "A.xml" << words("Go, now", "Halt") << QStringList{"Start", "Halt"};
        QTest::newRow("two alike") << "A.xml" << words("Same", "Same") << QStringList{"Start", "Stop"};
        QTest::newRow("a line feed in the running word") << "A.xml" << words("Go\nnow", "Halt") << QStringList{"Start", "Halt"};
        // Only an ordinary, visible file directly in the program folder is a language file.
        QTest::newRow("missing file") << "Klingon.xml" << none << QStringList{"Start", "Stop"};
        QTest::newRow("hidden file") << ".A.xml" << words("Go", "Halt") << QStringList{"Start", "Stop"};
        QTest::newRow("a folder") << "sub" << none << QStringList{"Start", "Stop"};
        QTest::newRow("a path") << "sub/A.xml" << words("Go", "Halt") << QStringList{"Start", "Stop"};
        // clang-format on
    }
    void switchingLanguageRelabelsTheStateWords()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, words);
        QDir(m_folder->path()).mkpath(QStringLiteral("sub"));
        if (bytes == "shipped")
            m_folder->copyLanguage(name);
        else if (!bytes.isNull())
            m_folder->write(name, bytes);
        const auto board = m_folder->startBoard(
            m_clocks, englishBoard({"Start,A,0:0,0", "Stop,B,0:0,0", "Marche,C,0:0,0", ",D,0:0,0"}));
        const auto states = [&board] {
            return rowsOf(*board).replaceInStrings(QRegularExpression(QStringLiteral(",.*$")), QString());
        };
        const QStringList english{"Start", "Stop", "Marche", "Stop"};
        QCOMPARE(states(), english); // the empty word stops
        QSignalSpy relabelled(&board->column(Column::State), &QAbstractItemModel::dataChanged);
        board->applySettings(board->price(), name);
        QCOMPARE(states(), QStringList({words[0], words[1], "Marche", words[1]}));
        for (int row = 0; row < 4; ++row) // drawn anew at once
            QVERIFY(announced(relabelled, row) || states()[row] == english[row]);
        if (bytes == "shipped") {
            // The windows' entries and the report's texts, by key.
            const LanguageFile file = parseLanguageFile(decodeDataFile(m_folder->read(name)));
            QCOMPARE(QStringList({*board->language().entries()[1], *board->language().entries()[17],
                                  board->language().texts()[KeyedText::Report]}),
                     QStringList({*file.entries[1], *file.entries[17], file.keyed["Report"]}));
        }
        board->tick(); // the running station keeps running under its new word
        QCOMPARE(rowsOf(*board).replaceInStrings(QRegularExpression(QStringLiteral("^.*,(.*),.*$")), "\\1"),
                 QStringList({"0:1", "0:0", "0:0", "0:0"}));
        board->applySettings(board->price(), QStringLiteral("English.xml"));
        QCOMPARE(states(), english);
    }

    void aStationKeepsItsIdentityUntilRemoved()
    {
        const auto board = m_folder->startBoard(m_clocks, englishBoard({"Stop,A,0:0,00", "Stop,B,0:0,00"}));
        const StationTable& table = board->table();
        const StationId a = table.idOf(0), b = table.idOf(1);
        QVERIFY(a != 0 && b != 0 && a != b && table.idOf(-1) == 0 && table.idOf(2) == 0);
        QSignalSpy removed(&board->column(Column::Name), &QAbstractItemModel::rowsRemoved);
        board->removeStation(0);
        QVERIFY(removed.count() == 1 && ok(board->addStation({QStringLiteral("C"), {}, {}, {}})));
        const StationId c = table.idOf(1); // the removed station's identity is not given again
        QSignalSpy renamed(&board->column(Column::Name), &QAbstractItemModel::dataChanged);
        QVERIFY(ok(board->editStation(0, {QStringLiteral("B2"), {}, {}, {}})) && announced(renamed, 0));
        QCOMPARE(QList<int>({table.rowOf(a), table.rowOf(b), table.rowOf(0), c == a || c == b}),
                 QList<int>({-1, 0, -1, 0}));
    }

    void linesLeftWaitingAreNamedAtTheNextStart()
    {
        m_clocks.clock = QDateTime(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);
        QDir folder(m_folder->path());
        {
            auto board = m_folder->startBoard(m_clocks, englishBoard({"Stop,A,1:0,10", "Stop,B,2:0,20"}));
            QSignalSpy told(board.get(), &Board::diskStateChanged);
            QVERIFY(folder.rename(december, "aside") && folder.mkdir(december)); // the disk refuses the ledger
            m_clocks.clock = m_clocks.clock.addSecs(5);
            board->billStation(0);
            board->billStation(1);
            QCOMPARE(board->diskState(), (DiskState{2, WriteFault::Other, WriteFault::None}));
            QCOMPARE(told.count(), 2);
            QCOMPARE(stationFileBytes(), englishBoard(rowsOf(*board))); // the station file is written whatever
        } // gone without closing, as a kill or a power cut ends it
        QVERIFY(folder.rmdir(december) && folder.rename("aside", december));
        const QByteArray waiting = m_folder->read(QStringLiteral("tallivor.waiting"));
        m_clocks.clock = m_clocks.clock.addSecs(60);
        auto board = m_folder->startBoard(m_clocks);
        QCOMPARE(rowsOf(*board), QStringList({"Stop,A,00:00,00", "Stop,B,00:00,00"}));
        QCOMPARE(
            linesOf(m_folder->read(december)).mid(1),
            QStringList({"lost,,,,10,lines=2; since=2026-12-07T12:00:05+00:00", "open,,,,10,stations=2; running=0"}));
        // Said once: the next start has nothing to tell.
        board.reset();
        m_folder->startBoard(m_clocks);
        QCOMPARE(linesOf(m_folder->read(december)).filter(QStringLiteral("lost,")).size(), 1);
        // Taking the count is telling it, even when nothing was written after.
        m_folder->write(QStringLiteral("tallivor.waiting"), waiting);
        const auto now = [this] { return m_clocks.clock; };
        QCOMPARE(Ledger(m_folder->path(), now).takeLost().value_or(Ledger::Lost{}).lines, 2);
        QVERIFY(!Ledger(m_folder->path(), now).takeLost());
    }

    void aNightOfPowerCutsFullDisksAndNewYear()
    {
        // New Year's Eve in a town three and a half hours west of UTC: the months turn by its clock, not by UTC's.
        QDateTime clock(QDate(2026, 12, 31), QTime(23, 59, 30), Qt::OffsetFromUTC, -12600);
        const QString name = QStringLiteral("\u06A9\u0627 \"B\", C\r\nD"),
                      as = QStringLiteral("\"\u06A9\u0627 \"\"B\"\", C  D\"");
        Ledger ledger(m_folder->path(), [&] { return clock; });
        ledger.append({{}, "open", {}, {}, {}, "10", {}});
        // A line cut short (a power cut, another copy of the program): the next line goes on a line of its own.
        m_folder->write(december, m_folder->read(december) + "2026-12-31T23:59:30-03:30,bill,A,3:");
        ledger.append(line::ofStation(LedgerEvent::Start, {name, {}, {}, "10"}));
        // The disk refuses the bill part-way: nothing of it stays, it waits for the next line.
        withFullDisk(rlim_t(m_folder->read(december).size() + 20), [&] {
            ledger.append(line::bill({name, "3:0", "30", "10"}, {}));
        });
        QCOMPARE(ledger.pendingLines(), 1);
        clock = clock.addSecs(60);
        ledger.append(line::ofStation(LedgerEvent::Stop, {name, {}, {}, "10"}));
        Ledger restarted(m_folder->path(), [&] { return clock; }); // the next start appends to a whole file
        restarted.append(line::close(0, 0, "10"));
        const QByteArray old = m_folder->read(december), young = m_folder->read("tallivor-ledger-2027-01.csv");
        // The chain's head is the last line's check, also for a copy that has written nothing yet.
        QCOMPARE(restarted.head(), young.right(18).left(16));
        QCOMPARE(Ledger(m_folder->path(), [&] { return clock; }).head(), restarted.head());
        // A byte-order mark, the heading; the check: the first 16 hex digits of SHA-256 over "<check before>,<fields>".
        QVERIFY(old.startsWith("\xEF\xBB\xBF" + QByteArray(ledgerHeading) +
                               "\r\n2026-12-31T23:59:30-03:30,open,,,,10,,47ae07572d75b4d3\r\n"));
        QCOMPARE(linesOf(old) + linesOf(young),
                 QStringList({"open,,,,10,", "start," + as + ",,,10,", "bill," + as + ",0:03:00,30,10,", "#3 damaged",
                              "stop," + as + ",,,10,", "close,,,,10,stations=0; running=0"}));
    }

    // Paid time, own prices and one name per station.

    void plusAndMinusCountFromThePaidEnd_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("keys"); // + and - in turn
        QTest::addColumn<QString>("paid"); // after each key
        QTest::addColumn<QStringList>("lines");
        // clang-format off
        QTest::newRow("an open session: from the time used") << "Stop,A,12:34,120" << "++" << "27:34 42:34"
            << QStringList{"paid,A,0:12:34,120,10,paid=27:34; minutes=15", "paid,A,0:12:34,120,10,paid=42:34; minutes=15"};
        QTest::newRow("past the end: the top-up pays the overtime first") << "Stop,A,65:0,650,,60:0" << "+" << "75:0"
            << QStringList{"paid,A,1:05:00,650,10,paid=75:0; minutes=15"};
        QTest::newRow("- shortens while time is left") << "Stop,A,10:0,0,,40:0" << "-" << "25:0" << QStringList{"paid,A,0:10:00,0,10,paid=25:0; minutes=-15"};
        QTest::newRow("- leaving nothing ahead removes it") << "Stop,A,30:0,0,,40:0" << "-" << "none" << QStringList{"paid,A,0:30:00,0,10,paid=; minutes=-10"};
        QTest::newRow("- on an open session does nothing") << "Stop,A,30:0,0" << "-" << "none" << QStringList{};
        // clang-format on
    }
    void plusAndMinusCountFromThePaidEnd()
    {
        QFETCH(QString, row);
        QFETCH(QString, keys);
        QFETCH(QString, paid);
        QFETCH(QStringList, lines);
        auto board = startPaid({row});
        QStringList seen;
        for (const QChar key : keys) {
            board->topUp(0, key == u'+');
            seen << paidText(*board, 0);
        }
        QCOMPARE(seen.join(u' '), paid);
        const QString saved = QString::fromUtf8(stationFileBytes()).section(u'\n', 1, 1).section(u',', 5).trimmed();
        QCOMPARE(saved.isEmpty() ? QStringLiteral("none") : saved, paid.section(u' ', -1)); // on the disk at once
        QCOMPARE(paidLines(), lines);
    }

    void theClockTurnsAPaidStationAmberThenDueOnce()
    {
        auto board = startPaid({"Start,A,54:58,540,,60:0", "Start,B,54:58,540"});
        QSignalSpy due(board.get(), &Board::stationDue);
        const auto states = [&] { return QList<PaidState>{board->table().paidState(0), board->table().paidState(1)}; };
        QCOMPARE(states(), QList<PaidState>({PaidState::Paid, PaidState::None}));
        board->tick(2); // 55:00: five minutes left
        QCOMPARE(states(), QList<PaidState>({PaidState::Soon, PaidState::None}));
        board->tick(299);
        QCOMPARE(board->table().remainingSeconds(0), qint64(1));
        QVERIFY(!board->table().isAlarmSounding());
        board->tick(); // 60:00: due at the paid end, and it keeps counting and charging past it
        QCOMPARE(due.count(), 1);
        board->tick(61);
        QCOMPARE(board->text(Column::Spent, 0), QStringLiteral("61:1"));
        QCOMPARE(board->text(Column::Charge, 0), QStringLiteral("610"));
        QCOMPARE(states(), QList<PaidState>({PaidState::Due, PaidState::None}));
        QCOMPARE(due.count(), 1);
        QVERIFY(board->table().isAlarmSounding());
        m_clocks.clock = m_clocks.clock.addSecs(75);
        board->acknowledgeAll();
        board->acknowledgeAll(); // once is enough
        QCOMPARE(states(), QList<PaidState>({PaidState::Acknowledged, PaidState::None}));
        QVERIFY(!board->table().isAlarmSounding());
        board->topUp(0, true); // 75:0 paid: time ahead again
        QCOMPARE(states(), QList<PaidState>({PaidState::Paid, PaidState::None}));
        QCOMPARE(paidLines(), QStringList({"due,A,1:00:00,600,10,paid=60:0", "ack,A,1:01:01,610,10,after=75",
                                           "paid,A,1:01:01,610,10,paid=75:0; minutes=15"}));
    }

    void aPaidChangeNamesItsStationAlone()
    {
        auto board = startPaid({"Stop,A,0:0,0", "Start,B,54:59,0,,60:0", "Stop,C,0:0,0"});
        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (Column column : {Column::State, Column::Name, Column::Spent, Column::Charge})
            spies.push_back(std::make_unique<QSignalSpy>(&board->column(column), &QAbstractItemModel::dataChanged));
        QSignalSpy changed(board.get(), &Board::paidStateChanged);
        board->topUp(0, true); // a paid time for A
        board->tick();         // B turns amber
        board->acknowledge(2); // C is not due: nothing
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed[0][0].value<StationId>(), board->table().idOf(0));
        QCOMPARE(changed[1][0].value<StationId>(), board->table().idOf(1));
        // Each column's views are told of those rows alone (the tick's time of B included), never of C's.
        for (const auto& spy : spies) {
            QVERIFY(announced(*spy, 0) && announced(*spy, 1) && !announced(*spy, 2));
            for (const QList<QVariant>& change : *spy)
                QCOMPARE(change[0].toModelIndex().row(), change[1].toModelIndex().row());
        }
        // Nor is a station's paid state news when it has none, or when it is amber already.
        board = startPaid({"Stop,A,0:0,0", "Start,B,55:0,0,,60:0"});
        QSignalSpy quiet(board.get(), &Board::paidStateChanged);
        QVERIFY(ok(board->editStation(0, {"A", "3:0", {}, {}})));
        board->tick();
        QCOMPARE(quiet.count(), 0);
    }

    void aStartAnEditOrAResetMovesTheDueState()
    {
        // B was past its end when the program closed: due again at the start, without a second due line.
        auto board = startPaid({"Stop,A,10:0,100,25,60:0", "Start,B,61:0,610,,60:0"});
        QVERIFY(board->table().isAlarmSounding() && board->table().paidState(0) == PaidState::Paid);
        board->removeStation(1); // its alarm goes with it
        QVERIFY(!board->table().isAlarmSounding());
        QVERIFY(ok(board->editStation(0, {QStringLiteral("A"), QStringLiteral("70:0"), {}, {}})));
        QCOMPARE(board->table().paidState(0), PaidState::Due); // an edit past the end is due at once, stopped or not
        board->billStation(0);
        QCOMPARE(board->table().paidState(0), PaidState::None);
        QCOMPARE(board->table()[0].record.price, std::optional<QString>(QStringLiteral("25"))); // the bill keeps it
        QCOMPARE(paidLines().filter(QRegularExpression(QStringLiteral("^(due|bill),"))),
                 QStringList({"due,A,1:10:00,100,25,paid=60:0", "bill,A,1:10:00,100,25,paid=60:0"}));
    }

    void eachStationIsChargedItsOwnPrice()
    {
        auto board = startPaid({"Start,VR,0:59,0,25", "Start,PC,0:59,0"});
        board->tick();
        QVERIFY(board->applySettings(QStringLiteral("12"), QStringLiteral("English.xml")));
        board->tick(60);
        QCOMPARE(QStringList({board->text(Column::Charge, 0), board->text(Column::Charge, 1)}),
                 QStringList({"50", "22"}));
        const auto ownPrice = [&board](int row, std::optional<QString> price) {
            return board->editStation(row, {board->text(Column::Name, row), {}, price, {}});
        };
        QVERIFY(ownPrice(1, QStringLiteral(".")) == Refusal::Price &&
                ownPrice(1, QStringLiteral("abc")) == Refusal::Price);
        QVERIFY(ok(ownPrice(1, QStringLiteral(".5"))));
        QVERIFY(ok(ownPrice(0, std::nullopt))); // the board's price again
        board->tick(60);
        QCOMPARE(QStringList({board->text(Column::Charge, 0), board->text(Column::Charge, 1)}),
                 QStringList({"62", "22.5"}));
        QCOMPARE(paidLines().filter(QStringLiteral("price,")),
                 QStringList(
                     {"price,,,,12,before=10", "price,PC,0:02:00,22,.5,before=", "price,VR,0:02:00,50,12,before=25"}));
    }

    void theTwoFieldsReadAndWriteBack_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("a board without them: the same bytes")
            << QStringList{"Start,A,12:5,300", "Stop,B,0:0,00,", "Stop,C,1:0,10,,"}
            << QStringList{"Start,A,12:5,300", "Stop,B,0:0,00", "Stop,C,1:0,10"};
        QTest::newRow("a price, a paid time, both, no trailing empty field")
            << QStringList{"Start,VR corner,12:5,300,25", "Stop,PC 3,41:7,410,,60:0", "Stop,D,0:0,0,+0.5,0060:05"}
            << QStringList{"Start,VR corner,12:5,300,25", "Stop,PC 3,41:7,410,,60:0", "Stop,D,0:0,0,+0.5,60:5"};
        QTest::newRow("a field that is no price or no paid time is dropped")
            << QStringList{"Stop,A,1:0,10,abc,1:60", "Stop,B,1:0,10,12x,60", "Stop,C,1:0,10,,-5:0",
                           "Stop,D,0:0,0,,1:59"}
            << QStringList{"Stop,A,1:0,10", "Stop,B,1:0,10,12x", "Stop,C,1:0,10", "Stop,D,0:0,0,,1:59"};
    }
    void theTwoFieldsReadAndWriteBack()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, written);
        auto board = startPaid(rows);
        board->savefile();
        QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")),
                 crlf(QStringList{QStringLiteral("10,English.xml")} + written));
    }

    void oneNamePerStation()
    {
        // A file that already holds two equal names loads whole, and each keeps its own name on an edit.
        auto board = startPaid({"Stop,A,0:0,0", "Stop,A,1:0,0", "Stop,B,0:0,0"});
        QCOMPARE(board->rowCount(), 3);
        QVERIFY(ok(board->editStation(1, {QStringLiteral("A"), QStringLiteral("2:0"), {}, {}})));
        QCOMPARE(board->editStation(2, {QStringLiteral("A"), {}, {}, {}}), Refusal::Name);
        QCOMPARE(board->addStation({QStringLiteral("B"), {}, {}, {}}), Refusal::Name);
        QVERIFY(ok(board->addStation({QStringLiteral("b"), {}, {}, {}}))); // compared exactly
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "tst_board.moc"
