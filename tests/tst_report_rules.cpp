// The report's rules: hours, the chart's scale, paid overtime and late acknowledgements, its words in the language in
// force, the two-click shift close, lines that reach an open report, and prints that never replace each other.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Board.h"
#include "lang/LanguageFile.h"
#include "ledger/Ledger.h"
#include "ledger/Totals.h"
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

// Ledger lines "hh:mm:ss,event,station,spent,charge,price,detail" of today, written through the ledger.
void writeLedger(const QString& folder, const QStringList& lines)
{
    QDateTime clock;
    Ledger ledger(folder, [&] { return clock; });
    for (const QString& line : lines) {
        const QStringList f = line.split(u',');
        clock = QDateTime(today, QTime::fromString(f[0]), Qt::UTC);
        ledger.append(*eventFromName(f[1]), f[2], f[3], f[4], f[5], f.mid(6).join(u','));
    }
}

QString bills(const ReportWindow& report)
{
    return report.findChild<Label*>(QStringLiteral("bills"))->text();
}

} // namespace

class TestReportRules : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void hoursText_data();
    void hoursText();
    void chartScale_data();
    void chartScale();
    void overtimeAndAcknowledgements_data();
    void overtimeAndAcknowledgements();
    void wordsOfTheLanguageInForce_data();
    void wordsOfTheLanguageInForce();
    void shiftClosesOnTheSecondClickOnly_data();
    void shiftClosesOnTheSecondClickOnly();
    void linesReachAnOpenReport_data();
    void linesReachAnOpenReport();
    void aSecondPrintGetsANameOfItsOwn();

private:
    ReportWindow* openReport(const QStringList& rows = {"Stop,A,5:0,50", "Stop,B,0:0,00", "Stop,C,1:0,10"});
};

ReportWindow* TestReportRules::openReport(const QStringList& rows)
{
    m_platform.clock = QDateTime(today, QTime(19, 0), Qt::UTC);
    m_form = startShown(*m_folder, m_platform, englishBoard(rows));
    op::click(m_form->btn(Button::Report));
    return m_form->form().report();
}

void TestReportRules::hoursText_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("hours");
    QTest::newRow("a month") << "377887:24"
                             << "6298:07:24";
    QTest::newRow("under an hour") << "46:21"
                                   << "0:46:21";
    QTest::newRow("an hour to the second") << "60:0"
                                           << "1:00:00";
}

void TestReportRules::hoursText()
{
    QFETCH(QString, time);
    QFETCH(QString, hours);
    QCOMPARE(tallivor::hoursText(secondsOf(time)), hours);
}

void TestReportRules::chartScale_data()
{
    QTest::addColumn<double>("highest");
    QTest::addColumn<std::vector<double>>("scale");
    QTest::newRow("nothing") << 0.0 << std::vector<double>{0};
    QTest::newRow("a round top") << 100.0 << std::vector<double>{0, 50, 100};
    QTest::newRow("just over") << 120.1 << std::vector<double>{0, 50, 100, 150};
    QTest::newRow("fractions") << 0.9 << std::vector<double>{0, 0.5, 1};
}

void TestReportRules::chartScale()
{
    QFETCH(double, highest);
    QFETCH(std::vector<double>, scale);
    QCOMPARE(HourChart::scaleOf(highest), scale);
}

void TestReportRules::overtimeAndAcknowledgements_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("stations"); // name, bills, time billed, minutes past a paid end
    QTest::addColumn<QString>("looks");    // the due line's index, and why
    // clang-format off
    QTest::newRow("bills past their paid end") << QStringList{
        "10:00:00,bill,A,80:10,802,10,paid=60:0", "11:00:00,bill,A,59:59,600,10,paid=60:0",
        "12:00:00,bill,B,60:10,602,10,paid=59:50", "12:30:00,bill,C,70:0,700,10,paid=", "13:00:00,bill,C,70:0,700,10,"}
        << "A 2 2:20:09 20 | B 1 1:00:10 1 | C 2 2:20:00 0" << "";
    QTest::newRow("acknowledged late, never, or by another station") << QStringList{
        "10:00:00,due,A,60:0,600,10,paid=60:0", "10:01:15,ack,A,61:15,610,10,after=75",
        "11:00:00,due,B,30:0,300,10,paid=30:0", "11:03:00,ack,B,33:0,330,10,after=185",
        "12:00:00,due,C,30:0,300,10,paid=30:0", "12:00:30,due,D,30:0,300,10,paid=30:0", "12:01:00,ack,D,30:30,300,10,after=30",
        "13:00:00,due,A,90:0,900,10,paid=90:0", "13:02:00,ack,A,92:0,920,10,after=120",
        "14:00:00,ack,B,0:0,00,10,after=5", "15:00:00,due,B,30:0,300,10,paid=30:0",
        "16:00:00,due,E,30:0,300,10,paid=30:0", "16:10:00,due,E,45:0,450,10,paid=45:0", "16:11:00,ack,E,46:0,460,10,after=60"}
        << "" << "2 late 185 | 4 never | 10 never | 11 late 660";
    // clang-format on
}

