// The ledger through power cuts, full disks and month ends, the lines the board writes, and what the report shows.
#include "BoardTest.h"
#include "board/Board.h"
#include "ledger/Ledger.h"
#include "Operator.h"
#include "ledger/LedgerChain.h"
#include "report/HourChart.h"
#include "report/ReportWindow.h"

#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QTableWidget>
#include <QTextDocument>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace tallivor;
using Action = std::function<void(RunningBoard&)>;
using Alter = std::function<void(QByteArrayList&)>;
Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Alter)

namespace {

const QString december = QStringLiteral("tallivor-ledger-2026-12.csv");

// Each line as written after its time stamp and before its check, then what the chain found ("#3 damaged").
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

} // namespace

class TestLedger : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void aNightOfPowerCutsFullDisksAndNewYear();
    void boardOperationsWriteTheirLines_data();
    void boardOperationsWriteTheirLines();
    void reportShowsPeriodsAndTheChain_data();
    void reportShowsPeriodsAndTheChain();
    void reportExportsClosesTheShiftAndShowsRefusedLines();

private:
    ReportWindow* openReportOnASampleLedger(const Alter& alter = {});
};

void TestLedger::aNightOfPowerCutsFullDisksAndNewYear()
{
    // New Year's Eve in a town three and a half hours west of UTC: the months turn by its clock, not by UTC's.
    QDateTime clock(QDate(2026, 12, 31), QTime(23, 59, 30), Qt::OffsetFromUTC, -12600);
    const QString name = QStringLiteral("\u06A9\u0627 \"B\", C\r\nD"),
                  as = QStringLiteral("\"\u06A9\u0627 \"\"B\"\", C  D\"");
    Ledger ledger(m_folder->path(), [&] { return clock; });
    ledger.append(LedgerEvent::Open, {}, {}, {}, "10");
    // A line cut short (a power cut, another copy of the program): the next line goes on a line of its own after it.
    m_folder->write(december, m_folder->read(december) + "2026-12-31T23:59:30-03:30,bill,A,3:");
    ledger.append(LedgerEvent::Start, name, {}, {}, "10");
    // The disk refuses the bill part-way (a file size limit, as on a full disk): nothing of it stays, it waits.
    rlimit saved{}, small{};
    getrlimit(RLIMIT_FSIZE, &saved);
    small = {rlim_t(m_folder->read(december).size() + 20), saved.rlim_max};
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails, and does not end the test
    setrlimit(RLIMIT_FSIZE, &small);
    ledger.append(LedgerEvent::Bill, name, "3:0", "30", "10");
    setrlimit(RLIMIT_FSIZE, &saved);
    clock = clock.addSecs(60);
    ledger.append(LedgerEvent::Stop, name, {}, {}, "10");
    const QByteArray old = m_folder->read(december), young = m_folder->read("tallivor-ledger-2027-01.csv");
    // A byte-order mark, the heading; the check: the first 16 hex digits of SHA-256 over "<check before>,<fields>".
    QVERIFY(old.startsWith("\xEF\xBB\xBF" + QByteArray(ledgerHeading) +
                           "\r\n2026-12-31T23:59:30-03:30,open,,,,10,,47ae07572d75b4d3\r\n"));
    QCOMPARE(linesOf(old) + linesOf(young),
             QStringList({"open,,,,10,", "start," + as + ",,,10,", "bill," + as + ",3:0,30,10,", "#3 damaged",
                          "stop," + as + ",,,10,"}));
}

void TestLedger::boardOperationsWriteTheirLines_data()
{
    QTest::addColumn<QStringList>("board");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("lines");
    const QString open = QStringLiteral("open,,,,10,stations=1; running=0");
    // clang-format off
    QTest::newRow("open, gaps: the program off, then held up and asleep") << QStringList{"Start,A,1:0,10", "Stop,B,0:0,00"}
        << Action([this](RunningBoard& f) { m_platform.steady = {91'000, 200'000}; f.board().clockTimeout(); })
        << QStringList{"open,,,,10,stations=2; running=1", "gap,,,,10,seconds=300; uncounted=300; running=1",
                       "gap,,,,10,seconds=200; uncounted=109; running=1"};
    QTest::newRow("reset is the bill, of a clear time too; a clear row bills nothing") << QStringList{"Stop,A,00:00,120"}
        << Action([](RunningBoard& f) { for (int click = 0; click < 4; ++click) f.form().btnClick(Button::Reset); }) << QStringList{open, "bill,A,00:00,120,10,"};
    QTest::newRow("start, stop, edit, remove, add, close") << QStringList{"Stop,A,12:34,120"}
        << Action([](RunningBoard& f) { Board& b = f.board(); b.toggleStation(0); b.tick(); b.toggleStation(0);
                                 b.editStation(0, "B", "10:0"); b.removeStation(0); b.addStation("C \"1\"", "0:0"); f.form().close(); })
        << QStringList{open, "start,A,12:34,120,10,", "stop,A,12:35,120,10,", "edit,B,10:0,120,10,time=12:35; name=A",
                       "remove,B,10:0,120,10,state=Stop", "add,\"C \"\"1\"\"\",0:0,00,10,", "close,,,,10,stations=1; running=0"};
    QTest::newRow("price, once, and language") << QStringList{"Stop,A,12:34,120"}
        << Action([](RunningBoard& f) { f.board().applySettings("12", "English.xml"); f.board().applySettings("12", "Italian.xml"); })
        << QStringList{open, "price,,,,12,before=10", "language,,,,12,language=Italian.xml; before=English.xml"};
    // clang-format on
}

