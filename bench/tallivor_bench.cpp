// The benchmark program: the clock's tick and its catch-up after a stall, the station file's save and autosave, and a
// click in the station table, timed in process on shown windows, beside the same tick and click done on plain
// QListWidgets in the same run.
//
//   tallivor_bench [--case tick,tick-paid,tick-plain,catch-up,save,click,click-plain,ledger,report,operation] [--rows
//   1000,10000,32767]
//                  [--reps 50] [--warmup 5] [--no-header]
//   tallivor_bench --write-station-file PATH ROWS     writes a station file of ROWS running stations and exits
//   tallivor_bench --write-ledger PATH LINES FIRST LAST
//                                                     writes a month file of LINES ledger lines spread over the days
//                                                     FIRST to LAST (yyyy-MM-dd) and exits
//   tallivor_bench --qt-version                       prints the version of the Qt libraries in use
//
// --rows applies to the tick; the catch-up, the save and the click always use 32,767 rows. Under callgrind, start with
// --collect-atstart=no: only the timed sections are collected.
#include "Boards.h"
#include "LedgerSample.h"
#include "Report.h"

#include "accounts/ReportModel.h"
#include "board/Board.h"
#include "ledger/Events.h"
#include "ledger/Ledger.h"
#include "report/ReportWindow.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"
#include "window/Form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define TALLIVOR_TOGGLE_COLLECT() CALLGRIND_TOGGLE_COLLECT
#else
#define TALLIVOR_TOGGLE_COLLECT() ((void)0)
#endif

using namespace bench;
using tallivor::Form1;
using tallivor::ListBox;

namespace {

constexpr int fullRoom = 32767;

struct Options
{
    QStringList cases{QStringLiteral("tick"),        QStringLiteral("tick-paid"), QStringLiteral("tick-plain"),
                      QStringLiteral("catch-up"),    QStringLiteral("save"),      QStringLiteral("click"),
                      QStringLiteral("click-plain"), QStringLiteral("ledger"),    QStringLiteral("report"),
                      QStringLiteral("operation"),   QStringLiteral("tick-tabs"), QStringLiteral("sale"),
                      QStringLiteral("report-sales")};
    QList<int> tickRows{1000, 10000, fullRoom};
    int reps = 50;
    int warmup = 5;

