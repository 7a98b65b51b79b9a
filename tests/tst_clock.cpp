// The one-second clock over the whole board: the seconds counted on the steady clocks, the price read at each
// completed minute, one change notification per list.
#include "ProgramFolder.h"
#include "board/Form1.h"
#include "ui/ListBox.h"
#include "ui/TextBox.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tallivor;

class TestClock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clockCountsTheSteadyTime_data();
    void clockCountsTheSteadyTime();
    void tickChargesAtTheNewPriceWithOneNotificationPerList();
};

namespace {

std::unique_ptr<Form1> start(ProgramFolder& folder, FakePlatform& platform, const QStringList& rows)
{
    folder.write(QStringLiteral("tallivor.xml"), englishBoard(rows));
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
    QTest::addColumn<QList<qint64>>("gaps"); // counted and slept seconds of each gap reported

    using T = QList<qint64>;
    using C = QList<int>;
    QTest::newRow("one second an event") << T{1000, 2000, 3000} << T{} << false << C{1, 2, 3} << T{};
    QTest::newRow("a stall of 5 s charges the minute it crosses")
        << T{1000, 2000, 7000, 8000} << T{} << false << C{1, 2, 7, 8} << T{};
    QTest::newRow("a stall across minutes charges each once")
        << T{1000, 186000, 187000} << T{} << false << C{1, 186, 187} << T{185, 0};
    QTest::newRow("a minute's stall is no gap") << T{1000, 61000} << T{} << false << C{1, 61} << T{};
    QTest::newRow("early events apply nothing twice")
        << T{1000, 1001, 1600, 2200, 3000} << T{} << false << C{1, 1, 2, 2, 3} << T{};
    QTest::newRow("events a little early or late apply one each")
        << T{980, 2030, 2990, 4010, 4960} << T{} << false << C{1, 2, 3, 4, 5} << T{};
    QTest::newRow("after a stall half a second off the beat, one each")
        << T{1000, 6520, 7570, 8480, 9530, 10510} << T{} << false << C{1, 7, 8, 9, 10, 11} << T{};
    QTest::newRow("sleep is not counted")
        << T{1000, 2000, 3000} << T{0, 3599600, 0} << false << C{1, 2, 3} << T{1, 3600};
    QTest::newRow("closing counts the second under way") << T{1000, 2000, 2700} << T{} << true << C{1, 2, 3} << T{};
}

void TestClock::clockCountsTheSteadyTime()
{
    QFETCH(QList<qint64>, awake);
    QFETCH(QList<qint64>, slept);
    QFETCH(bool, closeAtEnd);
    QFETCH(QList<int>, counted);
    QFETCH(QList<qint64>, gaps);
    ProgramFolder folder;
    FakePlatform platform;
    platform.steady = {5000, 9000}; // the clocks start where they like
    auto form = start(folder, platform, {"Start,A,0:57,00", "Stop,B,0:57,00"});
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
    QCOMPARE(form->Rellist->list(0), QString::number(10 * ((57 + counted.last()) / 60))); // each minute once
    QCOMPARE(form->timeList->list(1), QStringLiteral("0:57"));
    QList<qint64> reported;
    for (const QList<QVariant>& gap : gapSpy)
        reported << gap.at(0).toLongLong() << gap.at(1).toLongLong();
    QCOMPARE(reported, gaps);
}

void TestClock::tickChargesAtTheNewPriceWithOneNotificationPerList()
{
    ProgramFolder folder;
    FakePlatform platform;
    auto form = start(folder, platform, {"Start,A,0:30,00", "Stop,B,0:50,00", "Start,C,0:59,00"});
    form->Rellist->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QSignalSpy times(&form->timeList->column(), &QAbstractItemModel::dataChanged);
    QSignalSpy charges(&form->Rellist->column(), &QAbstractItemModel::dataChanged);
    form->tick(); // C completes its minute at the old price
    const auto rows = [](const QSignalSpy& spy) {
        return QList<int>{int(spy.count()), spy.value(0).value(0).toModelIndex().row(),
                          spy.value(0).value(1).toModelIndex().row()};
    };
    QCOMPARE(rows(times), QList<int>({1, 0, 2}));
    QCOMPARE(rows(charges), QList<int>({1, 2, 2}));
    QCOMPARE(form->Rellist->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    form->REL->setText(QStringLiteral("2.5"));
    form->tick(29); // A completes its minute at the new price: a new price charges from the next completed minute
    QCOMPARE(column(form->timeList), QStringList({"1:0", "0:50", "1:29"}));
    QCOMPARE(column(form->Rellist), QStringList({"2.5", "00", "10"}));
}

QTEST_MAIN(TestClock)
#include "tst_clock.moc"
