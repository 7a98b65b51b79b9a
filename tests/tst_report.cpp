// The report window, driven as the owner does: periods, totals, the chart, the chain's state, export, print and
// the shift close.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Form1.h"
#include "ledger/Ledger.h"
#include "report/HourChart.h"
#include "report/ReportWindow.h"
#include "ui/LabelButton.h"

#include <QDateEdit>
#include <QFileDialog>
#include <QListWidget>
#include <QPrinterInfo>
#include <QTableWidget>
#include <QtTest>

#include <csignal>
#include <numeric>
#include <sys/resource.h>

using namespace tallivor;

namespace {

QDateTime at(int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute), Qt::UTC);
}

QString text(const ReportWindow* report, const char* label)
{
    return report->findChild<Label*>(QLatin1String(label))->text();
}

QStringList stationRows(const ReportWindow* report)
{
    const auto* table = report->findChild<QTableWidget*>(QStringLiteral("stations"));
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << table->item(row, column)->text();
        rows << cells.join(u' ');
    }
    return rows;
}

} // namespace

class TestReport : public BoardTest
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void periods_data();
    void periods();
    void exportAndCloseShift();
    void printWithoutAPrinterMakesAPdf();
    void alteredLedgerAndRefusedLinesAreShown();
    void captionFollowsTheLanguage();

private:
    ReportWindow* openReport();
    QDateTime m_clock;
};

void TestReport::init()
{
    BoardTest::init();
    // A shift closed at the end of November, two days of December: a bill on the 6th, a shift closed, then the 7th.
    Ledger ledger(m_folder->path(), [this] { return m_clock; });
    const auto line = [&](QDateTime time, LedgerEvent event, const char* station, const char* spent, const char* charge,
                          const char* detail = "") {
        m_clock = time;
        ledger.append(event, QString::fromUtf8(station), QLatin1String(spent), QLatin1String(charge),
                      QStringLiteral("10"), QLatin1String(detail));
    };
    line(at(6, 20).addMonths(-1), LedgerEvent::Bill, "A", "5:00", "50");
    line(at(6, 23).addMonths(-1), LedgerEvent::Shift, "", "", "", "bills=1; billed=50; time=5:00");
    line(at(6, 20), LedgerEvent::Bill, "A", "10:00", "100");
    line(at(6, 23), LedgerEvent::Shift, "", "", "", "bills=1; billed=100; time=10:00");
    line(at(7, 14, 3), LedgerEvent::Bill, "A", "12:34", "120");
    line(at(7, 14, 40), LedgerEvent::Bill, "B, corner", "0:30", "0.1");
    line(at(7, 15), LedgerEvent::Edit, "B, corner", "1:00", "0.1", "time=9:00; name=B, corner");
    line(at(7, 15, 5), LedgerEvent::Remove, "C", "4:00", "40", "state=Stop");
    line(at(7, 18, 10), LedgerEvent::Bill, "B, corner", "1:00", "0.2");
    m_clock = at(7, 19);
    m_platform.clock = m_clock;
    m_form = m_folder->startShown(m_platform, englishBoard({"Stop,A,0:0,00"}));
}

ReportWindow* TestReport::openReport()
{
    op::click(m_form->btn[Button::Report]);
    ReportWindow* report = m_form->report();
    return report->isVisible() ? report : nullptr;
}

void TestReport::periods_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to"); // 0: since the last shift close
    QTest::addColumn<QStringList>("figures");
    QTest::addColumn<QStringList>("stations");
    QTest::addColumn<QList<double>>("hours"); // takings at 14, 18 and 20 o'clock
    QTest::addColumn<int>("looks");
    // clang-format off
    QTest::newRow("today") << 7 << 7 << QStringList{"Bills: 3", "Billed: 120.3 $", "Time billed: 14:04"}
        << QStringList{"A 1 12:34 120", "B, corner 2 1:30 0.3"} << QList<double>{120.1, 0.2, 0} << 2;
    QTest::newRow("two days") << 6 << 7 << QStringList{"Bills: 4", "Billed: 220.3 $", "Time billed: 24:04"}
        << QStringList{"A 2 22:34 220", "B, corner 2 1:30 0.3"} << QList<double>{120.1, 0.2, 100} << 2;
    QTest::newRow("the day before") << 6 << 6 << QStringList{"Bills: 1", "Billed: 100 $", "Time billed: 10:00"}
        << QStringList{"A 1 10:00 100"} << QList<double>{0, 0, 100} << 0;
    QTest::newRow("since the shift close") << 0 << 0 << QStringList{"Bills: 3", "Billed: 120.3 $", "Time billed: 14:04"}
        << QStringList{"A 1 12:34 120", "B, corner 2 1:30 0.3"} << QList<double>{120.1, 0.2, 0} << 2;
    // clang-format on
}