void TestReportRules::overtimeAndAcknowledgements()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, stations);
    QFETCH(QString, looks);
    std::vector<LedgerRecord> records;
    for (QString line : lines) {
        const LedgerEntry entry = *parseLedgerFields(("2026-12-07T" + line.insert(8, "+00:00")).toUtf8());
        records.push_back({entry, {}, eventFromName(entry.event)});
    }
    const PeriodTotals totals = totalsOf(records);
    QStringList shown, why;
    for (const StationTotal& s : totals.stations)
        shown << QStringLiteral("%1 %2 %3 %4")
                     .arg(s.station)
                     .arg(s.bills)
                     .arg(tallivor::hoursText(s.seconds))
                     .arg(s.overtimeMinutes);
    for (const Look& look : totals.looks) {
        if (look.why == Notice::AckedLate || look.why == Notice::NeverAcked)
            why << QStringLiteral("%1 %2")
                       .arg(look.record)
                       .arg(look.why == Notice::NeverAcked ? QStringLiteral("never")
                                                           : "late " + QString::number(look.seconds));
    }
    QCOMPARE(shown.join(" | "), stations);
    QCOMPARE(why.join(" | "), looks);
}

void TestReportRules::wordsOfTheLanguageInForce_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("shown"); // the heading, the looks, then the printed table's first heading
    const QStringList gaps{"09:00:00,gap,,,,10,seconds=64; uncounted=0; running=2",
                           "10:00:00,gap,,,,10,seconds=3600; uncounted=3600; running=4",
                           "18:00:00,gap,,,,10,seconds=200; uncounted=109; running=1"};
    const QStringList acks{"16:00:00,due,PC 2,60:0,600,10,paid=60:0", "16:03:05,ack,PC 2,63:5,630,10,after=185",
                           "17:00:00,due,VR,30:0,300,10,paid=30:0"};
    // clang-format off
    QTest::newRow("gaps, English") << "English.xml" << gaps << QStringList{"Report   2026-12-07",
        "2026-12-07 09:00:00   gap of 0:01:04, all counted (held up, then caught up); stations running: 2",
        "2026-12-07 10:00:00   gap of 1:00:00, not counted (asleep, or the program closed); stations running: 4",
        "2026-12-07 18:00:00   gap of 0:03:20, 0:01:49 of it not counted (asleep); stations running: 1", "Station"};
    QTest::newRow("acknowledgements, English") << "English.xml" << acks << QStringList{"Report   2026-12-07",
        "2026-12-07 16:00:00   PC 2: paid time up, acknowledged after 0:03:05",
        "2026-12-07 17:00:00   VR: paid time up, never acknowledged", "Station"};
    // Right to left: dates and names isolated, and the print mirrored, its last column first.
    QTest::newRow("Persian") << "Persian.xml" << QStringList{acks[2], gaps[2]} << QStringList{
        "گزارش   \u20662026-12-07\u2069",
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
    QString file = QString::fromUtf8(m_folder->read(language));
    Ledger ledger(m_folder->path(), [] { return QDateTime(today, QTime(19, 0), Qt::UTC); });
    QWidget board;
    auto* report = new ReportWindow(ledger, m_folder->path());
    report->open(KeyedTexts(parseLanguageFile(file.remove(QChar(0xFEFF))).keyed), "$", board);
    QStringList texts{report->findChild<Label*>(QStringLiteral("title"))->text()};
    const auto* looks = report->findChild<QListWidget*>(QStringLiteral("looks"));
    for (int i = 0; i < looks->count(); ++i)
        texts << looks->item(i)->text();
    const auto document = report->document();
    const auto* table = qobject_cast<QTextTable*>(document->rootFrame()->childFrames().value(0));
    QVERIFY(table);
    texts << table->cellAt(0, 0).firstCursorPosition().block().text();
    delete report;
    QCOMPARE(texts, shown);
}

