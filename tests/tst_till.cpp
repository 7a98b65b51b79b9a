// The till without any window: items put on a tab and sold at the counter, each a sale line on the disk; voids
// naming their sale; a bill of the time and the tab together; the tab following its station through a rename and a
// removal above it, and back after a crash; the stock down by what was sold and in line with the ledger at the start;
// the room's settings; an earlier bill read back from the ledger by its receipt's number.
#include "FakeClocks.h"
#include "ProgramFolder.h"
#include "accounts/Receipts.h"
#include "board/Board.h"
#include "ledger/LedgerChain.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

using namespace tallivor;

namespace {

const QString december = QStringLiteral("tallivor-ledger-2026-12.csv");
const QString products = QStringLiteral("tallivor-products.csv");

// The ledger's lines after their time stamps, each without its check.
QStringList linesOf(const QByteArray& bytes)
{
    QStringList lines;
    scanLedger(bytes,
               [&](int, QByteArrayView fields) { lines << QString::fromUtf8(fields.sliced(fields.indexOf(',') + 1)); });
    return lines;
}

QString tabOf(const Board& board, int row)
{
    QStringList items;
    for (const TabItem& item : board.table()[row].record.tab.items())
        items << QStringLiteral("%1x%2=%3").arg(item.quantity).arg(item.product, item.amount.text());
    return items.join(u' ');
}

// A bill as a receipt shows it: station|spent|time charge|items|items total|total|time.
QString billText(const Bill& bill)
{
    QStringList items;
    for (const TabItem& item : bill.items)
        items << QStringLiteral("%1x%2=%3").arg(item.quantity).arg(item.product, item.amount.text());
    return QStringList({bill.station, bill.spent, Money::ofText(bill.timeCharge).text(), items.join(u' '),
                        bill.itemsTotal ? bill.itemsTotal->text() : QStringLiteral("-"), bill.total.text(),
                        bill.time.toUTC().toString(QStringLiteral("dd hh:mm"))})
        .join(u'|');
}

} // namespace

class TestTill : public QObject
{
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    FakeClocks m_clocks;

    std::unique_ptr<Board> start(const QStringList& rows)
    {
        return m_folder->startBoard(m_clocks, rows.isEmpty() ? QByteArray() : englishBoard(rows));
    }
    QStringList lines(const QString& from) const
    {
        const QStringList all = linesOf(m_folder->read(december));
        const auto first = std::find_if(all.begin(), all.end(), [&](const QString& l) { return l.startsWith(from); });
        return QStringList(first, all.end());
    }

