// Paid time, own prices and one name per station, on a Board without any window: what the board keeps, charges,
// writes to the station file and the ledger, and when a station is due.
#include "FakeClocks.h"
#include "ProgramFolder.h"
#include "board/Board.h"
#include "ledger/LedgerChain.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tallivor;

namespace {

// The ledger's lines but the start's open and gap lines, without their time and check:
// "event,station,spent,charge,price,detail".
QStringList ledgerLines(const ProgramFolder& folder)
{
    QStringList lines;
    for (const QString& name : folder.names().filter(QStringLiteral("tallivor-ledger-"))) {
        scanLedger(folder.read(name), [&](int, QByteArrayView fields) {
            const QString line = QString::fromUtf8(fields.sliced(fields.indexOf(',') + 1));
            if (!line.startsWith(QLatin1String("open,")) && !line.startsWith(QLatin1String("gap,")))
                lines << line;
        });
    }
    return lines;
}

QString paidText(const Board& board, int row)
{
    const std::optional<qint64> paid = board.paidTime(row);
    return paid ? QStringLiteral("%1:%2").arg(*paid / 60).arg(*paid % 60) : QStringLiteral("none");
}

} // namespace

class TestPaid : public QObject
{
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    FakeClocks m_clocks;

    std::unique_ptr<Board> start(const QStringList& rows)
    {
        return m_folder->startBoard(m_clocks, crlf(QStringList{QStringLiteral("10,English.xml")} + rows));
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_clocks = FakeClocks();
        m_clocks.clock = QDateTime(QDate(2026, 12, 7), QTime(20, 0), Qt::UTC);
    }
    void cleanup() { m_folder.reset(); }

