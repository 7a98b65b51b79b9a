// The one-second clock: the rule for one row, many seconds at once, the tick over the whole board, and the seconds
// counted on the steady clocks.
#include "ProgramFolder.h"
#include "board/ClockRule.h"
#include "board/Form1.h"
#include "board/Numbers.h"
#include "board/TimeText.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace tallivor;

class TestClock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rowRule_data();
    void rowRule();
    void manySecondsAtOnceAreThatManySingleSeconds_data();
    void manySecondsAtOnceAreThatManySingleSeconds();
    void clockCountsTheSteadyTime_data();
    void clockCountsTheSteadyTime();
    void timeTextSplitsAndJoins_data();
    void timeTextSplitsAndJoins();
    void startedAfterFiftyNineSecondsChargesAtTheNextTick();
    void newPriceChargesFromTheNextCompletedMinute();
    void oneChangeNotificationPerListAndNoScrollBar();
    void timerRunsFromCreation();
};

void TestClock::rowRule_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("charge");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("price");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("newTime");
    QTest::addColumn<QString>("newCharge");

    const auto row = [](const char* tag, const char* time, const char* charge, bool running, const char* price,
                        int ticks, const char* newTime, const char* newCharge) {
        QTest::newRow(tag) << QString::fromUtf8(time) << QString::fromUtf8(charge) << running
                           << QString::fromUtf8(price) << ticks << QString::fromUtf8(newTime)
                           << QString::fromUtf8(newCharge);
    };
    row("one second", "00:00", "00", true, "10", 1, "00:1", "00");
    row("59 seconds", "00:00", "00", true, "10", 59, "00:59", "00");
    row("first minute charged at the 60th tick", "00:00", "00", true, "10", 60, "1:0", "10");
    row("two minutes", "00:00", "00", true, "10", 120, "2:0", "20");
    row("5:59 rolls over", "5:59", "50", true, "10", 1, "6:0", "60");
    row("stored seconds past 59", "3:75", "0", true, "10", 1, "4:0", "10");
    row("more than two pieces", "1:2:3", "7", true, "10", 1, "1:3", "7");
    row("no upper bound on minutes", "999:59", "0", true, "1", 1, "1000:0", "1");
    row("minutes keep their text until they change", "007:58", "0", true, "1", 1, "007:59", "0");
    row("minutes become a number at the rollover", "007:58", "0", true, "1", 2, "8:0", "1");
    row("two-digit seconds", "12:34", "0", true, "10", 1, "12:35", "0");
    row("one-digit seconds", "9:8", "0", true, "10", 1, "9:9", "0");
    row("seconds with a leading zero lose it", "12:05", "0", true, "10", 1, "12:6", "0");
    row("58 to 59 and on to the rollover", "12:58", "0", true, "10", 2, "13:0", "10");
    row("blanks around the seconds", "2: 5 ", "0", true, "1", 1, "2:6", "0");
    row("price 0.1 three times", "0:0", "00", true, "0.1", 180, "3:0", "0.3");
    row("price of letters adds nothing", "0:59", "00", true, "abc", 1, "1:0", "0");
    row("empty price adds nothing", "0:59", "5", true, "", 1, "1:0", "5");
    row("price 12 then letters adds 12", "0:59", "3", true, "12 per minute", 1, "1:0", "15");
    row("negative price", "0:59", "00", true, "-2.5", 1, "1:0", "-2.5");
    row("exponent charge", "0:59", "1E+15", true, "1", 1, "1:0", "1E+15");
    row("charge that overflows stays, time goes on", "0:59", "1E+308", true, "1E+308", 1, "1:0", "1E+308");
    row("charge beyond a double stays", "0:59", "1E+400", true, "10", 1, "1:0", "1E+400");
    row("stopped stays", "0:59", "7", false, "10", 5, "0:59", "7");
    row("stopped with seconds past 59 stays", "3:75", "7", false, "10", 1, "3:75", "7");
    row("no colon stays", "12", "7", true, "10", 3, "12", "7");
    row("empty seconds stay", "5:", "7", true, "10", 1, "5:", "7");
    row("empty minutes stay", ":5", "7", true, "10", 1, ":5", "7");
    row("letters in the minutes stay", "ab:59", "7", true, "10", 1, "ab:59", "7");
    row("letters in the seconds stay", "5:x", "7", true, "10", 1, "5:x", "7");
    row("empty time stays", "", "7", true, "10", 1, "", "7");
}

