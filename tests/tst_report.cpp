// The report window alone, over a ledger that the program's Ledger wrote in a program folder: what it shows and
// prints of its model (the accounts' own test holds the rules), its period chosen by its buttons and dates, lines that
// reach it while it is open, the lines that wait for the disk, the export, prints of their own names, a mirrored print
// in a right-to-left language, and the two-click shift close it asks its owner for.
#include "Operator.h"
#include "ProgramFolder.h"
#include "lang/LanguageFile.h"
#include "ledger/Events.h"
#include "ledger/Ledger.h"
#include "report/HourChart.h"
#include "report/ReportWindow.h"

#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QListWidget>
#include <QPointer>
#include <QPrinterInfo>
#include <QTableWidget>
#include <QTextDocument>
#include <QTextTable>
#include <QtTest>

using namespace tallivor;
using Alter = std::function<void(QByteArrayList&)>;
using Choose = std::function<void(ReportWindow&)>;
Q_DECLARE_METATYPE(Alter)
Q_DECLARE_METATYPE(Choose)

using Action = std::function<void(ReportWindow&, Ledger&)>;
Q_DECLARE_METATYPE(Action)

namespace {
const QString december = QStringLiteral("tallivor-ledger-2026-12.csv");

QString textOf(const QWidget* window, const char* label)
{
    return window->findChild<Label*>(QLatin1String(label))->text();
}
} // namespace

class TestReport : public QObject
{
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    QDateTime m_clock;
    std::unique_ptr<Ledger> m_ledger;
    std::unique_ptr<QWidget> m_owner;

    // Appends lines "hh:mm:ss|event|station|spent|charge|price|detail" of a day of December through the ledger, and
    // leaves its clock at the 7th, 19:00.
    void write(int day, const QStringList& lines)
    {
        for (const QString& line : lines) {
            const QStringList f = line.split(u'|');
            m_clock = QDateTime(QDate(2026, 12, day), QTime::fromString(f[0]), Qt::UTC);
            m_ledger->append({{}, f[1], f[2], f[3], f[4], f[5], f[6]});
        }
        m_clock = QDateTime(QDate(2026, 12, 7), QTime(19, 0), Qt::UTC);
    }
    ReportWindow* openReport(const KeyedTexts& texts = KeyedTexts())
    {
        auto* report = new ReportWindow(*m_ledger, m_folder->path());
        report->open(texts, QStringLiteral("$"), *m_owner);
        return report;
    }