void TestReportRules::shiftClosesOnTheSecondClickOnly_data()
{
    QTest::addColumn<Action>("between"); // what the operator does between the two clicks
    QTest::addColumn<bool>("closes");
    const auto report = [](RunningBoard& f) { return f.form().report(); };
    // clang-format off
    QTest::newRow("nothing: the second click closes") << Action() << true;
    QTest::newRow("the pointer onto another caption") << Action([=](RunningBoard& f) {
        const LabelButton* print = report(f)->btn(ReportButton::Print); op::movePointer(report(f), print->geometry().center()); }) << false;
    QTest::newRow("a click in the table") << Action([=](RunningBoard& f) {
        QTest::mouseClick(report(f)->findChild<QTableWidget*>(QStringLiteral("stations"))->viewport(), Qt::LeftButton); }) << false;
    QTest::newRow("a key") << Action([=](RunningBoard& f) {
        QTest::keyClick(report(f)->findChild<QTableWidget*>(QStringLiteral("stations")), Qt::Key_Down); }) << false;
    // clang-format on
}

void TestReportRules::shiftClosesOnTheSecondClickOnly()
{
    QFETCH(Action, between);
    QFETCH(bool, closes);
    ReportWindow* report = openReport();
    LabelButton* closeShift = report->btn(ReportButton::CloseShift);
    const auto message = [report] { return report->findChild<Label*>(QStringLiteral("message"))->text(); };
    op::click(closeShift);
    // Two stations carry a charge no bill has settled: A and C.
    QVERIFY(closeShift->italic());
    QCOMPARE(message(), "Stations with an unbilled charge: 2. Click Close shift again to close the shift.");
    QVERIFY(!m_folder->read(ledgerFileName(today)).contains(",shift,"));
    if (between) {
        between(*m_form);
        QVERIFY(!closeShift->italic());
        QCOMPARE(message(), QString());
    }
    op::click(closeShift);
    QCOMPARE(m_folder->read(ledgerFileName(today)).contains(",shift,"), closes);
    QCOMPARE(closeShift->italic(), !closes); // taken back, the next click only arms again
}

void TestReportRules::linesReachAnOpenReport_data()
{
    QTest::addColumn<Action>("period");
    QTest::addColumn<Action>("live");
    QTest::addColumn<QStringList>("shown"); // the bills, then the heading
    const Action bill = [](RunningBoard& f) { f.board().resetStation(0); };
    // clang-format off
    QTest::newRow("today: a bill joins") << Action() << bill << QStringList{"Bills: 2", "Report   2026-12-07"};
    QTest::newRow("yesterday: today's bill stays out") << Action([](RunningBoard& f) { f.form().report()->showDays(today.addDays(-1), today.addDays(-1)); })
        << bill << QStringList{"Bills: 0", "Report   2026-12-06"};
    QTest::newRow("since the shift: a bill joins") << Action([](RunningBoard& f) { f.form().report()->showSinceShift(); })
        << bill << QStringList{"Bills: 2", "Report   Since shift close"};
    QTest::newRow("since the shift: a shift starts afresh") << Action([](RunningBoard& f) { f.form().report()->showSinceShift(); })
        << Action([=](RunningBoard& f) { bill(f); f.board().closeShift(); })
        << QStringList{"Bills: 0", "Report   Since shift close (2026-12-07 19:00)"};
    // clang-format on
}

void TestReportRules::linesReachAnOpenReport()
{
    QFETCH(Action, period);
    QFETCH(Action, live);
    QFETCH(QStringList, shown);
    writeLedger(m_folder->path(), {"12:00:00,bill,A,10:0,100,10,"});
    ReportWindow* report = openReport();
    if (period)
        period(*m_form);
    // The month file moved away: a report that read the ledger again would find only the new lines.
    QVERIFY(QDir(m_folder->path()).rename(ledgerFileName(today), "aside.csv"));
    live(*m_form);
    QCOMPARE(QStringList({bills(*report), report->findChild<Label*>(QStringLiteral("title"))->text()}), shown);
}

void TestReportRules::aSecondPrintGetsANameOfItsOwn()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed: printing opens the print dialog");
    ReportWindow* report = openReport();
    op::click(report->btn(ReportButton::Print));
    op::click(report->btn(ReportButton::Print));
    QCOMPARE(m_folder->names().filter(".pdf"),
             QStringList({"tallivor-report-2026-12-07-2.pdf", "tallivor-report-2026-12-07.pdf"}));
    QCOMPARE(report->findChild<Label*>(QStringLiteral("message"))->text(),
             "No printer: saved as tallivor-report-2026-12-07-2.pdf");
}

QTEST_MAIN(TestReportRules)
#include "tst_report_rules.moc"