    bool runs(const char* name) const { return cases.contains(QLatin1String(name)); }
};

// Marks a timed section for callgrind; costs nothing outside it.
class Collect
{
public:
    Collect() { TALLIVOR_TOGGLE_COLLECT(); }
    ~Collect() { TALLIVOR_TOGGLE_COLLECT(); }
    Collect(const Collect&) = delete;
    Collect& operator=(const Collect&) = delete;
};

QString paintedNote(int unpainted, int views, int reps)
{
    return unpainted == 0 ? QStringLiteral("painted %1/%1 lists each time").arg(views)
                          : QStringLiteral("WARNING: %1 of %2 repaints left a list unpainted").arg(unpainted).arg(reps);
}

// Repaints the window at once, its lists' rows included. A plain repaint() of the window leaves its opaque children
// alone (the lists' viewports keep what the backing store holds), so the viewports are marked first and the one
// synchronous repaint then draws them all and flushes once.
template <typename View, std::size_t N>
void repaintWithLists(QWidget& window, const std::array<View*, N>& lists)
{
    for (View* list : lists)
        list->viewport()->update();
    window.repaint();
}

// Lets the event loop do what it does after a handler returns: the views' zero-delay timers, then the update request
// that paints what they marked. Three passes suffice; an idle pass costs a few microseconds.
void runEventLoopBriefly()
{
    for (int pass = 0; pass < 3; ++pass)
        QCoreApplication::processEvents();
}

QPoint rowCentre(QAbstractItemView* list, int row)
{
    const QPoint centre = list->visualRect(list->model()->index(row, 0)).center();
    if (!list->viewport()->rect().contains(centre))
        qFatal("row %d of %s is out of view", row, qPrintable(list->objectName()));
    return centre;
}

struct TickTimes
{
    std::vector<double> compute, repaint, total;
    int unpainted = 0; // repaints that left a list unpainted
};

// Times a tick and the synchronous repaint of its window after it, warm-up runs left out.
template <typename Tick, typename View, std::size_t N>
TickTimes timeTickAndRepaint(const Options& options, PaintCounter& paints, Tick tick, QWidget& window,
                             const std::array<View*, N>& lists)
{
    TickTimes times;
    for (int i = 0; i < options.warmup + options.reps; ++i) {
        paints.reset();
        Clock::time_point t0, t1, t2;
        {
            Collect collect;
            t0 = Clock::now();
            tick();
            t1 = Clock::now();
            repaintWithLists(window, lists);
            t2 = Clock::now();
        }
        const bool allPainted = paints.paintedViews() == paints.watchedViews();
        runEventLoopBriefly();
        if (i < options.warmup)
            continue;
        times.unpainted += allPainted ? 0 : 1;
        times.compute.push_back(millisecondsBetween(t0, t1));
        times.repaint.push_back(millisecondsBetween(t1, t2));
        times.total.push_back(millisecondsBetween(t0, t2));
    }
    return times;
}

// The clock's tick on the main window: the tick() call, then an immediate repaint of the whole window with its four
// lists; and, as the event loop does it, the tick followed by the processing of the updates it posted (which paints
// only the lists that changed).
void benchTick(Report& report, const Options& options, int rows, bool thirdPaid = false, bool thirdTabs = false)
{
    BoardWindow board(rows, thirdPaid, thirdTabs ? rows / 3 : 0);
    const QString kind = thirdPaid   ? QStringLiteral("tick, ListBox, a third paid")
                         : thirdTabs ? QStringLiteral("tick, ListBox, a third with a tab of five items")
                                     : QStringLiteral("tick, ListBox");
    Form1& form = board.form();
    tallivor::Board& stations = board.board();
    PaintCounter paints(board.lists());
    const TickTimes timed = timeTickAndRepaint(
        options, paints, [&stations] { stations.tick(); }, form, board.lists());
    std::vector<double> viaLoop;
    int loopPainted = 0;
    for (int i = 0; i < options.warmup + options.reps; ++i) {
        paints.reset();
        Clock::time_point t0, t1;
        {
            Collect collect;
            t0 = Clock::now();
            stations.tick();
            runEventLoopBriefly();
            t1 = Clock::now();
        }
        if (i < options.warmup)
            continue;
        loopPainted += paints.paintedViews();
        viaLoop.push_back(millisecondsBetween(t0, t1));
    }
    const std::optional<double> target = rows == fullRoom ? std::optional<double>(5) : std::nullopt;
    report.add(kind + QStringLiteral(": compute (tick())"), rows, summarize(timed.compute));
    report.add(kind + QStringLiteral(": repaint (window with its lists)"), rows, summarize(timed.repaint), {},
               paintedNote(timed.unpainted, paints.watchedViews(), options.reps));
    report.add(kind + QStringLiteral(": compute + repaint"), rows, summarize(timed.total), target);
    report.add(kind + QStringLiteral(": compute + event-loop update"), rows, summarize(viaLoop), {},
               QStringLiteral("%1 lists painted per tick on average").arg(double(loopPainted) / options.reps));
}

// The same tick done item by item on four QListWidgets.
void benchPlainTick(Report& report, const Options& options, int rows)
{
    PlainBoard board(rows);
    PaintCounter paints(board.lists());
    const QString startWord = QStringLiteral("Start");
    const QString price = QStringLiteral("10");
    const TickTimes timed = timeTickAndRepaint(
        options, paints, [&] { board.tick(startWord, price); }, board.window(), board.lists());
    report.add(QStringLiteral("tick, QListWidget: compute (item loop)"), rows, summarize(timed.compute));
    report.add(QStringLiteral("tick, QListWidget: repaint (window with its lists)"), rows, summarize(timed.repaint), {},
               paintedNote(timed.unpainted, paints.watchedViews(), options.reps));
    report.add(QStringLiteral("tick, QListWidget: compute + repaint"), rows, summarize(timed.total));
}

// An hour of the clock applied at once, as after the program was held up for an hour, then the repaint: at the
// board's whole-number price, and at a price of 16 digits, which is no exact decimal and is charged minute by minute.
void benchCatchUp(Report& report, const Options& options)
{
    BoardWindow board(fullRoom);
    Form1& form = board.form();
    tallivor::Board& stations = board.board();
    PaintCounter paints(board.lists());
    const auto hour = [&stations] { stations.tick(3600); };
    const TickTimes timed = timeTickAndRepaint(options, paints, hour, form, board.lists());
    report.add(QStringLiteral("catch-up of an hour (tick(3600)): compute"), fullRoom, summarize(timed.compute));
    report.add(QStringLiteral("catch-up of an hour: compute + repaint"), fullRoom, summarize(timed.total), 100,
               paintedNote(timed.unpainted, paints.watchedViews(), options.reps));
    stations.applySettings(QStringLiteral("0.3333333333333333"), stations.language().file());
    Options few = options;
    few.reps = std::min(options.reps, 5);
    few.warmup = 1;
    const TickTimes odd = timeTickAndRepaint(few, paints, hour, form, board.lists());
    report.add(QStringLiteral("catch-up of an hour, price of 16 digits: compute + repaint"), fullRoom,
               summarize(odd.total), {}, QStringLiteral("charged minute by minute"));
}

void benchSave(Report& report, const Options& options)
{
    BoardWindow window(fullRoom);
    tallivor::Board& board = window.board();
    QFile file(QDir(board.programFolder()).filePath(QStringLiteral("tallivor.xml")));
    std::vector<double> samples;
    for (int i = 0; i < options.warmup + options.reps; ++i) {
        board.tick(); // new content every time, so that a save can never be skipped as unchanged
        Clock::time_point t0, t1;
        {
            Collect collect;
            t0 = Clock::now();
            board.savefile();
            t1 = Clock::now();
        }
        if (i >= options.warmup)
            samples.push_back(millisecondsBetween(t0, t1));
    }
    const qint64 size = file.size();
    if (size < fullRoom * 20)
        qFatal("the saved station file holds only %lld bytes", size);
    report.add(QStringLiteral("savefile"), fullRoom, summarize(samples), 20,
               QStringLiteral("%1 KiB file").arg(size / 1024));
}

// The once-a-minute autosave: with nothing changed since the last write (it only compares) and after a tick (it
// writes).
void benchAutosave(Report& report, const Options& options)
{
    BoardWindow window(fullRoom);
    tallivor::Board& board = window.board();
    std::vector<double> unchanged, changed;
    board.savefile();
    for (int i = 0; i < options.warmup + options.reps; ++i) {
        Clock::time_point t0, t1, t2, t3;
        {
            Collect collect;
            t0 = Clock::now();
            board.persist();
            t1 = Clock::now();
        }
        board.tick();
        {
            Collect collect;
            t2 = Clock::now();
            board.persist();
            t3 = Clock::now();
        }
        if (i < options.warmup)
            continue;
        unchanged.push_back(millisecondsBetween(t0, t1));
        changed.push_back(millisecondsBetween(t2, t3));
    }
    report.add(QStringLiteral("autosave, board unchanged (compares only)"), fullRoom, summarize(unchanged));
    report.add(QStringLiteral("autosave, after a tick (writes)"), fullRoom, summarize(changed));
}

// An item put on a tab, from the key to its sale line synced (and the tabs file after it), at a room's size and at the
// largest board.
void benchSale(Report& report, const Options& options)
{
    for (const int rows : {50, fullRoom}) {
        BoardWindow window(rows);
        tallivor::Board& board = window.board();
        std::vector<double> samples;
        const int reps = std::max(200, options.reps * 4);
        for (int i = 0; i < options.warmup + reps; ++i) {
            Clock::time_point t0, t1;
            {
                Collect collect;
                t0 = Clock::now();
                if (!board.sell(i % rows, QStringLiteral("Cola"), 1))
                    qFatal("the sale was refused");
                t1 = Clock::now();
            }
            if (i >= options.warmup)
                samples.push_back(millisecondsBetween(t0, t1));
        }
        std::vector<double> sorted = samples;
        std::sort(sorted.begin(), sorted.end());
        const double p99 = sorted[std::size_t(double(sorted.size() - 1) * 0.99)];
        report.add(QStringLiteral("sale: an item on a tab, its line synced"), rows, summarize(samples), {},
                   QStringLiteral("p99 %1 ms (target <= 5 ms)").arg(p99, 0, 'f', 2));
    }
}

// The report of a month of 100,000 lines a third of which are sales, for a day, and for a year of twelve such months.
void benchReportWithSales(Report& report, const Options& options)
{
    QTemporaryDir dir;
    for (int month = 1; month <= 12; ++month) {
        const QDate first(2026, month, 1);
        QFile file(QDir(dir.path()).filePath(tallivor::ledgerFileName(first)));
        const QByteArray bytes = sampleLedgerMonth(first, first.addMonths(1).addDays(-1), 100000, true);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write the month files");
    }
    for (const bool year : {false, true}) {
        const tallivor::Period period = year ? tallivor::Period::days(QDate(2026, 1, 1), QDate(2026, 12, 31))
                                             : tallivor::Period::days(QDate(2026, 12, 15), QDate(2026, 12, 15));
        std::vector<double> samples;
        for (int i = 0; i < options.warmup + (year ? 5 : options.reps); ++i) {
            tallivor::ReportModel model(dir.path());
            const Clock::time_point t0 = Clock::now();
            model.show(period);
            const Clock::time_point t1 = Clock::now();
            if (model.totals().products.empty() || !model.findings().empty())
                qFatal("the sales were not read, or the sample reads as altered");
            if (i >= options.warmup)
                samples.push_back(millisecondsBetween(t0, t1));
        }
        report.add(year ? QStringLiteral("report of a year: 12 months of 100,000 lines, a third sales")
                        : QStringLiteral("report of a day in a month of 100,000 lines, a third sales"),
                   year ? 1200000 : 100000, summarize(samples), year ? 1000 : 200);
    }
}

// An operation on the disk before it returns: Reset's second press (its first arms the caption), from the key to the
// bill's ledger line and the station file both synced, at the largest board and at a room's size.
void benchOperation(Report& report, const Options& options)
{
    for (const int rows : {fullRoom, 50}) {
        BoardWindow window(rows);
        tallivor::Board& board = window.board();
        auto* names = static_cast<ListBox*>(window.lists()[1]);
        std::vector<double> samples;
        const int reps = std::max(200, options.reps * 4);
        for (int i = 0; i < options.warmup + reps; ++i) {
            board.tick(60); // a minute charged since: every bill writes its line
            names->setListIndex(i % rows);
            window.form().btnClick(tallivor::Button::Reset);
            Clock::time_point t0, t1;
            {
                Collect collect;
                t0 = Clock::now();
                window.form().btnClick(tallivor::Button::Reset);
                t1 = Clock::now();
            }
            if (i >= options.warmup)
                samples.push_back(millisecondsBetween(t0, t1));
        }
        if (board.ledger().pendingLines() > 0 ||
            board.text(tallivor::Column::Spent, (options.warmup + reps - 1) % rows) != QLatin1String("00:00"))
            qFatal("the bills were not written");
        std::vector<double> sorted = samples;
        std::sort(sorted.begin(), sorted.end());
        const double p99 = sorted[std::size_t(double(sorted.size() - 1) * 0.99)];
        report.add(QStringLiteral("operation: a bill, ledger and station file synced"), rows, summarize(samples), {},
                   QStringLiteral("p99 %1 ms (target <= %2 ms)").arg(p99, 0, 'f', 2).arg(rows == 50 ? 5 : 25));
    }
}

// Clicks on the rows near the bottom (the rows in view after the load), alternating between two so that every click
// moves the selection and runs the whole cascade. QTest delivers the press and release straight to the viewport as
// spontaneous events, as the window would after finding the widget under the pointer, and returns without running
// the event loop: the cascade and the repaint are timed apart. A second series lets the event loop paint instead.
template <typename Window, typename ClickedList>
void benchClicks(Report& report, const Options& options, Window& window, const std::array<ClickedList*, 4>& lists,
                 const QString& kind, const std::function<bool(int)>& allOn, const int& doubleClicks)
{
    PaintCounter paints(lists);
    const int rows = int(lists[0]->model()->rowCount());
    for (ClickedList* list : lists) {
        std::vector<double> cascade, repaint, total, viaLoop;
        int unpainted = 0, missed = 0, loopPainted = 0;
        for (int i = 0; i < options.warmup + options.reps; ++i) {
            const int row = allOn(rows - 2) ? rows - 3 : rows - 2;
            const QPoint position = rowCentre(list, row);
            paints.reset();
            Clock::time_point t0, t1, t2;
            {
                Collect collect;
                t0 = Clock::now();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, position);
                t1 = Clock::now();
                repaintWithLists(window, lists);
                t2 = Clock::now();
            }
            const bool allPainted = paints.paintedViews() == paints.watchedViews();
            missed += allOn(row) ? 0 : 1;
            runEventLoopBriefly();
            if (i < options.warmup)
                continue;
            unpainted += allPainted ? 0 : 1;
            cascade.push_back(millisecondsBetween(t0, t1));
            repaint.push_back(millisecondsBetween(t1, t2));
            total.push_back(millisecondsBetween(t0, t2));
        }
        for (int i = 0; i < options.warmup + options.reps; ++i) {
            const int row = allOn(rows - 2) ? rows - 3 : rows - 2;
            const QPoint position = rowCentre(list, row);
            paints.reset();
            Clock::time_point t0, t1;
            {
                Collect collect;
                t0 = Clock::now();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, position);
                runEventLoopBriefly();
                t1 = Clock::now();
            }
            missed += allOn(row) ? 0 : 1;
            if (i < options.warmup)
                continue;
            loopPainted += paints.paintedViews();
            viaLoop.push_back(millisecondsBetween(t0, t1));
        }
        QString note = paintedNote(unpainted, paints.watchedViews(), options.reps);
        if (missed)
            note += QStringLiteral("; WARNING: %1 clicks left a list on another row").arg(missed);
        if (doubleClicks)
            note += QStringLiteral("; WARNING: %1 clicks were taken as double-clicks").arg(doubleClicks);
        const QString name = kind + QStringLiteral(" click in ") + list->objectName();
        const std::optional<double> target = kind == QLatin1String("ListBox") ? std::optional<double>(2) : std::nullopt;
        report.add(name + QStringLiteral(": cascade"), rows, summarize(cascade));
        report.add(name + QStringLiteral(": repaint"), rows, summarize(repaint));
        report.add(name + QStringLiteral(": cascade + repaint"), rows, summarize(total), target, note);
        report.add(name + QStringLiteral(": cascade + event-loop update"), rows, summarize(viaLoop), {},
                   QStringLiteral("%1 lists painted per click on average").arg(double(loopPainted) / options.reps));
    }
}

