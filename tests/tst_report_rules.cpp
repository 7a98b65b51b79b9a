// The report's rules: its figures and words, the two-click shift close, live lines, and prints of their own names.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Board.h"
#include "lang/LanguageFile.h"
#include "ledger/Ledger.h"
#include "report/HourChart.h"
#include "report/ReportWindow.h"

#include <QListWidget>
#include <QPrinterInfo>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

using namespace tallivor;
using Action = std::function<void(RunningBoard&)>;
Q_DECLARE_METATYPE(Action)

namespace {

const QDate today(2026, 12, 7);

// Writes ledger lines "hh:mm:ss,event,station,spent,charge,price,detail" of today through the ledger.
void writeLedger(const QString& folder, const QStringList& lines)
{
    QDateTime clock;
    Ledger ledger(folder, [&] { return clock; });
    for (const QString& line : lines) {
        const QStringList f = line.split(u',');
        clock = QDateTime(today, QTime::fromString(f[0]), Qt::UTC);
        ledger.append(*eventFromName(f[1]), f[2], f[3], f[4], f[5], f[6]);
    }
}

QString textOf(const QWidget* window, const char* label)
{
    return window->findChild<Label*>(QLatin1String(label))->text();
}

} // namespace

class TestReportRules : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void overtimeAndAcknowledgements();
    void wordsOfTheLanguageInForce_data();
    void wordsOfTheLanguageInForce();
    void shiftClosesOnTheSecondClickOnly();
    void linesReachAnOpenReport_data();
    void linesReachAnOpenReport();
    void aSecondPrintGetsANameOfItsOwn();

private:
    ReportWindow* openReport()
    {
        m_platform.clock = QDateTime(today, QTime(19, 0), Qt::UTC);
        m_form = startShown(*m_folder, m_platform, englishBoard({"Stop,A,5:0,50", "Stop,B,0:0,00", "Stop,C,1:0,10"}));
        op::click(m_form->btn(Button::Report));
        return m_form->form().report();
    }
};

void TestReportRules::overtimeAndAcknowledgements()
{
    // clang-format off
    writeLedger(m_folder->path(), {"10:00:00,bill,A,80:10,802,10,paid=60:0", "10:00:01,bill,A,59:59,600,10,paid=60:0",
        "10:00:02,bill,B,60:10,602,10,paid=59:50", "10:00:03,bill,C,70:0,700,10,paid=", "10:00:04,bill,C,377817:24,0,10,",
        "10:00:05,bill,D,46:21,463,10,paid=50:0", "10:00:00,due,A,60:0,,,", "10:01:15,ack,A,,,,after=75",
        "11:00:00,due,B,30:0,,,", "11:03:00,ack,B,,,,after=185", // 8: waited by the board's count, not the stamps'
        "12:00:00,due,C,30:0,,,", "12:00:30,due,D,30:0,,,", "12:01:00,ack,D,,,,after=30", "13:00:00,due,A,90:0,,,",
        "13:02:00,ack,A,,,,after=120", "14:00:00,ack,B,,,,after=5", "15:00:00,due,B,30:0,,,", // 16: never
        "16:00:00,due,E,30:0,,,", "16:10:00,due,E,45:0,,,", "16:11:00,ack,E,,,,after=60"}); // 17: 11 minutes
    // clang-format on
    const PeriodTotals totals = totalsOf(readLedger(m_folder->path(), {today, today}).records);
    // Each station's bills, time billed and minutes past a paid end; each due line worth a look, and its wait.
    QStringList stations, looks;
    for (const StationTotal& s : totals.stations)
        stations << s.station + QString(" %1 %2 %3").arg(s.bills).arg(hoursText(s.seconds)).arg(s.overtimeMinutes);
    for (const Look& look : totals.looks)
        looks << QStringLiteral("%1:%2").arg(look.record).arg(look.why == Notice::NeverAcked ? -1 : look.seconds);
    QCOMPARE(stations, QStringList({"A 2 2:20:09 20", "B 1 1:00:10 1", "C 2 6298:07:24 0", "D 1 0:46:21 0"}));
    QCOMPARE(looks, QStringList({"8:185", "10:-1", "16:-1", "17:660"}));
}

void TestReportRules::wordsOfTheLanguageInForce_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("shown"); // the heading, the looks, then the printed table's first heading
    // clang-format off
    const QStringList lines{"09:00:00,gap,,,,10,seconds=64; uncounted=0; running=2",
        "10:00:00,gap,,,,10,seconds=3600; uncounted=3600; running=4", "16:00:00,due,PC 2,60:0,600,10,paid=60:0",
        "16:03:05,ack,PC 2,63:5,630,10,after=185", "17:00:00,due,VR,30:0,300,10,paid=30:0",
        "18:00:00,gap,,,,10,seconds=200; uncounted=109; running=1"};
    QTest::newRow("English") << "English.xml" << lines << QStringList{"Report   2026-12-07",
        "2026-12-07 09:00:00   gap of 0:01:04, all counted (held up, then caught up); stations running: 2",
        "2026-12-07 10:00:00   gap of 1:00:00, not counted (asleep, or the program closed); stations running: 4",
        "2026-12-07 16:00:00   PC 2: paid time up, acknowledged after 0:03:05",
        "2026-12-07 17:00:00   VR: paid time up, never acknowledged",
        "2026-12-07 18:00:00   gap of 0:03:20, 0:01:49 of it not counted (asleep); stations running: 1", "Station"};
    // Right to left: dates and names isolated, and the print mirrored, its last column first.
    QTest::newRow("Persian") << "Persian.xml" << lines.mid(4) << QStringList{"گزارش   \u20662026-12-07\u2069",
        "\u20662026-12-07 17:00:00\u2069   \u2066VR\u2069: زمان پرداخت‌شده تمام شد، هرگز تأیید نشد",
        "\u20662026-12-07 18:00:00\u2069   وقفه‌ی 0:03:20، 0:01:49 از آن شمرده نشد (خواب)؛ رایانه‌های روشن: 1", "مبلغ"};
    // clang-format on
}

