// The report window alone, over a ledger that the program's Ledger wrote in a program folder: its periods, totals and
// chart, what the chain says of altered lines, the lines that wait for the disk, the export, the print to a PDF file,
// and the shift close it asks its owner for.
#include "Operator.h"
#include "ProgramFolder.h"
#include "ledger/Ledger.h"
#include "report/HourChart.h"
#include "report/ReportWindow.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QPrinterInfo>
#include <QTextDocument>
#include <QPointer>
#include <QtTest>

using namespace tallivor;
using Alter = std::function<void(QByteArrayList&)>;
using Choose = std::function<void(ReportWindow&)>;
Q_DECLARE_METATYPE(Alter)
Q_DECLARE_METATYPE(Choose)

namespace {
const QString december = QStringLiteral("tallivor-ledger-2026-12.csv");
} // namespace

class TestReport : public QObject
{
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    QDateTime m_clock;
    std::unique_ptr<Ledger> m_ledger;
    std::unique_ptr<QWidget> m_owner;

    // Writes a ledger and opens the report on it for today, the 7th at 19:00.
    ReportWindow* openOnASampleLedger(const Alter& alter = {})
    {
        m_ledger = std::make_unique<Ledger>(m_folder->path(), [this] { return m_clock; });
        struct Line
        {
            int day, hour, minute;
            LedgerEvent event;
            const char *station, *spent, *charge, *detail;
        };
        // The 6th: a tiny bill (its charge in exponent form), a shift close. The 7th: bills, a lowered time (its
        // detail's values found by name in any order), removals, and the board's open line, line 10.
        for (const Line& line :
             {Line{6, 20, 0, LedgerEvent::Bill, "A", "10:00", "5E-05", ""},
              Line{6, 23, 0, LedgerEvent::Shift, "", "", "", "bills=1; billed=0.00005; time=10:00"},
              Line{7, 14, 3, LedgerEvent::Bill, "A", "12:34", "120", ""},
              Line{7, 14, 40, LedgerEvent::Bill, "B, corner", "0:30", "0.1", ""},
              Line{7, 15, 0, LedgerEvent::Edit, "B, corner", "1:00", "0.1", "name=B, corner; time=9:00"},
              Line{7, 15, 5, LedgerEvent::Remove, "C", "4:00", "40", "state=Stop"},
              Line{7, 15, 6, LedgerEvent::Remove, "D", "0:00", "00", ""},
              Line{7, 18, 10, LedgerEvent::Bill, "B, corner", "1:00", "0.9", ""},
              Line{7, 19, 0, LedgerEvent::Open, "", "", "", "stations=1; running=0"}}) {
            m_clock = QDateTime(QDate(2026, 12, line.day), QTime(line.hour, line.minute), Qt::UTC);
            m_ledger->append(line.event, line.station, line.spent, line.charge, "10", line.detail);
        }
        QByteArrayList lines = m_folder->read(december).split('\n');
        if (alter)
            alter(lines);
        m_folder->write(december, lines.join('\n'));
        auto* report = new ReportWindow(*m_ledger, m_folder->path());
        report->open(KeyedTexts(), QStringLiteral("$"), *m_owner);
        return report;
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_owner = std::make_unique<QWidget>();
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
        const QString captions = QStringLiteral(" | Station | Bills | Time billed | Past paid (min) | Amount | ");
        const QString rest = QStringLiteral("B, corner | 2 | 0:01:30 | 0 | 1 |  | Takings per hour | \uFFFC | Worth a look | 2026-12-07 15:00:00 time lowered "
                                            "B, corner 9:00 \u2192 1:00 | 2026-12-07 15:05:00 removed with a charge C 4:00 40 $ | chart 14:120.1 18:0.9");
        const auto day = [=](const QString& title, const QString& chain) {
            return "Report " + title + " | Bills: 3   Billed: 121 $   Time billed: 0:14:04 | " + chain + captions + "A | 1 | 0:12:34 | 0 | 120 | " + rest;
        };
        const auto altered = [=](const QString& found) { return day("2026-12-07", "Ledger altered: | " + found); };
        QTest::newRow("today, by its button") << Alter() << Choose([=](ReportWindow& r) { to(r, "to", 6); op::click(r.btn(ReportButton::Today)); })
            << day("2026-12-07", intact);
        QTest::newRow("two days") << Alter() << Choose([=](ReportWindow& r) { to(r, "to", 7); to(r, "from", 6); })
            << "Report 2026-12-06 \u2013 2026-12-07 | Bills: 4   Billed: 121.00005 $   Time billed: 0:24:04 | " + intact + captions
               + "A | 2 | 0:22:34 | 0 | 120.00005 | " + rest + " 20:5e-05";
        QTest::newRow("since the shift close") << Alter() << Choose([](ReportWindow& r) { op::click(r.btn(ReportButton::SinceShift)); })
            << day("Since shift close (2026-12-06 23:00)", intact);
        QTest::newRow("heading") << Alter([](QByteArrayList& l) { l[0].replace("time", "when"); }) << Choose() << altered("line 1: damaged");
        QTest::newRow("changed") << Alter([](QByteArrayList& l) { l[1].replace("5E-05", "6E-05"); }) << Choose() << altered("line 2" + changed);
        QTest::newRow("inserted") << Alter([](QByteArrayList& l) { l.insert(3, l[1]); }) << Choose() << altered("line 4: inserted");
        QTest::newRow("deleted") << Alter([](QByteArrayList& l) { l.removeAt(1); }) << Choose() << altered("line 2" + changed);
        QTest::newRow("damaged") << Alter([](QByteArrayList& l) { l[1] = "garbage\r"; }) << Choose() << altered("line 2: damaged | line 3" + changed);
        QTest::newRow("cut by a power cut") << Alter([](QByteArrayList& l) { l.removeLast(); l.last().chop(8); }) << Choose()
            << altered("line 10: cut short (a power cut?)");
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
        QString printed = report->document()->toPlainText().remove(december + ' ').replace(u'\n', " | ") + "chart";
        const auto& chart = report->findChild<HourChart*>(QStringLiteral("chart"))->values();
        for (std::size_t hour = 0; hour < chart.size(); ++hour)
            printed += chart[hour] != 0 ? QStringLiteral(" %1:%2").arg(hour).arg(chart[hour]) : QString();
        QCOMPARE(printed, shown);
    }