    void plusAndMinusCountFromThePaidEnd_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("keys"); // + and - in turn
        QTest::addColumn<QString>("paid"); // after each key
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("an open session: from the time used") << "Stop,A,12:34,120" << "++" << "27:34 42:34"
                                                             << QStringList{"paid,A,12:34,120,10,paid=27:34; minutes=15",
                                                                            "paid,A,12:34,120,10,paid=42:34; minutes=15"};
        QTest::newRow("past the end: the top-up pays the overtime first")
            << "Stop,A,65:0,650,,60:0" << "+" << "75:0" << QStringList{"paid,A,65:0,650,10,paid=75:0; minutes=15"};
        QTest::newRow("- shortens while time is left") << "Stop,A,10:0,0,,40:0" << "-" << "25:0"
                                                       << QStringList{"paid,A,10:0,0,10,paid=25:0; minutes=-15"};
        QTest::newRow("- leaving nothing ahead removes it") << "Stop,A,30:0,0,,40:0" << "-" << "none"
                                                            << QStringList{"paid,A,30:0,0,10,paid=; minutes=-10"};
        QTest::newRow("- on an open session does nothing") << "Stop,A,30:0,0" << "-" << "none" << QStringList{};
    }
    void plusAndMinusCountFromThePaidEnd()
    {
        QFETCH(QString, row);
        QFETCH(QString, keys);
        QFETCH(QString, paid);
        QFETCH(QStringList, lines);
        auto board = start({row});
        QStringList seen;
        for (const QChar key : keys) {
            board->topUp(0, key == u'+');
            seen << paidText(*board, 0);
        }
        QCOMPARE(seen.join(u' '), paid);
        QCOMPARE(ledgerLines(*m_folder), lines);
    }

    void theClockTurnsAPaidStationAmberThenDueOnce()
    {
        auto board = start({"Start,A,54:58,540,,60:0", "Start,B,54:58,540"});
        QSignalSpy due(board.get(), &Board::stationDue);
        const auto states = [&] { return QList<PaidState>{board->paidState(0), board->paidState(1)}; };
        QCOMPARE(states(), QList<PaidState>({PaidState::Paid, PaidState::None}));
        board->tick(2); // 55:00: five minutes left
        QCOMPARE(states(), QList<PaidState>({PaidState::Soon, PaidState::None}));
        board->tick(299);
        QCOMPARE(board->remainingSeconds(0), qint64(1));
        QVERIFY(!board->isAlarmSounding());
        board->tick(); // 60:00, and it keeps counting and charging past the end
        board->tick(61);
        QCOMPARE(board->text(Column::Time, 0), QStringLiteral("61:1"));
        QCOMPARE(board->text(Column::Charge, 0), QStringLiteral("610"));
        QCOMPARE(states(), QList<PaidState>({PaidState::Due, PaidState::None}));
        QCOMPARE(due.count(), 1);
        QVERIFY(board->isAlarmSounding());
        m_clocks.clock = m_clocks.clock.addSecs(75);
        board->acknowledgeAll();
        board->acknowledgeAll(); // once is enough
        QCOMPARE(states(), QList<PaidState>({PaidState::Acknowledged, PaidState::None}));
        QVERIFY(!board->isAlarmSounding());
        board->topUp(0, true); // 75:0 paid: time ahead again
        QCOMPARE(states(), QList<PaidState>({PaidState::Paid, PaidState::None}));
        QCOMPARE(ledgerLines(*m_folder), QStringList({"due,A,60:0,600,10,paid=60:0", "ack,A,61:1,610,10,after=75",
                                                      "paid,A,61:1,610,10,paid=75:0; minutes=15"}));
    }

    void anEditOrResetMovesTheDueState()
    {
        auto board = start({"Stop,A,10:0,100,25,60:0"});
        QVERIFY(board->editStation(0, QStringLiteral("A"), QStringLiteral("70:0")));
        QCOMPARE(board->paidState(0), PaidState::Due); // an edit past the end is due at once, stopped or not
        board->resetStation(0);
        QCOMPARE(board->paidState(0), PaidState::None);
        QCOMPARE(board->ownPrice(0), std::optional<QString>(QStringLiteral("25"))); // the bill keeps the price
        QCOMPARE(ledgerLines(*m_folder).mid(1),
                 QStringList({"due,A,70:0,100,25,paid=60:0", "bill,A,70:0,100,25,paid=60:0"}));
    }

    void startedPastTheEndIsDueWithoutASecondDueLine()
    {
        auto board = start({"Start,A,61:0,610,,60:0", "Stop,B,1:0,10,,60:0"});
        QVERIFY(board->isAlarmSounding());
        QCOMPARE(board->paidState(1), PaidState::Paid);
        QCOMPARE(ledgerLines(*m_folder).filter(QStringLiteral("due,")), QStringList());
        board->removeStation(0); // its alarm goes with it
        QVERIFY(!board->isAlarmSounding());
    }

    void eachStationIsChargedItsOwnPrice()
    {
        auto board = start({"Start,VR,0:59,0,25", "Start,PC,0:59,0"});
        board->tick();
        QVERIFY(board->applySettings(QStringLiteral("12"), QStringLiteral("English.xml")));
        board->tick(60);
        QCOMPARE(QStringList({board->text(Column::Charge, 0), board->text(Column::Charge, 1)}),
                 QStringList({"50", "22"}));
        QVERIFY(!board->setOwnPrice(1, QStringLiteral("abc")));
        QVERIFY(board->setOwnPrice(1, QStringLiteral("0.5")));
        QVERIFY(board->setOwnPrice(0, std::nullopt)); // the board's price again
        board->tick(60);
        QCOMPARE(QStringList({board->text(Column::Charge, 0), board->text(Column::Charge, 1)}),
                 QStringList({"62", "22.5"}));
        QCOMPARE(ledgerLines(*m_folder).filter(QStringLiteral("price,")),
                 QStringList({"price,,,,12,before=10", "price,PC,2:0,22,0.5,before=", "price,VR,2:0,50,12,before=25"}));
    }

    void theTwoFieldsReadAndWriteBack_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("a board without them: the same bytes")
            << QStringList{"Start,A,12:5,300", "Stop,B,0:0,00,", "Stop,C,1:0,10,,"}
            << QStringList{"Start,A,12:5,300", "Stop,B,0:0,00", "Stop,C,1:0,10"};
        QTest::newRow("a price, a paid time, both, no trailing empty field")
            << QStringList{"Start,VR corner,12:5,300,25", "Stop,PC 3,41:7,410,,60:0", "Stop,D,0:0,0,0.5,0060:05"}
            << QStringList{"Start,VR corner,12:5,300,25", "Stop,PC 3,41:7,410,,60:0", "Stop,D,0:0,0,0.5,60:5"};
        QTest::newRow("a field that is no price or no paid time is dropped")
            << QStringList{"Stop,A,1:0,10,abc,1:60", "Stop,B,1:0,10,12x,60", "Stop,C,1:0,10,,-5:0"}
            << QStringList{"Stop,A,1:0,10", "Stop,B,1:0,10,12x", "Stop,C,1:0,10"};
    }
    void theTwoFieldsReadAndWriteBack()
    {
        QFETCH(QStringList, rows);
        QFETCH(QStringList, written);
        auto board = start(rows);
        board->savefile();
        QCOMPARE(m_folder->read(QStringLiteral("tallivor.xml")),
                 crlf(QStringList{QStringLiteral("10,English.xml")} + written));
    }

    void oneNamePerStation()
    {
        // A file that already holds two equal names loads whole, and each keeps its own name on an edit.
        auto board = start({"Stop,A,0:0,0", "Stop,A,1:0,0", "Stop,B,0:0,0"});
        QCOMPARE(board->rowCount(), 3);
        QVERIFY(board->editStation(1, QStringLiteral("A"), QStringLiteral("2:0")));
        QVERIFY(!board->editStation(2, QStringLiteral("A"), std::nullopt));
        QVERIFY(!board->addStation(QStringLiteral("B"), QStringLiteral("0:0")));
        QVERIFY(board->addStation(QStringLiteral("b"), QStringLiteral("0:0"))); // compared exactly
    }
};

QTEST_GUILESS_MAIN(TestPaid)
#include "tst_paid.moc"