void TestReportRules::wordsOfTheLanguageInForce()
{
    QFETCH(QString, language);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, shown);
    m_folder->copyLanguage(language);
    writeLedger(m_folder->path(), lines);
    Ledger ledger(m_folder->path(), [] { return QDateTime(today, QTime(19, 0), Qt::UTC); });
    ReportWindow report(ledger, m_folder->path());
    report.open(KeyedTexts(parseLanguageFile(QString::fromUtf8(m_folder->read(language)).remove(u'\uFEFF')).keyed), "$",
                QWidget());
    QStringList texts{textOf(&report, "title")};
    for (const QListWidgetItem* item : report.findChild<QListWidget*>("looks")->findItems("", Qt::MatchContains))
        texts << item->text();
    const auto document = report.document();
    const auto* table = qobject_cast<QTextTable*>(document->rootFrame()->childFrames().value(0));
    QCOMPARE(texts << (table ? table->cellAt(0, 0).firstCursorPosition().block().text() : "no table"), shown);
}

void TestReportRules::shiftClosesOnTheSecondClickOnly()
{
    ReportWindow* report = openReport();
    LabelButton* closeShift = report->btn(ReportButton::CloseShift);
    auto* table = report->findChild<QTableWidget*>(QStringLiteral("stations"));
    const auto state = [&] { return QStringList{closeShift->italic() ? "armed" : "", textOf(report, "message")}; };
    // Each first click arms with the count of stations whose charge no bill has settled (A and C), and what takes it
    // back: the pointer onto another caption, a click elsewhere, a key.
    const std::function<void()> takeBack[] = {
        [&] { op::movePointer(report, report->btn(ReportButton::Print)->geometry().center()); },
        [&] { QTest::mouseClick(table->viewport(), Qt::LeftButton); }, [&] { QTest::keyClick(table, Qt::Key_Down); }};
    for (const auto& action : takeBack) {
        op::click(closeShift);
        QCOMPARE(
            state(),
            QStringList({"armed", "Stations with an unbilled charge: 2. Click Close shift again to close the shift."}));
        action();
        QCOMPARE(state(), QStringList({"", ""}));
    }
    op::click(closeShift);
    op::click(closeShift);
    QCOMPARE(state(), QStringList({"", "Shift closed: 0 bills, 0 $"}));
    QTest::keyClick(table, Qt::Key_Escape); // and Escape closes the report
    QVERIFY(!report->isVisible());
}

void TestReportRules::linesReachAnOpenReport_data()
{
    QTest::addColumn<Action>("period");
    QTest::addColumn<Action>("live");
    QTest::addColumn<QStringList>("shown"); // the bills, then the heading
    const Action bill = [](RunningBoard& f) { f.board().resetStation(0); };
    // clang-format off
    QTest::newRow("today: a bill joins") << Action([](RunningBoard&) {}) << bill << QStringList{"Bills: 2", "Report   2026-12-07"};
    QTest::newRow("yesterday: today's bill stays out") << Action([](RunningBoard& f) { f.form().report()->showDays(today.addDays(-1), today.addDays(-1)); })
        << bill << QStringList{"Bills: 0", "Report   2026-12-06"};
    QTest::newRow("since the shift: a shift starts afresh") << Action([](RunningBoard& f) { f.form().report()->showSinceShift(); })
        << Action([=](RunningBoard& f) { bill(f); f.board().closeShift(); f.board().resetStation(2); })
        << QStringList{"Bills: 1", "Report   Since shift close (2026-12-07 19:00)"};
    // clang-format on
}

void TestReportRules::linesReachAnOpenReport()
{
    QFETCH(Action, period);
    QFETCH(Action, live);
    QFETCH(QStringList, shown);
    writeLedger(m_folder->path(), {"12:00:00,bill,A,10:0,100,10,"});
    ReportWindow* report = openReport();
    period(*m_form);
    // The month file moved away: a report that read the ledger again would find only the new lines.
    QVERIFY(QDir(m_folder->path()).rename(ledgerFileName(today), "aside.csv"));
    live(*m_form);
    QCOMPARE(QStringList({textOf(report, "bills"), textOf(report, "title")}), shown);
}

void TestReportRules::aSecondPrintGetsANameOfItsOwn()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed: printing opens the print dialog");
    ReportWindow* report = openReport();
    op::click(report->btn(ReportButton::Print));
    op::click(report->btn(ReportButton::Print));
    QCOMPARE(m_folder->names().filter("tallivor-report-2026-12-07").size(), 2);
    QCOMPARE(textOf(report, "message"), "No printer: saved as tallivor-report-2026-12-07-2.pdf");
}

QTEST_MAIN(TestReportRules)
#include "tst_report_rules.moc"