void benchClick(Report& report, const Options& options)
{
    BoardWindow board(fullRoom);
    Form1& form = board.form();
    int doubleClicks = 0;
    std::array<ListBox*, 4> lists{};
    for (std::size_t i = 0; i < lists.size(); ++i)
        lists[i] = static_cast<ListBox*>(board.lists()[i]);
    const auto* VScroll1 = form.findChild<tallivor::ScrollBar*>(QStringLiteral("VScroll1"));
    for (ListBox* list : lists)
        QObject::connect(list, &ListBox::listDblClick, [&doubleClicks] { ++doubleClicks; });
    const auto allOn = [VScroll1, &lists](int row) {
        return std::all_of(lists.begin(), lists.end(), [row](ListBox* list) { return list->listIndex() == row; }) &&
               VScroll1->value() == row;
    };
    benchClicks(report, options, form, lists, QStringLiteral("ListBox"), allOn, doubleClicks);
}

void benchPlainClick(Report& report, const Options& options)
{
    PlainBoard board(fullRoom);
    board.keepRowsInStep();
    int doubleClicks = 0;
    for (QListWidget* list : board.lists())
        QObject::connect(list, &QListWidget::itemDoubleClicked, [&doubleClicks] { ++doubleClicks; });
    const auto allOn = [&board](int row) {
        const auto& lists = board.lists();
        return std::all_of(lists.begin(), lists.end(), [row](QListWidget* list) { return list->currentRow() == row; });
    };
    benchClicks(report, options, board.window(), board.lists(), QStringLiteral("QListWidget"), allOn, doubleClicks);
}