void TestReport::periods()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, figures);
    QFETCH(QStringList, stations);
    QFETCH(QList<double>, hours);
    QFETCH(int, looks);
    ReportWindow* report = openReport();
    QVERIFY(report);
    if (to == 0) {
        op::click(report->btn(ReportButton::SinceShift));
    } else {
        report->findChild<QDateEdit*>(QStringLiteral("to"))->setDate(QDate(2026, 12, to));
        report->findChild<QDateEdit*>(QStringLiteral("from"))->setDate(QDate(2026, 12, from));
    }
    QCOMPARE((QStringList{text(report, "bills"), text(report, "billed"), text(report, "time")}), figures);
    QCOMPARE(stationRows(report), stations);
    const auto& chart = report->findChild<HourChart*>(QStringLiteral("chart"))->values();
    QCOMPARE((QList<double>{chart[14], chart[18], chart[20]}), hours);
    QCOMPARE(std::accumulate(chart.begin(), chart.end(), 0.0), std::accumulate(hours.begin(), hours.end(), 0.0));
    QCOMPARE(report->findChild<QListWidget*>(QStringLiteral("looks"))->count(), looks);
    QVERIFY(text(report, "chain").startsWith(QLatin1String("Ledger intact")));
}

void TestReport::exportAndCloseShift()
{
    ReportWindow* report = openReport();
    QVERIFY(report);
    op::click(report->btn(ReportButton::Export));
    auto* dialog = report->findChild<QFileDialog*>(QStringLiteral("exportDialog"));
    QVERIFY(dialog && dialog->isVisible());
    op::click(m_form->btn[Button::Reset]); // the board stays in use while the dialog is open
    QVERIFY(m_form->btn[Button::Reset]->italic());
    static_cast<QDialog*>(dialog)->accept(); // Save, on the name it suggests in the program folder
    // The export holds today's lines exactly as the ledger does.
    const QByteArray ledger = m_folder->read(QStringLiteral("tallivor-ledger-2026-12.csv"));
    const QByteArray exported = m_folder->read(QStringLiteral("tallivor-export-2026-12-07.csv"));
    const qsizetype firstOfToday = ledger.indexOf("2026-12-07T14:03");
    QCOMPARE(exported, ledger.first(ledger.indexOf("\r\n") + 2) + ledger.sliced(firstOfToday));
    QCOMPARE(text(report, "message"), QStringLiteral("Saved as tallivor-export-2026-12-07.csv"));

    op::click(report->btn(ReportButton::CloseShift));
    QVERIFY(m_folder->read(QStringLiteral("tallivor-ledger-2026-12.csv"))
                .contains(",shift,,,,10,bills=3; billed=120.3; time=14:04,"));
    QCOMPARE(text(report, "message"), QStringLiteral("Shift closed: 3 bills, 120.3 $"));
    op::click(report->btn(ReportButton::SinceShift));
    QCOMPARE(report->totals().bills, 0);
    QCOMPARE(report->extract().shiftTime, QStringLiteral("2026-12-07T19:00:00+00:00"));
}

void TestReport::printWithoutAPrinterMakesAPdf()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("this system has a printer: printing opens the print dialog");
    ReportWindow* report = openReport();
    QVERIFY(report);
    op::click(report->btn(ReportButton::Print));
    QVERIFY(m_folder->read(QStringLiteral("tallivor-report-2026-12-07.pdf")).startsWith("%PDF"));
    QCOMPARE(text(report, "message"), QStringLiteral("No printer: saved as tallivor-report-2026-12-07.pdf"));
}

void TestReport::alteredLedgerAndRefusedLinesAreShown()
{
    const QString name = QStringLiteral("tallivor-ledger-2026-12.csv");
    m_folder->write(name, m_folder->read(name).replace(",A,12:34,120,", ",A,12:34,12,"));
    // The disk refuses the next line (a file size limit, as a full disk would): it waits, and the report says so.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit full = saved;
    full.rlim_cur = rlim_t(m_folder->read(name).size());
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    m_form->toggleStation(0);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    ReportWindow* report = openReport();
    QVERIFY(report);
    QCOMPARE(
        text(report, "chain"),
        QStringLiteral("Ledger altered:\ntallivor-ledger-2026-12.csv line 4: changed, or lines before it deleted"));
    QVERIFY(report->findChild<Label*>(QStringLiteral("pending"))->isVisible());
    QCOMPARE(text(report, "pending"), QStringLiteral("1 ledger lines wait to be written: the disk refused them"));
}

void TestReport::captionFollowsTheLanguage()
{
    m_folder->copyLanguage(QStringLiteral("Italian.xml"));
    m_folder->write(QStringLiteral("Bare.xml"),
                    m_folder->read(QStringLiteral("Italian.xml")).split('\n').mid(0, 23).join('\n'));
    ReportWindow* report = openReport();
    QVERIFY(report);
    m_form->applySettings(QStringLiteral("10"), QStringLiteral("Italian.xml"));
    QCOMPARE(m_form->btn[Button::Report]->text(), QStringLiteral("Resoconto"));
    QCOMPARE(report->btn(ReportButton::CloseShift)->text(), QStringLiteral("Chiudi turno"));
    // A language file without the keyed entries shows the English texts, not those of the language before.
    m_form->applySettings(QStringLiteral("10"), QStringLiteral("Bare.xml"));
    QCOMPARE(m_form->btn[Button::Report]->text(), QStringLiteral("Report"));
    QCOMPARE(report->btn(ReportButton::CloseShift)->text(), QStringLiteral("Close shift"));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