void TestClock::rowRule()
{
    QFETCH(QString, time);
    QFETCH(QString, charge);
    QFETCH(bool, running);
    QFETCH(QString, price);
    QFETCH(int, ticks);
    QFETCH(QString, newTime);
    QFETCH(QString, newCharge);
    for (int i = 0; i < ticks; ++i) {
        PriceReader reader(price);
        tickRow(time, charge, running, reader);
    }
    QCOMPARE(time, newTime);
    QCOMPARE(charge, newCharge);
}

void TestClock::manySecondsAtOnceAreThatManySingleSeconds_data()
{
    QTest::addColumn<QString>("price");
    for (const char* price :
         {"10", "0", "-3", "0.1", "2.5", "-0.35", "0.05", "12 per minute", "abc", "0.3333333333333333", "1E+308"})
        QTest::newRow(price) << QString::fromUtf8(price);
}

void TestClock::manySecondsAtOnceAreThatManySingleSeconds()
{
    QFETCH(QString, price);
    // Rows of every kind the board may hold, the common ones most often; a fixed seed keeps a failure repeatable.
    QRandomGenerator random(2024u + quint32(qHash(price)));
    const auto pick = [&random](int bound) { return int(random.bounded(bound)); };
    const double perMinute = leadingNumber(price);
    const auto decimal = [&] {
        double value = double(random.bounded(quint64(1) << pick(50))) / std::pow(10.0, pick(7));
        // Many charges run down to zero and past it, where sums with decimal places may lose digits.
        if (pick(2) == 0 && perMinute != 0 && std::isfinite(perMinute))
            value = -std::copysign(std::fmod(value, std::abs(perMinute) * (1 + pick(100))), perMinute);
        return numberText(pick(4) == 0 ? -value : value);
    };
    const QStringList oddTimes{"3:75",
                               "2:5.5",
                               "1:-3",
                               "2.5:10",
                               " 4: 7 ",
                               "1:2:3",
                               "x:1",
                               "12",
                               "007:05",
                               "1e3:58",
                               "-0:-0",
                               "1:1E1",
                               "9:59.5",
                               "999999999999998:58",
                               "0:0.123456789012345"};
    const QStringList oddCharges{"12abc", "1E+15", "-0", "1E+308", "abc", "0.30000000000000004", "99999999999999.9"};
    for (int i = 0; i < 400; ++i) {
        const QString time =
            pick(4) == 0 ? oddTimes[pick(int(oddTimes.size()))] : QStringLiteral("%1:%2").arg(pick(3000)).arg(pick(60));
        const QString charge = pick(8) == 0 ? oddCharges[pick(int(oddCharges.size()))] : decimal();
        const bool running = pick(10) != 0;
        const qint64 seconds = pick(3) == 0 ? pick(120) : pick(8000);
        QString singleTime = time, singleCharge = charge, manyTime = time, manyCharge = charge;
        RowChange single = RowChange::None;
        for (qint64 k = 0; k < seconds; ++k) {
            PriceReader reader(price);
            single = std::max(single, tickRow(singleTime, singleCharge, running, reader));
        }
        PriceReader reader(price);
        const RowChange many = advanceRow(manyTime, manyCharge, running, reader, seconds);
        const QByteArray where = QStringLiteral("%1 s from %2, %3").arg(seconds).arg(time, charge).toUtf8();
        QVERIFY2(manyTime == singleTime,
                 where + " gave the time " + manyTime.toUtf8() + ", not " + singleTime.toUtf8());
        QVERIFY2(manyCharge == singleCharge,
                 where + " gave the charge " + manyCharge.toUtf8() + ", not " + singleCharge.toUtf8());
        QVERIFY2(many == single, where + " told another change");
    }
}

namespace {

std::unique_ptr<Form1> startBoard(ProgramFolder& folder, FakePlatform& platform, const QStringList& rows,
                                  const QString& price = QStringLiteral("10"))
{
    folder.write(QStringLiteral("tallivor.xml"), crlf(QStringList{price + QStringLiteral(",English.xml")} + rows));
    return folder.start(platform);
}

// The seconds a running station counted from 0:57, read from its time.
int countedFrom57(const Form1& form)
{
    const QStringList pieces = form.timeList->list(0).split(u':');
    return pieces.value(0).toInt() * 60 + pieces.value(1).toInt() - 57;
}

} // namespace