void TestLedger::boardOperationsWriteTheirLines()
{
    QFETCH(QStringList, board);
    QFETCH(Action, action);
    QFETCH(QStringList, lines);
    m_folder->copyLanguage("Italian.xml");
    m_folder->write("tallivor.xml", englishBoard(board));
    // The program starts at noon; the station file was last written five minutes before.
    m_platform.clock = QDateTime(QDate(2026, 12, 7), QTime(12, 0), Qt::UTC);
    QFile file(m_folder->filePath("tallivor.xml"));
    QVERIFY(file.open(QIODevice::Append) &&
            file.setFileTime(m_platform.now().addSecs(-300), QFileDevice::FileModificationTime));
    m_form = startWindow(*m_folder, m_platform);
    action(*m_form);
    QCOMPARE(linesOf(m_folder->read(december)), lines); // and no findings of the chain
}

ReportWindow* TestLedger::openReportOnASampleLedger(const Alter& alter)
{
    // The 6th: a tiny bill (its charge in exponent form), a shift close. The 7th: bills, a lowered time, removals.
    QByteArray ledger = QByteArray("\xEF\xBB\xBF") + ledgerHeading + "\r\n", check = ledgerFirstCheck;
    for (const char* line :
         {"2026-12-06T20:00:00+00:00,bill,A,10:00,5E-05,10,",
          "2026-12-06T23:00:00+00:00,shift,,,,10,bills=1; billed=0.00005; time=10:00",
          "2026-12-07T14:03:00+00:00,bill,A,12:34,120,10,", "2026-12-07T14:40:00+00:00,bill,\"B, corner\",0:30,0.1,10,",
          "2026-12-07T15:00:00+00:00,edit,\"B, corner\",1:00,0.1,10,\"time=9:00; name=B, corner\"",
          "2026-12-07T15:05:00+00:00,remove,C,4:00,40,10,state=Stop", "2026-12-07T15:06:00+00:00,remove,D,0:00,00,10,",
          "2026-12-07T18:10:00+00:00,bill,\"B, corner\",1:00,0.9,10,"})
        ledger += ledgerLine(*parseLedgerFields(line), check);
    m_folder->write(december, ledger);
    m_platform.clock = QDateTime(QDate(2026, 12, 7), QTime(19, 0), Qt::UTC);
    m_form = startShown(*m_folder, m_platform, englishBoard({"Stop,A,0:0,00"})); // its open line is line 10
    QByteArrayList lines = m_folder->read(december).split('\n');
    if (alter)
        alter(lines);
    m_folder->write(december, lines.join('\n'));
    op::click(m_form->btn(Button::Report));
    return m_form->form().report()->isVisible() ? m_form->form().report() : nullptr;
}

void TestLedger::reportShowsPeriodsAndTheChain_data()
{
    QTest::addColumn<Alter>("alter");   // on the ledger's lines, the heading first
    QTest::addColumn<Action>("choose"); // the period
    QTest::addColumn<QString>("shown"); // the printed report's lines, then the chart's bars
    // clang-format off
    const auto to = [](RunningBoard& f, const char* edit, int day) { f.form().report()->findChild<QDateEdit*>(edit)->setDate(QDate(2026, 12, day)); };
    const QString intact = QStringLiteral("Ledger intact: no line changed, inserted or deleted"), changed = QStringLiteral(": changed, or lines before it deleted");
    const QString captions = QStringLiteral(" | Station | Bills | Time billed | Past paid (min) | Amount | ");
    const QString rest = QStringLiteral("B, corner | 2 | 0:01:30 | 0 | 1 |  | Takings per hour | \uFFFC | Worth a look | 2026-12-07 15:00:00 time lowered "
                                        "B, corner 9:00 \u2192 1:00 | 2026-12-07 15:05:00 removed with a charge C 4:00 40 $ | chart 14:120.1 18:0.9");
    const auto day = [=](const QString& title, const QString& chain) {
        return "Report " + title + " | Bills: 3   Billed: 121 $   Time billed: 0:14:04 | " + chain + captions + "A | 1 | 0:12:34 | 0 | 120 | " + rest;
    };
    const auto altered = [=](const QString& found) { return day("2026-12-07", "Ledger altered: | " + found); };
    QTest::newRow("today, by its button") << Alter() << Action([=](RunningBoard& f) { to(f, "to", 6); op::click(f.form().report()->btn(ReportButton::Today)); })
        << day("2026-12-07", intact);
    QTest::newRow("two days") << Alter() << Action([=](RunningBoard& f) { to(f, "to", 7); to(f, "from", 6); })
        << "Report 2026-12-06 \u2013 2026-12-07 | Bills: 4   Billed: 121.00005 $   Time billed: 0:24:04 | " + intact + captions
           + "A | 2 | 0:22:34 | 0 | 120.00005 | " + rest + " 20:5e-05";
    QTest::newRow("since the shift close") << Alter() << Action([](RunningBoard& f) { op::click(f.form().report()->btn(ReportButton::SinceShift)); })
        << day("Since shift close (2026-12-06 23:00)", intact);
    QTest::newRow("heading") << Alter([](QByteArrayList& l) { l[0].replace("time", "when"); }) << Action() << altered("line 1: damaged");
    QTest::newRow("changed") << Alter([](QByteArrayList& l) { l[1].replace("5E-05", "6E-05"); }) << Action() << altered("line 2" + changed);
    QTest::newRow("inserted") << Alter([](QByteArrayList& l) { l.insert(3, l[1]); }) << Action() << altered("line 4: inserted");
    QTest::newRow("deleted") << Alter([](QByteArrayList& l) { l.removeAt(1); }) << Action() << altered("line 2" + changed);
    QTest::newRow("damaged") << Alter([](QByteArrayList& l) { l[1] = "garbage\r"; }) << Action() << altered("line 2: damaged | line 3" + changed);
    QTest::newRow("cut by a power cut") << Alter([](QByteArrayList& l) { l.removeLast(); l.last().chop(8); }) << Action()
        << altered("line 10: cut short (a power cut?)");
    // clang-format on
}