// One ledger line appended as the board appends it: formatted, chained, written and synced to the device before it
// returns. The folder lies in the working folder, on the disk the program would use, not in a memory file system.
void benchLedgerAppend(Report& report, const Options& options)
{
    QTemporaryDir dir(QDir::current().filePath(QStringLiteral("tallivor-ledger-bench-XXXXXX")));
    if (!dir.isValid())
        qFatal("cannot make a folder in the working folder");
    tallivor::Ledger ledger(dir.path(), {});
    const int reps = std::max(500, options.reps * 10);
    std::vector<double> samples;
    for (int i = 0; i < options.warmup + reps; ++i) {
        Clock::time_point t0, t1;
        {
            Collect collect;
            t0 = Clock::now();
            ledger.append(tallivor::line::bill(
                {QStringLiteral("PC 07"), QStringLiteral("42:17"), QStringLiteral("420"), QStringLiteral("10")}, {}));
            t1 = Clock::now();
        }
        if (i >= options.warmup)
            samples.push_back(millisecondsBetween(t0, t1));
    }
    if (ledger.pendingLines() > 0)
        qFatal("the ledger refused %d lines", ledger.pendingLines());
    std::vector<double> sorted = samples;
    std::sort(sorted.begin(), sorted.end());
    const double p99 = sorted[std::size_t(double(sorted.size() - 1) * 0.99)];
    const QStorageInfo disk(dir.path());
    report.add(QStringLiteral("ledger append, written and synced"), 1, summarize(samples), {},
               QStringLiteral("p99 %1 ms; %2 on %3")
                   .arg(p99, 0, 'f', 3)
                   .arg(QString::fromLatin1(disk.fileSystemType()), QString::fromLocal8Bit(disk.device())));
}