    // Five bills, the first tab begun in November, with a void, a counter sale, a rename and a removal among them;
    // the checks of their bill lines.
    void fiveBills(QByteArrayList& checks)
    {
        m_clocks.clock = QDateTime(QDate(2026, 11, 30), QTime(23, 50), Qt::UTC);
        auto board = start({"Stop,PC 1,10:0,100", "Stop,PC 2,5:0,50", "Stop,PC 3,0:0,00"});
        const auto bill = [&](int row, int minute) {
            m_clocks.clock = QDateTime(QDate(2026, 12, 7), QTime(18, minute), Qt::UTC);
            board->billStation(row);
            checks << board->ledger().checkOf(board->lastBill().line);
        };
        QVERIFY(board->sell(0, "Cola", 2));
        m_clocks.clock = QDateTime(QDate(2026, 12, 7), QTime(18, 0), Qt::UTC);
        QVERIFY(board->sell(0, "Chips", 1) && board->takeOff(0, 1) && board->sell(-1, "Chips", 1));
        bill(1, 1); // PC 2: time alone
        bill(0, 2); // PC 1: the Cola of November, not the Chips taken off
        QVERIFY(board->sell(2, "Chips", 1) && board->editStation(2, {"PC 9", {}, {}, {}}) == Refusal::None &&
                board->sell(2, "Cola", 1) && board->sell(0, "Chips", 1) && board->sell(1, "Cola", 3));
        bill(2, 3);              // PC 9: what it had as PC 3 too
        bill(0, 4);              // PC 1 again: only what came after its first bill
        board->removeStation(1); // with the three Colas on its tab
        QVERIFY(board->addStation({"PC 2", {}, {}, {}}) == Refusal::None && board->sell(2, "Chips", 2));
        bill(2, 5); // the new PC 2: not the removed one's tab
    }

private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_clocks = FakeClocks();
        m_clocks.clock = QDateTime(QDate(2026, 12, 7), QTime(18, 0), Qt::UTC);
        m_folder->write(products, "\xEF\xBB\xBFproduct,price,stock,code\r\nCola,1.5,12,501\r\nChips,2,,\r\n"
                                  "Bad,x,1,\r\n");
    }

    void itemsGoOnTheBillAndTheCounter()
    {
        auto board = start({"Start,PC 1,10:0,100", "Stop,PC 2,0:0,00"});
        QVERIFY(board->sell(0, "Cola", 2) && board->sell(0, "501", 1) && board->sell(0, "Chips", 1));
        QVERIFY(!board->sell(0, "Bad", 1) && !board->sell(0, "Cola", 0) && !board->sell(0, "Cola", 1000) &&
                !board->sell(2, "Cola", 1)); // no such product, quantity or station
        QCOMPARE(tabOf(*board, 0), QStringLiteral("2xCola=3 1xCola=1.5 1xChips=2"));
        QVERIFY(board->sell(-1, "Chips", 3) && board->takeOff(0, 1) && board->takeOff(-1, 0) && !board->takeOff(-1, 0));
        QCOMPARE(board->till().counter().items().size(), std::size_t(0));
        // The tab's total beside the charge, the stock in the list, each line as it happened.
        QCOMPARE(board->table()[0].record.tab.total(), Money::whole(5));
        QCOMPARE(board->till().products().products()[0].stock, std::optional<int>(10));
        const QStringList sold = lines(QStringLiteral("sale,PC 1,,3,1.5,"));
        QCOMPARE(sold.size(), 6);
        QCOMPARE(sold.mid(0, 3), QStringList({"sale,PC 1,,3,1.5,product=Cola; quantity=2; stock=10",
                                              "sale,PC 1,,1.5,1.5,product=Cola; quantity=1; stock=9",
                                              "sale,PC 1,,2,2,product=Chips; quantity=1"}));
        QVERIFY(QRegularExpression(QStringLiteral("^void,PC 1,,1.5,1.5,product=Cola; quantity=1; stock=10; "
                                                  "sale=[0-9a-f]{16}$"))
                    .match(sold[4])
                    .hasMatch());
        QCOMPARE(sold[3], QStringLiteral("sale,,,6,2,product=Chips; quantity=3"));
        // The void names the sale it takes back.
        const QByteArray ledger = m_folder->read(december);
        const QByteArray check = sold[4].section(u'=', -1).toLatin1();
        QVERIFY(ledger.contains(",product=Cola; quantity=1; stock=9," + check + "\r\n"));
        // One bill of the time and the tab.
        board->billStation(0);
        QCOMPARE(lines(QStringLiteral("bill,")).first(), QStringLiteral("bill,PC 1,0:10:00,105,10,items=5"));
        QCOMPARE(board->lastBill().total, Money::whole(105));
        QVERIFY(board->table()[0].record.tab.isEmpty());
        // A tab alone on a station at 00:00 is billed too; a removal names its tab.
        QVERIFY(board->sell(1, "Chips", 1) && board->sell(0, "Chips", 1));
        board->billStation(1);
        board->removeStation(0);
        QCOMPARE(lines(QStringLiteral("bill,PC 2")).filter(QRegularExpression("^(bill|remove),")),
                 QStringList({"bill,PC 2,0:00:00,2,10,items=2", "remove,PC 1,0:00:00,00,10,state=Start; items=2"}));
    }

    void aTabFollowsItsStationAndComesBackAfterACrash()
    {
        const QString tabs = QStringLiteral("tallivor-tabs.csv");
        QByteArray early; // the tabs file after the first sale
        {
            auto board = start({"Stop,A,0:0,00", "Stop,B,0:0,00"});
            QVERIFY(board->sell(1, "Cola", 2));
            early = m_folder->read(tabs);
            m_clocks.clock = m_clocks.clock.addSecs(10);
            QVERIFY(board->sell(1, "Chips", 1));
            QCOMPARE(board->editStation(1, {"B2", {}, {}, {}}), Refusal::None);
            board->removeStation(0); // the row above: B2 moves up with its tab
            QCOMPARE(tabOf(*board, 0), QStringLiteral("2xCola=3 1xChips=2"));
            QVERIFY(board->sell(0, "Chips", 1) && board->takeOff(0, 1));
        } // a kill: no close
        // A power cut took the tabs file's last writes: the ledger's lines since bring it back.
        m_folder->write(tabs, early);
        m_folder->setWritten(tabs, m_clocks.clock.addSecs(-9));
        m_folder->setWritten(products, m_clocks.clock.addSecs(-60));
        auto board = start({});
        QCOMPARE(rowsOf(*board), QStringList{"Stop,B2,0:0,00"});
        QCOMPARE(tabOf(*board, 0), QStringLiteral("2xCola=3 1xChips=2"));
        board->billStation(0);
        QCOMPARE(lines(QStringLiteral("bill,")).first(), QStringLiteral("bill,B2,0:00:00,5,10,items=5"));
        // The counts of the products file go down by what was sold, and the line it could not read stays.
        board->close();
        QCOMPARE(m_folder->read(products), QByteArray("\xEF\xBB\xBFproduct,price,stock,code\r\nCola,1.5,10,501\r\n"
                                                      "Chips,2,,\r\nBad,x,1,\r\n"));
    }

    void theLedgerHasTheLastWordOnTheCounts()
    {
        // The products file was written before the last sales and changes: the ledger's lines since then hold.
        {
            auto board = start({"Stop,A,0:0,00"});
            QVERIFY(board->sell(-1, "Cola", 2));
            QCOMPARE(board->till().deliver(0, 24), ProductFault::None);
            QCOMPARE(board->till().add({"Tea", "1", "5", {}, {}}), ProductFault::None);
            QCOMPARE(board->till().rename(1, "Crisps"), ProductFault::None);
            QVERIFY(board->sell(-1, "Tea", 1));
        }
        m_folder->write(products, "\xEF\xBB\xBFproduct,price,stock,code\r\nCola,1.5,12,501\r\nChips,2,,\r\n"
                                  "Bad,x,1,\r\n");
        m_folder->setWritten(products, m_clocks.clock.addSecs(-60));
        auto board = start({});
        QStringList shown;
        for (const Product& product : board->till().products().products())
            shown << product.name + u'=' + (product.stock ? QString::number(*product.stock) : QStringLiteral("-"));
        QCOMPARE(shown, QStringList({"Cola=34", "Crisps=-", "Tea=4"}));
    }

    void anEarlierBillIsFoundByItsNumber_data()
    {
        QTest::addColumn<int>("bill");
        QTest::addColumn<QString>("expected");
        QTest::newRow("time alone") << 0 << "PC 2|5:0|50||-|50|07 18:01";
        QTest::newRow("a tab begun last month, less its void") << 1 << "PC 1|10:0|100|2xCola=3|3|103|07 18:02";
        QTest::newRow("renamed since its first item") << 2 << "PC 9|0:0|0|1xChips=2 1xCola=1.5|3.5|3.5|07 18:03";
        QTest::newRow("after an earlier bill") << 3 << "PC 1|0:0|0|1xChips=2|2|2|07 18:04";
        QTest::newRow("added again after a removal") << 4 << "PC 2|0:0|0|2xChips=4|4|4|07 18:05";
    }

    void anEarlierBillIsFoundByItsNumber()
    {
        QFETCH(int, bill);
        QFETCH(QString, expected);
        QByteArrayList checks;
        fiveBills(checks);
        QCOMPARE(checks.size(), 5);
        const std::optional<Bill> found = billOf(m_folder->path(), checks[bill]);
        QVERIFY(found);
        QCOMPARE(billText(*found), expected);
    }

    void aNumberOfNoBillFindsNothing()
    {
        QByteArrayList checks;
        fiveBills(checks);
        QCOMPARE(checks.size(), 5);
        QVERIFY(!billOf(m_folder->path(), "0123456789abcdef"));
        QVERIFY(!billOf(m_folder->path(), checks[0].left(15)));
        // The check of a line that is not a bill: the sale line of the counter.
        const QByteArray ledger = m_folder->read(december);
        const qsizetype counter = ledger.indexOf(",sale,,,2,2,product=Chips; quantity=1,");
        QVERIFY(counter > 0);
        const QByteArray check = ledger.mid(ledger.indexOf("\r\n", counter) - 16, 16);
        QVERIFY(isLedgerCheck(check));
        QVERIFY(!billOf(m_folder->path(), check));
        // Without the month its tab began in, a bill keeps what its items came to, without items it cannot name.
        QVERIFY(QFile::remove(m_folder->filePath(QStringLiteral("tallivor-ledger-2026-11.csv"))));
        QCOMPARE(billText(*billOf(m_folder->path(), checks[1])), QStringLiteral("PC 1|10:0|100||3|103|07 18:02"));
    }

    void roomSettingsAreWrittenWithTheirLines()
    {
        auto board = start({"Stop,A,0:0,00"});
        QCOMPARE(board->till().room().value(RoomSettings::Key::ReceiptClosing), QStringLiteral("Not a fiscal receipt"));
        QVERIFY(board->setRoomSetting(RoomSettings::Key::ReceiptName, "Net Café"));
        QVERIFY(!board->setRoomSetting(RoomSettings::Key::ReceiptName, "Net Café")); // the same: nothing
        QVERIFY(!board->setRoomSetting(RoomSettings::Key::ReceiptWidth, "70") &&
                board->setRoomSetting(RoomSettings::Key::ReceiptWidth, "58"));
        QVERIFY(board->setRoomSetting(RoomSettings::Key::ReceiptClosing, "70"));
        QCOMPARE(lines(QStringLiteral("setting,")),
                 QStringList({"setting,,,,10,setting=receipt-name; value=Net Café; before=",
                              "setting,,,,10,setting=receipt-width; value=58; before=80",
                              "setting,,,,10,setting=receipt-closing; value=70; before=Not a fiscal receipt"}));
        QCOMPARE(RoomSettings(m_folder->path()).value(RoomSettings::Key::ReceiptWidth), QStringLiteral("58"));
        // Free texts inside the detail: it still splits into its values. A list in a hand-edited file reads whole.
        QVERIFY(board->setRoomSetting(RoomSettings::Key::ReceiptAddress, "Via Roma 1; 10100 Torino = 100%"));
        QCOMPARE(lines(QStringLiteral("setting,")).last(),
                 "setting,,,,10,setting=receipt-address; value=Via Roma 1%3B 10100 Torino %3D 100%25; before=");
        m_folder->write(QStringLiteral("tallivor-room.ini"), "[General]\nreceipt-address=Via Roma 1, Torino\n");
        QCOMPARE(RoomSettings(m_folder->path()).value(RoomSettings::Key::ReceiptAddress),
                 QStringLiteral("Via Roma 1, Torino"));
    }
};

QTEST_GUILESS_MAIN(TestTill)
#include "tst_till.moc"