    void reportExportsPrintsAndAsksForTheShiftClose()
    {
        ReportWindow* report = openOnASampleLedger();
        const auto text = [report](const char* label) { return report->findChild<Label*>(label)->text(); };
        QVERIFY(QTest::qWaitForWindowExposed(report));
        for (const Label* label : report->findChildren<Label*>()) { // every caption is there
            const QString name = label->objectName();
            QVERIFY2(!label->text().isEmpty() || name == QLatin1String("message") || name == QLatin1String("pending"),
                     qPrintable(name));
        }
        // Nothing covers anything else.
        const QList<QWidget*> parts = report->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (const QWidget* a : parts) {
            for (const QWidget* b : parts) {
                QVERIFY2(a == b || !a->isVisible() || !b->isVisible() || !a->geometry().intersects(b->geometry()),
                         qPrintable(a->objectName() + ' ' + b->objectName()));
            }
        }
        // The days are picked from a calendar, and a new period is drawn at once.
        auto* from = report->findChild<QDateEdit*>(QStringLiteral("from"));
        QTest::mouseClick(from, Qt::LeftButton, {}, QPoint(from->width() - 6, from->height() / 2));
        QTRY_VERIFY(from->calendarWidget() && from->calendarWidget()->isVisible());
        from->calendarWidget()->window()->hide();
        op::PaintCounter drawn;
        report->findChild<HourChart*>(QStringLiteral("chart"))->installEventFilter(&drawn);
        QCoreApplication::processEvents();
        drawn.count = 0;
        from->setDate(QDate(2026, 12, 6)); // the bar of the 6th joins the chart
        QTRY_VERIFY(drawn.count > 0);
        op::click(report->btn(ReportButton::Today));
        // However narrow the window, captions stay on one line; the message follows the commands.
        report->resize(100, 100);
        const LabelButton* since = report->btn(ReportButton::SinceShift);
        QVERIFY(since->width() >= since->fontMetrics().horizontalAdvance(since->text()));
        QVERIFY(report->findChild<Label*>("message")->x() > report->btn(ReportButton::CloseShift)->geometry().right());
        // Export, beside a window that stays in use; on the name it suggests, today's lines as the ledger holds them.
        op::click(report->btn(ReportButton::Export));
        auto* dialog = report->findChild<QDialog*>(QStringLiteral("exportDialog"));
        QVERIFY(dialog && dialog->isVisible() && !QApplication::activeModalWidget());
        dialog->accept();
        const QByteArray ledger = m_folder->read(december);
        QCOMPARE(m_folder->read("tallivor-export-2026-12-07.csv"),
                 ledger.first(ledger.indexOf("\r\n") + 2) + ledger.sliced(ledger.indexOf("2026-12-07T14:03")));
        QCOMPARE(text("message"), QStringLiteral("Saved as tallivor-export-2026-12-07.csv"));
        // The shift is closed by the board's owner, which hands the report what the shift held.
        QSignalSpy asked(report, &ReportWindow::shiftCloseRequested);
        connect(report, &ReportWindow::shiftCloseAsked, report, [report] { report->armShiftClose(0); });
        op::click(report->btn(ReportButton::CloseShift)); // the first click only arms it
        QCOMPARE(asked.count(), 0);
        op::click(report->btn(ReportButton::CloseShift));
        QCOMPARE(asked.count(), 1);
        const PeriodTotals shift = report->totals();
        m_ledger->append(LedgerEvent::Shift, {}, {}, {}, "10", shiftDetail(shift));
        report->showShiftClosed(shift);
        QCOMPARE(text("message"), QStringLiteral("Shift closed: 3 bills, 121 $"));
        op::click(report->btn(ReportButton::SinceShift));
        QCOMPARE(text("bills"), QStringLiteral("Bills: 0"));
        // The disk refuses a line (the month file cannot be opened): it waits, and the report opened again says so.
        QDir folder(m_folder->path());
        QVERIFY(folder.rename(december, "aside") && folder.mkdir(december));
        m_ledger->append(LedgerEvent::Start, "A", {}, {}, "10");
        QVERIFY(folder.rmdir(december) && folder.rename("aside", december));
        report->open(KeyedTexts(), QStringLiteral("$"), *m_owner); // for today, without the old message
        QVERIFY(report->findChild<Label*>("pending")->isVisible());
        QCOMPARE(QStringList({text("bills"), text("message"), text("pending")}),
                 QStringList({"Bills: 3", "", "1 ledger lines wait to be written: the disk refused them"}));
        // A new language's texts, at once.
        report->retranslate(KeyedTexts({{QStringLiteral("Report"), QStringLiteral("Resoconto")}}));
        QVERIFY(report->windowTitle() == QLatin1String("Tallivor: Resoconto") && text("title").startsWith("Resoconto"));
        // Without a printer the report is printed to a PDF file beside the program, and the window says where.
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a printer is installed: the report goes to its print dialog");
        op::click(report->btn(ReportButton::Print));
        QVERIFY(m_folder->read("tallivor-report-2026-12-07.pdf").startsWith("%PDF"));
        QCOMPARE(text("message"), QStringLiteral("No printer: saved as tallivor-report-2026-12-07.pdf"));
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