void TestClock::clockCountsTheSteadyTime_data()
{
    // Each event moves the steady clocks to an awake time (milliseconds since the clock started) and adds a time
    // slept; the last event may be the close. After each event the station has counted the seconds given.
    QTest::addColumn<QList<qint64>>("awake");
    QTest::addColumn<QList<qint64>>("slept");
    QTest::addColumn<bool>("closeAtEnd");
    QTest::addColumn<QList<int>>("counted");
    QTest::addColumn<QString>("charge");
    QTest::addColumn<QList<qint64>>("gaps"); // counted and slept seconds of each gap reported

    using T = QList<qint64>;
    using C = QList<int>;
    QTest::newRow("one second an event") << T{1000, 2000, 3000} << T{} << false << C{1, 2, 3} << "10" << T{};
    QTest::newRow("a stall of 5 s charges the minute it crosses")
        << T{1000, 2000, 7000, 8000} << T{} << false << C{1, 2, 7, 8} << "10" << T{};
    QTest::newRow("a stall across minutes charges each once")
        << T{1000, 186000, 187000} << T{} << false << C{1, 186, 187} << "40" << T{185, 0};
    QTest::newRow("a minute's stall is no gap") << T{1000, 61000} << T{} << false << C{1, 61} << "10" << T{};
    QTest::newRow("early events apply nothing twice")
        << T{1000, 1001, 1600, 2200, 3000} << T{} << false << C{1, 1, 2, 2, 3} << "10" << T{};
    QTest::newRow("events a little early or late apply one each")
        << T{980, 2030, 2990, 4010, 4960} << T{} << false << C{1, 2, 3, 4, 5} << "10" << T{};
    QTest::newRow("after a stall half a second off the beat, one each")
        << T{1000, 6520, 7570, 8480, 9530, 10510} << T{} << false << C{1, 7, 8, 9, 10, 11} << "10" << T{};
    QTest::newRow("sleep is not counted")
        << T{1000, 2000, 3000} << T{0, 3599600, 0} << false << C{1, 2, 3} << "10" << T{1, 3600};
    QTest::newRow("closing counts the second under way")
        << T{1000, 2000, 2700} << T{} << true << C{1, 2, 3} << "10" << T{};
}

void TestClock::clockCountsTheSteadyTime()
{
    QFETCH(QList<qint64>, awake);
    QFETCH(QList<qint64>, slept);
    QFETCH(bool, closeAtEnd);
    QFETCH(QList<int>, counted);
    QFETCH(QString, charge);
    QFETCH(QList<qint64>, gaps);
    ProgramFolder folder;
    FakePlatform platform;
    platform.steady = {5000, 9000}; // the clocks start where they like
    auto form = startBoard(folder, platform, {"Start,A,0:57,00", "Stop,B,0:57,00"});
    QSignalSpy gapSpy(form.get(), &Form1::clockGap);
    qint64 asleep = 0;
    for (qsizetype i = 0; i < awake.size(); ++i) {
        asleep += slept.value(i);
        platform.steady = {5000 + awake[i], 9000 + awake[i] + asleep};
        if (closeAtEnd && i == awake.size() - 1)
            form->close();
        else
            form->clockTimeout();
        QCOMPARE(countedFrom57(*form), counted[i]);
    }
    QCOMPARE(form->Rellist->list(0), charge);
    QCOMPARE(form->timeList->list(1), QStringLiteral("0:57"));
    QList<qint64> reported;
    for (const QList<QVariant>& gap : gapSpy)
        reported << gap.at(0).toLongLong() << gap.at(1).toLongLong();
    QCOMPARE(reported, gaps);
}

void TestClock::timeTextSplitsAndJoins_data()
{
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<bool>("hasColon");
    QTest::addColumn<QString>("joined");
    QTest::newRow("pieces kept as written") << "007:05"
                                            << "007"
                                            << "05" << true << "007:05";
    QTest::newRow("a third piece is dropped") << "1:2:3"
                                              << "1"
                                              << "2" << true << "1:2";
    QTest::newRow("no colon: all minutes") << "12"
                                           << "12"
                                           << "" << false << "12:";
    QTest::newRow("empty pieces") << ":"
                                  << ""
                                  << "" << true << ":";
}

