// The sell window on the main window and a real Board: what the operator's keys in it put on a station's tab or sell
// at the counter, what they take off again, the station it stays with, and the board's keys of the till's windows.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Board.h"
#include "dialogs/ProductsWindow.h"
#include "dialogs/RoomWindow.h"
#include "dialogs/SellWindow.h"
#include "ui/TextBox.h"

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace tallivor;

namespace {

const QByteArray shop = "\xEF\xBB\xBFproduct,price,stock,code\r\nCola,1.5,12,501\r\nChips,2,,C5\r\nCola Zero,1.8,,\r\n";

QStringList itemsOf(const Tab& tab)
{
    QStringList items;
    for (const TabItem& item : tab.items())
        items << QStringLiteral("%1x%2").arg(item.quantity).arg(item.product);
    return items;
}

} // namespace

class TestSellWindow : public BoardTest
{
    Q_OBJECT
    Board& board() { return m_form->board(); }
    QStringList tabOf(int row) { return itemsOf(board().table()[row].record.tab); }
    int colaStock() { return *board().till().products().products()[0].stock; }
    void start(const QByteArray& products = shop)
    {
        if (!products.isEmpty())
            m_folder->write(QStringLiteral("tallivor-products.csv"), products);
        m_form =
            startShown(*m_folder, m_platform, englishBoard({"Stop,PC 1,0:0,0", "Stop,PC 2,0:0,0", "Stop,PC 3,0:0,0"}));
    }
    // The board's key pressed on the row selected, and the sell window it opened.
    SellWindow* openOn(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        op::clickRow(m_form->Namelist, row);
        QTest::keyClick(m_form->Namelist, Qt::Key_F4, modifiers);
        SellWindow* sell = m_form->form().sell();
        return QTest::qWaitForWindowExposed(sell) ? sell : nullptr;
    }
    static void act(SellWindow& sell, const QString& step)
    {
        static const QMap<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys{
            {"Enter", {Qt::Key_Return, {}}},
            {"Down", {Qt::Key_Down, {}}},
            {"Ctrl+Z", {Qt::Key_Z, Qt::ControlModifier}},
            {"Delete", {Qt::Key_Delete, {}}},
            {"Backspace", {Qt::Key_Backspace, {}}},
            {"F6", {Qt::Key_F6, {}}},
        };
        if (keys.contains(step))
            QTest::keyClick(sell.filter, keys[step].first, keys[step].second);
        else if (step.startsWith(QLatin1String("double-click ")))
            op::doubleClickRow(sell.products, step.back().digitValue());
        else if (step.startsWith(QLatin1String("Delete on the tab's "))) {
            op::clickRow(sell.tab, step.back().digitValue());
            QTest::keyClick(sell.tab, Qt::Key_Delete);
        } else
            QTest::keyClicks(sell.filter, step);
    }

private Q_SLOTS:
    void keysPutOnAndTakeOff_data()
    {
        QTest::addColumn<QStringList>("steps"); // keys, clicks, or text typed in the filter box
        QTest::addColumn<QStringList>("tab");   // PC 1's tab afterwards, which held a Cola Zero before
        QTest::addColumn<int>("stock");         // the Colas left of 12
        const QString zero = QStringLiteral("1xCola Zero");
        // clang-format off
        QTest::newRow("Enter before anything is typed") << QStringList{"Enter"} << QStringList{zero} << 12;
        QTest::newRow("Enter three times") << QStringList{"cola", "Enter", "Enter", "Enter"} << QStringList{zero, "1xCola", "1xCola", "1xCola"} << 9;
        QTest::newRow("a count for the next Enter") << QStringList{"3*cola", "Enter", "Enter"} << QStringList{zero, "3xCola", "1xCola"} << 8;
        QTest::newRow("a code") << QStringList{"C5", "Enter"} << QStringList{zero, "1xChips"} << 12;
        QTest::newRow("the start of a code") << QStringList{"50", "Enter"} << QStringList{zero} << 12;
        QTest::newRow("a name in any case") << QStringList{"ZERO", "Enter"} << QStringList{zero, zero} << 12;
        QTest::newRow("Down, then Enter") << QStringList{"Down", "Enter"} << QStringList{zero, "1xChips"} << 12;
        QTest::newRow("Down among those found") << QStringList{"cola", "Down", "Enter"} << QStringList{zero, zero} << 12;
        QTest::newRow("a double-click") << QStringList{"double-click 1"} << QStringList{zero, "1xChips"} << 12;
        QTest::newRow("Ctrl+Z") << QStringList{"cola", "Enter", "chips", "Enter", "Ctrl+Z"} << QStringList{zero, "1xCola"} << 11;
        QTest::newRow("Ctrl+Z goes back no further than this window") << QStringList{"2*cola", "Enter", "chips", "Enter", "Ctrl+Z", "Ctrl+Z", "Ctrl+Z"} << QStringList{zero} << 12;
        QTest::newRow("Delete in the empty box") << QStringList{"cola", "Enter", "Backspace", "Delete"} << QStringList{zero} << 12;
        QTest::newRow("Delete in the box's text") << QStringList{"cola", "Enter", "Delete"} << QStringList{zero, "1xCola"} << 11;
        QTest::newRow("Delete on an older item") << QStringList{"cola", "Enter", "Delete on the tab's 0"} << QStringList{"1xCola"} << 11;
        // clang-format on
    }
    void keysPutOnAndTakeOff()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, tab);
        QFETCH(int, stock);
        start();
        QVERIFY(board().sell(0, QStringLiteral("Cola Zero"), 1));
        SellWindow* sell = openOn(0);
        QVERIFY(sell);
        QTRY_VERIFY(sell->filter->hasFocus()); // the window takes the keyboard
        for (const QString& step : steps)
            act(*sell, step);
        QCOMPARE(tabOf(0), tab);
        QCOMPARE(colaStock(), stock);
        QVERIFY(sell->isVisible());
    }

    void staysWithItsStation()
    {
        start();
        SellWindow* sell = openOn(2);
        QVERIFY(sell);
        QCOMPARE(sell->windowTitle(), QStringLiteral("Sell: PC 3"));
        board().removeStation(0); // a row above it goes
        op::clickRow(m_form->Namelist, 0);
        QTest::keyClicks(sell->filter, QStringLiteral("cola"));
        QTest::keyClick(sell->filter, Qt::Key_Return);
        QCOMPARE(tabOf(1), QStringList{"1xCola"});
        QCOMPARE(tabOf(0), QStringList());
        QCOMPARE(sell->windowTitle(), QStringLiteral("Sell: PC 3"));
        // Opened for another station, it forgets what it put on the first one.
        QCOMPARE(openOn(0), sell);
        QCOMPARE(sell->windowTitle(), QStringLiteral("Sell: PC 2"));
        QTest::keyClick(sell->filter, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(tabOf(1), QStringList{"1xCola"});
        // Escape gives the keyboard back to the board.
        QTest::keyClick(sell->filter, Qt::Key_Escape);
        QVERIFY(!sell->isVisible());
        QTRY_VERIFY(m_form->Namelist->hasFocus());
    }

    void soldAtTheCounter()
    {
        start();
        SellWindow* sell = openOn(1, Qt::ShiftModifier);
        QVERIFY(sell);
        QCOMPARE(QStringList({sell->windowTitle(), QString::number(sell->station())}),
                 QStringList({"Sell: counter", "0"}));
        const QSignalSpy receipt(sell, &SellWindow::receiptRequested);
        for (const char* step : {"2*cola", "Enter", "chips", "Enter", "Ctrl+Z", "F6"})
            act(*sell, QLatin1String(step));
        QCOMPARE(itemsOf(board().till().counter()), QStringList{"2xCola"});
        QCOMPARE(tabOf(1), QStringList());
        QCOMPARE(colaStock(), 10);
        QCOMPARE(receipt.size(), 1);
        QCOMPARE(receipt.front().front().value<StationId>(), StationId(0));
        // Closed and opened again: the next customer, and the Colas stay sold.
        QTest::keyClick(sell->filter, Qt::Key_Escape);
        QCOMPARE(openOn(1, Qt::ShiftModifier), sell);
        QTest::keyClick(sell->filter, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(itemsOf(board().till().counter()), QStringList());
        QCOMPARE(colaStock(), 10);
    }

    void saysWhatTheDiskRefused()
    {
        start();
        SellWindow* sell = openOn(0);
        QVERIFY(sell);
        auto* notSaved = sell->findChild<QLabel*>(QStringLiteral("notSaved"));
        // The disk refuses the ledger: its month file is a folder now.
        const QString month = m_folder->names().filter(QStringLiteral("tallivor-ledger-")).value(0);
        QDir folder(m_folder->path());
        QVERIFY(folder.rename(month, "aside") && folder.mkdir(month));
        QTest::keyClicks(sell->filter, QStringLiteral("cola"));
        QTest::keyClick(sell->filter, Qt::Key_Return);
        QVERIFY(notSaved->isVisible());
        QVERIFY(folder.rmdir(month) && folder.rename("aside", month));
        board().persist();
        QVERIFY(!notSaved->isVisible());
        QCOMPARE(tabOf(0), QStringList{"1xCola"});
    }

    void speaksTheLanguageInForce()
    {
        start();
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        SellWindow* sell = openOn(0);
        QVERIFY(sell && board().applySettings(QStringLiteral("10"), QStringLiteral("Italian.xml")));
        const QModelIndex cola = sell->products->model()->index(0, 0);
        QCOMPARE(QStringList({sell->windowTitle(), cola.data(Qt::AccessibleTextRole).toString()}),
                 QStringList({"Vendi: PC 1", "Cola, 1.5, ne restano 12"}));
    }

    void tillKeysOpenOneWindowEach()
    {
        start({}); // no products yet: the sell window offers the products list
        SellWindow* sell = openOn(0);
        QVERIFY(sell);
        auto* offer = sell->findChild<LabelButton*>(QStringLiteral("noProducts"));
        QVERIFY(offer && offer->isVisible());
        op::click(offer);
        ProductsWindow* products = m_form->form().products();
        QVERIFY(products->isVisible());
        QTest::keyClick(m_form->Namelist, Qt::Key_F8);
        QCOMPARE(m_form->form().products(), products);
        QTest::keyClick(m_form->Namelist, Qt::Key_F3);
        QVERIFY(m_form->form().room()->isVisible());
    }
};

QTEST_MAIN(TestSellWindow)
#include "tst_sell_window.moc"