    // Writes a ledger and opens the report on it for today, the 7th at 19:00.
    ReportWindow* openOnASampleLedger(const Alter& alter = {})
    {
        // The 6th: a tiny bill (its charge in exponent form), a shift close. The 7th: bills, a lowered time (its
        // detail's values found by name in any order), removals, and the board's open line, line 10.
        write(6, {"20:00:00|bill|A|10:00|5E-05|10|", "23:00:00|shift||||10|bills=1; billed=0.00005; time=10:00"});
        write(7, {"14:03:00|bill|A|12:34|120|10|", "14:40:00|bill|B, corner|0:30|0.1|10|",
                  "15:00:00|edit|B, corner|1:00|0.1|10|name=B, corner; time=9:00",
                  "15:05:00|remove|C|4:00|40|10|state=Stop", "15:06:00|remove|D|0:00|00|10|",
                  "18:10:00|bill|B, corner|1:00|0.9|10|", "18:20:00|sale|||3|1.5|product=Cola; quantity=2",
                  "19:00:00|open||||10|stations=1; running=0"});
        QByteArrayList lines = m_folder->read(december).split('\n');
        if (alter)
            alter(lines);
        m_folder->write(december, lines.join('\n'));
        return openReport();
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_owner = std::make_unique<QWidget>();
        m_ledger = std::make_unique<Ledger>(m_folder->path(), [this] { return m_clock; });
    }
    void cleanup()
    {
        // A report is a window of its own, owned by no other.
        QList<QPointer<ReportWindow>> reports;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* report = qobject_cast<ReportWindow*>(window))
                reports << report;
        }
        for (const QPointer<ReportWindow>& report : reports)
            delete report.data();
        m_owner.reset();
        m_ledger.reset();
        m_folder.reset();
    }

    void reportShowsPeriodsAndTheChain_data()
    {
        QTest::addColumn<Alter>("alter");   // on the ledger's lines, the heading first
        QTest::addColumn<Choose>("choose"); // the period
        QTest::addColumn<QString>("shown"); // the printed report's lines, then the chart's bars
        // clang-format off
        const auto to = [](ReportWindow& r, const char* edit, int day) { r.findChild<QDateEdit*>(edit)->setDate(QDate(2026, 12, day)); };
        const QString intact = QStringLiteral("Ledger intact: no line changed, inserted or deleted"), changed = QStringLiteral(": changed, or lines before it deleted");
        const QString captions = QStringLiteral(" | Station | Bills | Time billed | Past paid (min) | Amount | Items | ");
        const QString rest = QStringLiteral("B, corner | 2 | 0:01:30 | 0 | 1 | 0 |  | Products sold | How many | Amount | At the counter | Taken back | Cola | 2 | 3 | 2 | 0 (0) |  | "
                                            "Takings per hour | \uFFFC | Worth a look | 2026-12-07 15:00:00 time lowered "
                                            "B, corner 9:00 \u2192 1:00 | 2026-12-07 15:05:00 removed with a charge C 4:00 40 $ | chart 14:120.1 18:3.9");
        const auto day = [=](const QString& title, const QString& chain) {
            return "Report " + title + " | Bills: 3   Billed: 121 $   Time billed: 0:14:04 | Takings: 124 $ (Time 121 $, Products 3 $) | " + chain
                + captions + "A | 1 | 0:12:34 | 0 | 120 | 0 | " + rest;
        };
        const auto altered = [=](const QString& found) { return day("2026-12-07", "Ledger altered: | " + found); };
        QTest::newRow("today, by its button") << Alter() << Choose([=](ReportWindow& r) { to(r, "to", 6); op::click(r.btn(ReportButton::Today)); })
            << day("2026-12-07", intact);
        QTest::newRow("two days") << Alter() << Choose([=](ReportWindow& r) { to(r, "to", 7); to(r, "from", 6); })
            << "Report 2026-12-06 \u2013 2026-12-07 | Bills: 4   Billed: 121.00005 $   Time billed: 0:24:04 | Takings: 124.00005 $ (Time 121.00005 $, Products 3 $) | "
               + intact + captions + "A | 2 | 0:22:34 | 0 | 120.00005 | 0 | " + rest + " 20:5e-05";
        QTest::newRow("since the shift close") << Alter() << Choose([](ReportWindow& r) { op::click(r.btn(ReportButton::SinceShift)); })
            << day("Since shift close (2026-12-06 23:00)", intact);
        QTest::newRow("changed") << Alter([](QByteArrayList& l) { l[1].replace("5E-05", "6E-05"); }) << Choose() << altered("line 2" + changed);
        // clang-format on
    }
    void reportShowsPeriodsAndTheChain()
    {
        QFETCH(Alter, alter);
        QFETCH(Choose, choose);
        QFETCH(QString, shown);
        ReportWindow* report = openOnASampleLedger(alter);
        QVERIFY(report->isVisible());
        if (choose)
            choose(*report);
        QString printed = report->document()->toPlainText().remove(december + ' ').replace(u'\n', " | ") + " | chart";
        const auto& chart = report->findChild<HourChart*>(QStringLiteral("chart"))->values();
        for (std::size_t hour = 0; hour < chart.size(); ++hour)
            printed += chart[hour] != 0 ? QStringLiteral(" %1:%2").arg(hour).arg(chart[hour]) : QString();
        QCOMPARE(printed, shown);
    }

    void aRightToLeftReportPrintsMirrored()
    {
        m_folder->copyLanguage(QStringLiteral("Persian.xml"));
        write(7, {"14:03:00|bill|A|12:34|120|10|"});
        const QString file = QString::fromUtf8(m_folder->read(QStringLiteral("Persian.xml"))).remove(u'\uFEFF');
        ReportWindow* report = openReport(KeyedTexts(parseLanguageFile(file).keyed));
        QCOMPARE(report->layoutDirection(), Qt::RightToLeft);
        // The print's table has its first column, the station, on the right: written from its last, the amount.
        const auto document = report->document();
        const auto* table = qobject_cast<QTextTable*>(document->rootFrame()->childFrames().value(0));
        QVERIFY(table);
        QCOMPARE(QStringList({table->cellAt(0, 0).firstCursorPosition().block().text(),
                              table->cellAt(1, 5).firstCursorPosition().block().text()}),
                 QStringList({"اقلام", "A"}));
    }

    void linesReachAnOpenReport_data()
    {
        QTest::addColumn<Action>("period");
        QTest::addColumn<Action>("live");
        QTest::addColumn<QStringList>("shown"); // the bills, the heading, the days picked
        const Action bill = [](ReportWindow&, Ledger& l) { l.append(line::bill({"A", "1:00", "10", "10"}, {})); };
        // clang-format off
        QTest::newRow("today: a bill joins") << Action([](ReportWindow&, Ledger&) {}) << bill << QStringList{"Bills: 4", "Report   2026-12-07", "7-7"};
        QTest::newRow("yesterday: today's bill stays out") << Action([](ReportWindow& r, Ledger&) { r.showDays(QDate(2026, 12, 6), QDate(2026, 12, 6)); })
            << bill << QStringList{"Bills: 1", "Report   2026-12-06", "6-6"};
        QTest::newRow("since the shift: a shift starts afresh") << Action([](ReportWindow& r, Ledger&) { r.showSinceShift(); })
            << Action([=](ReportWindow& r, Ledger& l) { bill(r, l); l.append(line::shift("10", 1, Money::whole(10), "1:00")); bill(r, l); })
            << QStringList{"Bills: 1", "Report   Since shift close (2026-12-07 19:00)", "7-7"};
        // clang-format on
    }
    void linesReachAnOpenReport()
    {
        QFETCH(Action, period);
        QFETCH(Action, live);
        QFETCH(QStringList, shown);
        ReportWindow* report = openOnASampleLedger();
        m_ledger->setOnWritten([report](const LedgerEntry& entry, const QByteArray& check) {
            report->takeLine(LedgerRecord{entry, check, eventFromName(entry.event)});
        });
        period(*report, *m_ledger);
        // The month file moved away: a report that read the ledger again would find only the new lines.
        QVERIFY(QDir(m_folder->path()).rename(december, "aside.csv"));
        live(*report, *m_ledger);
        const auto day = [report](const char* edit) { return report->findChild<QDateEdit*>(edit)->date().day(); };
        QCOMPARE(QStringList({textOf(report, "bills"), textOf(report, "title")})
                     << QString("%1-%2").arg(day("from")).arg(day("to")),
                 shown);
    }

    void reportExportsPrintsAndAsksForTheShiftClose()
    {
        ReportWindow* report = openOnASampleLedger();
        const auto text = [report](const char* label) { return textOf(report, label); };
        auto* table = report->findChild<QTableWidget*>(QStringLiteral("stations"));
        QVERIFY(QTest::qWaitForWindowActive(report));
        QCOMPARE(QApplication::focusWidget(), table); // the keys work at once
        // Nothing covers anything else.
        const QList<QWidget*> parts = report->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* a : parts) {
            for (const QWidget* b : parts) {
                QVERIFY2(a == b || !a->isVisible() || !b->isVisible() || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + ' ' + b->objectName()));
            }
        }
        // A bar for each hour that took money, and none for the others.
        const QImage chart = report->findChild<HourChart*>(QStringLiteral("chart"))->grab().toImage();
        QString bars; // a column of the chart with a bar in it, or without
        for (int x = 0; x < chart.width(); ++x) {
            bool orange = false;
            for (int y = 0; y < chart.height(); ++y)
                orange |= (chart.pixel(x, y) & 0xFFFFFF) == 0xEB9505;
            bars += orange ? u'|' : u' ';
        }
        QCOMPARE(bars.simplified().split(u' ').size(), 2);
        // A new period is drawn at once.
        auto* from = report->findChild<QDateEdit*>(QStringLiteral("from"));
        op::PaintCounter drawn;
        report->findChild<HourChart*>(QStringLiteral("chart"))->installEventFilter(&drawn);
        QCoreApplication::processEvents();
        drawn.count = 0;
        from->setDate(QDate(2026, 12, 6)); // the bar of the 6th joins the chart
        QTRY_VERIFY(drawn.count > 0);
        op::click(report->btn(ReportButton::Today));
        // Export, beside a window that stays in use; on the name it suggests, today's lines as the ledger holds them.
        op::click(report->btn(ReportButton::Export));
        auto* dialog = report->findChild<QDialog*>(QStringLiteral("exportDialog"));
        QVERIFY(dialog && dialog->isVisible() && !QApplication::activeModalWidget());
        dialog->accept();
        const QByteArray ledger = m_folder->read(december);
        QCOMPARE(m_folder->read("tallivor-export-2026-12-07.csv"),
                 ledger.first(ledger.indexOf("\r\n") + 2) + ledger.sliced(ledger.indexOf("2026-12-07T14:03")));
        QCOMPARE(text("message"), QStringLiteral("Saved as tallivor-export-2026-12-07.csv"));
        // The shift is closed by the board's owner, which hands the report what the shift held. Each first click arms
        // with the owner's count of stations with an unbilled charge, and what takes it back: the pointer onto another
        // caption, a click elsewhere, a key.
        op::click(report->btn(ReportButton::SinceShift));
        QSignalSpy asked(report, &ReportWindow::shiftCloseRequested);
        connect(report, &ReportWindow::shiftCloseAsked, report, [report] { report->armShiftClose(2); });
        LabelButton* closeShift = report->btn(ReportButton::CloseShift);
        const std::function<void()> takeBack[] = {
            [&] { op::movePointer(report, report->btn(ReportButton::Print)->geometry().center()); },
            [&] { QTest::mouseClick(table->viewport(), Qt::LeftButton); },
            [&] { QTest::keyClick(table, Qt::Key_Down); }};
        for (const auto& action : takeBack) {
            op::click(closeShift);
            QCOMPARE(QStringList({closeShift->italic() ? "armed" : "", text("message")}),
                     QStringList({"armed", "Stations with an unbilled charge: 2. Click Close shift again to close the "
                                           "shift."}));
            action();
            QCOMPARE(QStringList({closeShift->italic() ? "armed" : "", text("message")}), QStringList({"", ""}));
        }
        op::click(closeShift);
        QCOMPARE(asked.count(), 0);
        op::click(closeShift);
        QCOMPARE(asked.count(), 1);
        m_ledger->setOnWritten([report](const LedgerEntry& entry, const QByteArray& check) {
            report->takeLine(LedgerRecord{entry, check, eventFromName(entry.event)});
        });
        PeriodTotals shift;
        shift.bills = 3;
        shift.billed = Money::whole(121);
        m_ledger->append(line::shift("10", shift.bills, shift.billed, "14:04"));
        report->showShiftClosed(shift);
        QCOMPARE(QStringList({text("message"), text("bills")}),
                 QStringList({"Shift closed: 3 bills, 121 $", "Bills: 0"}));
        // The disk refuses a line (the month file cannot be opened): it waits, and the report opened again says so.
        QDir folder(m_folder->path());
        QVERIFY(folder.rename(december, "aside") && folder.mkdir(december));
        m_ledger->append(line::ofStation(LedgerEvent::Start, {"A", {}, {}, "10"}));
        QVERIFY(folder.rmdir(december) && folder.rename("aside", december));
        report->open(KeyedTexts(), QStringLiteral("$"), *m_owner); // for today, without the old message
        QVERIFY(report->findChild<Label*>("pending")->isVisible());
        QCOMPARE(QStringList({text("bills"), text("message"), text("pending")}),
                 QStringList({"Bills: 3", "", "1 ledger lines wait to be written: the disk refused them"}));
        // A new language's texts, at once.
        report->retranslate(KeyedTexts({{QStringLiteral("Report"), QStringLiteral("Resoconto")}}));
        QVERIFY(report->windowTitle() == QLatin1String("Tallivor: Resoconto") && text("title").startsWith("Resoconto"));
        // Without a printer the report is printed to a PDF file beside the program, and the window says where; a second
        // print of the day gets a name of its own. (With a printer, printing opens its dialog.)
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            for (const QString name : {"tallivor-report-2026-12-07.pdf", "tallivor-report-2026-12-07-2.pdf"}) {
                op::click(report->btn(ReportButton::Print));
                QVERIFY(m_folder->read(name).startsWith("%PDF"));
                QCOMPARE(text("message"), "No printer: saved as " + name);
            }
        }
        QTest::keyClick(table, Qt::Key_F9); // a key nothing takes leaves it open; Escape closes it
        QVERIFY(report->isVisible() && !table->verticalHeader()->isVisible()); // its table without row numbers
        QTest::keyClick(table, Qt::Key_Escape);
        QVERIFY(!report->isVisible());
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