// Opening the report on one day of a month file of 100,000 lines: reading the file, checking its whole chain, adding
// up the day and showing the window, as a click on Report does; and the reading and adding up alone.
void benchReportOpen(Report& report, const Options& options)
{
    constexpr int lines = 100000;
    BoardWindow board(10);
    const QDate day(2026, 12, 15);
    QFile file(QDir(board.folder()).filePath(tallivor::ledgerFileName(day)));
    const QByteArray bytes = sampleLedgerMonth(QDate(2026, 12, 1), QDate(2026, 12, 31), lines);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write the month file");
    file.close();
    board.platform().clock = QDateTime(day, QTime(12, 0), Qt::OffsetFromUTC, 3600);
    Form1& form = board.form();
    // The offscreen platform says at every opening that it cannot raise a window; that is no news here.
    static QtMessageHandler previousHandler = nullptr;
    previousHandler =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support")))
                previousHandler(type, context, text);
        });
    std::vector<double> opening, openingCpu, reading;
    int dayLines = 0;
    for (int i = 0; i < options.warmup + options.reps; ++i) {
        Clock::time_point t0, t1, t2, t3;
        std::clock_t c0 = 0, c1 = 0;
        {
            Collect collect;
            t0 = Clock::now();
            c0 = std::clock();
            form.btnClick(tallivor::Button::Report);
            form.report()->repaint();
            c1 = std::clock();
            t1 = Clock::now();
        }
        delete form.report();
        {
            Collect collect;
            t2 = Clock::now();
            tallivor::ReportModel model(board.folder());
            model.show(tallivor::Period::days(day, day));
            t3 = Clock::now();
            dayLines = int(model.records().size());
            if (model.totals().bills == 0 || !model.findings().empty())
                qFatal("the day holds no bills, or the sample ledger reads as altered");
        }
        if (i < options.warmup)
            continue;
        opening.push_back(millisecondsBetween(t0, t1));
        openingCpu.push_back(1000.0 * double(c1 - c0) / CLOCKS_PER_SEC);
        reading.push_back(millisecondsBetween(t2, t3));
    }
    qInstallMessageHandler(previousHandler);
    const QString note = QStringLiteral("%1 of %2 lines on the day; %3 MiB file; CPU time %4 ms")
                             .arg(dayLines)
                             .arg(lines)
                             .arg(double(bytes.size()) / (1 << 20), 0, 'f', 1)
                             .arg(summarize(openingCpu).median, 0, 'f', 1);
    report.add(QStringLiteral("report: open on one day (read, check chain, add up, show)"), lines, summarize(opening),
               200, note);
    report.add(QStringLiteral("report: read, check chain and add up only"), lines, summarize(reading));
}