void TestClock::timeTextSplitsAndJoins()
{
    QFETCH(QString, time);
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(bool, hasColon);
    QFETCH(QString, joined);
    const TimeText pieces = splitTime(time);
    QCOMPARE(pieces.minutes.toString(), minutes);
    QCOMPARE(pieces.seconds.toString(), seconds);
    QCOMPARE(pieces.hasColon, hasColon);
    QCOMPARE(joinTime(pieces.minutes, pieces.seconds), joined);
}

void TestClock::startedAfterFiftyNineSecondsChargesAtTheNextTick()
{
    ProgramFolder folder;
    FakePlatform platform;
    auto form = startBoard(folder, platform, {"Stop,A,0:59,0"});
    form->tick();
    QCOMPARE(form->timeList->list(0), QStringLiteral("0:59"));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QPoint row = form->Eventlist->visualRect(form->Eventlist->model()->index(0, 0)).center();
    QTest::mouseDClick(form->Eventlist->viewport(), Qt::LeftButton, {}, row);
    QCOMPARE(form->Eventlist->list(0), QStringLiteral("Start"));
    form->tick();
    QCOMPARE(form->timeList->list(0), QStringLiteral("1:0"));
    QCOMPARE(form->Rellist->list(0), QStringLiteral("10"));
    // Stopping and starting again keeps the partial minute.
    for (int i = 0; i < 30; ++i)
        form->tick();
    form->Eventlist->setList(0, form->Stopcaption);
    form->tick();
    form->Eventlist->setList(0, form->Startcaption);
    for (int i = 0; i < 29; ++i)
        form->tick();
    QCOMPARE(form->timeList->list(0), QStringLiteral("1:59"));
    form->tick();
    QCOMPARE(form->Rellist->list(0), QStringLiteral("20"));
}

void TestClock::newPriceChargesFromTheNextCompletedMinute()
{
    ProgramFolder folder;
    FakePlatform platform;
    auto form = startBoard(folder, platform, {"Start,A,0:30,00", "Start,B,0:50,00"});
    form->tick(20); // B completes its minute at the old price
    QCOMPARE(column(form->Rellist), QStringList({"00", "10"}));
    form->REL->setText(QStringLiteral("2.5"));
    form->tick(10); // A completes its minute at the new price
    QCOMPARE(column(form->Rellist), QStringList({"2.5", "10"}));
    QCOMPARE(column(form->timeList), QStringList({"1:0", "1:20"}));
}

void TestClock::oneChangeNotificationPerListAndNoScrollBar()
{
    ProgramFolder folder;
    FakePlatform platform;
    QStringList rows;
    for (int i = 0; i < 200; ++i)
        rows << QStringLiteral("%1,PC %2,0:59,0").arg(QLatin1String(i == 7 ? "Stop" : "Start")).arg(i);
    auto form = startBoard(folder, platform, rows);
    form->Rellist->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QSignalSpy times(&form->timeList->column(), &QAbstractItemModel::dataChanged);
    QSignalSpy charges(&form->Rellist->column(), &QAbstractItemModel::dataChanged);
    form->tick();
    QCOMPARE(times.count(), 1);
    QCOMPARE(charges.count(), 1);
    QCOMPARE(times.first().at(0).toModelIndex().row(), 0);
    QCOMPARE(times.first().at(1).toModelIndex().row(), 199);
    QCOMPARE(form->timeList->list(7), QStringLiteral("0:59"));
    QCOMPARE(form->Rellist->list(8), QStringLiteral("10"));
    QCOMPARE(form->Rellist->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    // With nothing running the lists hear nothing.
    for (int i = 0; i < 200; ++i)
        form->Eventlist->setList(i, form->Stopcaption);
    times.clear();
    form->tick();
    QCOMPARE(times.count(), 0);
}

void TestClock::timerRunsFromCreation()
{
    ProgramFolder folder;
    FakePlatform platform;
    Form1 form(platform, folder.path());
    QVERIFY(form.Time->isActive());
    QCOMPARE(form.Time->interval(), 1000);
    form.load();
    form.Namelist->addItem(QStringLiteral("A"));
    form.timeList->addItem(QStringLiteral("0:0"));
    form.Eventlist->addItem(form.Startcaption);
    form.Rellist->addItem(QStringLiteral("00"));
    platform.steady = {2000, 2000};
    QTRY_COMPARE_WITH_TIMEOUT(form.timeList->list(0), QStringLiteral("0:2"), 3000);
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