void TestLedger::reportShowsPeriodsAndTheChain()
{
    QFETCH(Alter, alter);
    QFETCH(Action, choose);
    QFETCH(QString, shown);
    ReportWindow* report = openReportOnASampleLedger(alter);
    QVERIFY(report);
    if (choose)
        choose(*m_form);
    QString printed = report->document()->toPlainText().remove(december + ' ').replace(u'\n', " | ") + "chart";
    const auto& chart = report->findChild<HourChart*>(QStringLiteral("chart"))->values();
    for (std::size_t hour = 0; hour < chart.size(); ++hour)
        printed += chart[hour] != 0 ? QStringLiteral(" %1:%2").arg(hour).arg(chart[hour]) : QString();
    QCOMPARE(printed, shown);
}

void TestLedger::reportExportsClosesTheShiftAndShowsRefusedLines()
{
    ReportWindow* report = openReportOnASampleLedger();
    QVERIFY(report);
    const auto text = [report](const char* label) { return report->findChild<Label*>(label)->text(); };
    // However narrow the window, captions and names stay on one line; the message follows the commands.
    report->resize(100, 100);
    const LabelButton* since = report->btn(ReportButton::SinceShift);
    QCOMPARE(since->font(), m_form->btn(Button::Add)->font());
    QVERIFY(since->width() >= since->fontMetrics().horizontalAdvance(since->text()));
    QVERIFY(!report->findChild<QTableWidget*>(QStringLiteral("stations"))->wordWrap());
    QVERIFY(report->findChild<Label*>("message")->x() > report->btn(ReportButton::CloseShift)->geometry().right());
    // Export, while the board stays in use; on the name it suggests, today's lines as the ledger holds them.
    op::click(report->btn(ReportButton::Export));
    auto* dialog = report->findChild<QDialog*>(QStringLiteral("exportDialog"));
    QVERIFY(dialog && dialog->isVisible());
    op::click(m_form->btn(Button::Reset));
    QVERIFY(m_form->btn(Button::Reset)->italic());
    dialog->accept();
    const QByteArray ledger = m_folder->read(december);
    QCOMPARE(m_folder->read("tallivor-export-2026-12-07.csv"),
             ledger.first(ledger.indexOf("\r\n") + 2) + ledger.sliced(ledger.indexOf("2026-12-07T14:03")));
    QCOMPARE(text("message"), QStringLiteral("Saved as tallivor-export-2026-12-07.csv"));
    op::click(report->btn(ReportButton::CloseShift));
    op::click(report->btn(ReportButton::CloseShift));
    QVERIFY(m_folder->read(december).contains("T19:00:00+00:00,shift,,,,10,bills=3; billed=121; time=14:04,"));
    QCOMPARE(text("message"), QStringLiteral("Shift closed: 3 bills, 121 $"));
    // The disk refuses a line (the month file cannot be opened): it waits, and the report opened again says so.
    QDir folder(m_folder->path());
    QVERIFY(folder.rename(december, "aside") && folder.mkdir(december));
    m_form->board().toggleStation(0);
    QVERIFY(folder.rmdir(december) && folder.rename("aside", december));
    op::click(m_form->btn(Button::Report)); // for today, without the old message
    QVERIFY(report->findChild<Label*>("pending")->isVisible());
    QCOMPARE(QStringList({text("bills"), text("message"), text("pending")}),
             QStringList({"Bills: 3", "", "1 ledger lines wait to be written: the disk refused them"}));
}

QTEST_MAIN(TestLedger)
#include "tst_ledger.moc"