QList<int> numberList(const QString& text)
{
    QList<int> numbers;
    for (const QString& piece : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = piece.toInt(&ok);
        if (!ok || number < 1)
            qFatal("not a row count: %s", qPrintable(piece));
        numbers.append(number);
    }
    return numbers;
}

[[noreturn]] void usage()
{
    std::fprintf(stderr, "usage: tallivor_bench [--case "
                         "tick,tick-paid,tick-plain,catch-up,save,click,click-plain,ledger,report,operation,\n"
                         "                              tick-tabs,sale,report-sales]\n"
                         "                      [--rows N,N,...]\n"
                         "                      [--reps N] [--warmup N] [--no-header]\n"
                         "       tallivor_bench --write-station-file PATH ROWS\n"
                         "       tallivor_bench --write-tabs-file PATH ROWS TABS\n"
                         "       tallivor_bench --write-ledger PATH LINES FIRST LAST\n"
                         "       tallivor_bench --qt-version\n");
    std::exit(2);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // The requests that need no window are answered before the application starts.
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list.append(QString::fromLocal8Bit(argv[i]));
        return list;
    }();
    if (arguments.value(0) == QLatin1String("--qt-version")) {
        std::printf("%s\n", qVersion());
        return 0;
    }
    if (arguments.value(0) == QLatin1String("--write-station-file")) {
        if (arguments.size() != 3)
            usage();
        const QList<int> rows = numberList(arguments[2]);
        QFile file(arguments[1]);
        const QByteArray bytes = stationFileBytes(rows.value(0));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(arguments[1]));
        return 0;
    }

    if (arguments.value(0) == QLatin1String("--write-tabs-file")) {
        if (arguments.size() != 4)
            usage();
        QFile file(arguments[1]);
        const QByteArray bytes = tabsFileBytes(numberList(arguments[2]).value(0), numberList(arguments[3]).value(0));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(arguments[1]));
        return 0;
    }
    if (arguments.value(0) == QLatin1String("--write-ledger")) {
        const QDate first = QDate::fromString(arguments.value(3), Qt::ISODate);
        const QDate last = QDate::fromString(arguments.value(4), Qt::ISODate);
        if (arguments.size() != 5 || !first.isValid() || !last.isValid())
            usage();
        QFile file(arguments[1]);
        const QByteArray bytes = sampleLedgerMonth(first, last, numberList(arguments[2]).value(0));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(arguments[1]));
        return 0;
    }

    Options options;
    bool header = true;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const auto value = [&]() -> QString {
            if (i + 1 >= arguments.size())
                usage();
            return arguments[++i];
        };
        if (argument == QLatin1String("--case")) {
            const QStringList known = Options().cases;
            options.cases = value().split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString& name : options.cases) {
                if (!known.contains(name))
                    usage();
            }
        } else if (argument == QLatin1String("--rows"))
            options.tickRows = numberList(value());
        else if (argument == QLatin1String("--reps"))
            options.reps = numberList(value()).value(0);
        else if (argument == QLatin1String("--warmup"))
            options.warmup = value().toInt();
        else if (argument == QLatin1String("--no-header"))
            header = false;
        else
            usage();
    }

    QApplication app(argc, argv);
    Report report;
    if (header)
        Report::printHeader();
    for (const int rows : options.tickRows) {
        if (options.runs("tick"))
            benchTick(report, options, rows);
        if (options.runs("tick-paid"))
            benchTick(report, options, rows, true);
        if (options.runs("tick-plain"))
            benchPlainTick(report, options, rows);
        report.print();
        report = Report();
    }
    if (options.runs("catch-up"))
        benchCatchUp(report, options);
    if (options.runs("save"))
        benchSave(report, options);
    if (options.runs("save"))
        benchAutosave(report, options);
    if (options.runs("click"))
        benchClick(report, options);
    if (options.runs("click-plain"))
        benchPlainClick(report, options);
    if (options.runs("ledger"))
        benchLedgerAppend(report, options);
    if (options.runs("report"))
        benchReportOpen(report, options);
    if (options.runs("operation"))
        benchOperation(report, options);
    if (options.runs("tick-tabs")) {
        benchTick(report, options, fullRoom);
        benchTick(report, options, fullRoom, false, true);
    }
    if (options.runs("sale"))
        benchSale(report, options);
    if (options.runs("report-sales"))
        benchReportWithSales(report, options);
    report.print();
    return 0;
}
