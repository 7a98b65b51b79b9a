// The products window and the room's settings window on a real Board without the main window: each change the
// operator makes reaches the ledger as its line, or is refused with the box that caused it light yellow and nothing
// written; the lines of the file that are no product are listed; a foreign file is left alone.
#include "Operator.h"
#include "ProgramFolder.h"
#include "board/Board.h"
#include "dialogs/ProductsWindow.h"
#include "dialogs/RoomWindow.h"
#include "ledger/LedgerReader.h"
#include "ui/TextBox.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTableWidget>
#include <QtTest>

using namespace tallivor;

namespace {

const QString shopHeading = QStringLiteral("product,price,stock,code,reorder");

} // namespace

class TestProductsWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<ProgramFolder> m_folder;
    FakeClocks m_clocks;
    std::unique_ptr<Board> m_board;
    std::unique_ptr<QWidget> m_owner;

    void start(const QStringList& productsFile)
    {
        if (!productsFile.isEmpty())
            m_folder->write(QStringLiteral("tallivor-products.csv"),
                            "\xEF\xBB\xBF" + productsFile.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        m_board = m_folder->startBoard(m_clocks, englishBoard({}));
    }
    ProductsWindow* openProducts(const QStringList& productsFile)
    {
        start(productsFile);
        auto* window = new ProductsWindow(*m_board, *m_owner);
        window->open();
        return window;
    }
    // The details of the month's lines of one kind.
    QStringList lines(LedgerEvent event) const
    {
        QStringList details;
        std::vector<FileFinding> findings;
        readMonthFile(
            m_folder->path(), QStringLiteral("tallivor-ledger-2026-12.csv"), [](QByteArrayView) { return true; },
            [&](LedgerRecord&& record) {
                if (record.event == event)
                    details << record.entry.detail;
            },
            findings);
        return details;
    }
    // The table as shown, a row "name|price|stock|code|reorder", the selected one marked "*".
    static QStringList rows(const ProductsWindow& window)
    {
        QStringList shown;
        for (int row = 0; row < window.table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < window.table->columnCount(); ++column)
                cells << window.table->item(row, column)->text();
            shown << (row == window.selected() ? "*" : "") + cells.join(u'|');
        }
        return shown;
    }

private Q_SLOTS:
    void init()
    {
        m_folder =
            std::make_unique<ProgramFolder>(QStringList{QStringLiteral("English.xml"), QStringLiteral("Italian.xml")});
        m_clocks.clock = QDateTime(QDate(2026, 12, 7), QTime(14, 0));
        m_owner = std::make_unique<QWidget>();
    }
    void cleanup()
    {
        m_owner.reset(); // and the windows it owns, before their board
        m_board.reset();
        m_folder.reset();
    }

    void eachChangeWritesItsLineOrIsRefused_data()
    {
        QTest::addColumn<int>("select");          // the product selected first; -1: none
        QTest::addColumn<QStringList>("typed");   // name, price, stock, code, reorder, delivered; null: as filled
        QTest::addColumn<QString>("command");     // a caption clicked, or a key
        QTest::addColumn<QStringList>("written"); // the product lines
        QTest::addColumn<QString>("refused");     // the light yellow box; empty for none
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("shown"); // the table afterwards
        const QString n;
        const QStringList both{"*Tea|2.50|10|T1|3", "Cake|4|||"};
        // clang-format off
        QTest::newRow("add at the end") << 0 << QStringList{"Cola", "1.5", "20", "C9", "5", n} << "Add" << QStringList{"product=Cola; change=added; value=20; before=; stock=20"} << "" << "" << QStringList{"Tea|2.50|10|T1|3", "Cake|4|||", "*Cola|1.5|20|C9|5"};
        QTest::newRow("Enter adds while none is selected") << -1 << QStringList{"Pie", "3", "", "", "", n} << "Enter" << QStringList{"product=Pie; change=added; value=; before="} << "" << "" << QStringList{"Tea|2.50|10|T1|3", "Cake|4|||", "*Pie|3|||"};
        QTest::newRow("add refused: a name listed") << 0 << QStringList{n, n, n, "T7", n, n} << "Add" << QStringList{} << "nameBox" << "Refused: a product of that name is listed above" << both;
        QTest::newRow("add refused: no price") << -1 << QStringList{"Pie", ".", "", "", "", n} << "Add" << QStringList{} << "priceBox" << "Refused: the price is no price" << QStringList{"Tea|2.50|10|T1|3", "Cake|4|||"};
        QTest::newRow("rename") << 0 << QStringList{"Green tea", n, n, n, n, n} << "Save" << QStringList{"product=Green tea; change=name; value=Green tea; before=Tea"} << "" << "" << QStringList{"*Green tea|2.50|10|T1|3", "Cake|4|||"};
        QTest::newRow("reprice") << 0 << QStringList{n, "3", n, n, n, n} << "Save" << QStringList{"product=Tea; change=price; value=3; before=2.50"} << "" << "" << QStringList{"*Tea|3|10|T1|3", "Cake|4|||"};
        QTest::newRow("count") << 0 << QStringList{n, n, "7", n, n, n} << "Save" << QStringList{"product=Tea; change=count; value=7; before=10; stock=7"} << "" << "" << QStringList{"*Tea|2.50|7|T1|3", "Cake|4|||"};
        QTest::newRow("code") << 1 << QStringList{n, n, n, "K1", n, n} << "Save" << QStringList{"product=Cake; change=code; value=K1; before="} << "" << "" << QStringList{"Tea|2.50|10|T1|3", "*Cake|4||K1|"};
        QTest::newRow("reorder emptied") << 0 << QStringList{n, n, n, n, "", n} << "Save" << QStringList{"product=Tea; change=reorder; value=; before=3"} << "" << "" << QStringList{"*Tea|2.50|10|T1|", "Cake|4|||"};
        QTest::newRow("Enter saves each change in turn") << 0 << QStringList{"Chai", "2.6", n, n, n, n} << "Enter" << QStringList{"product=Chai; change=name; value=Chai; before=Tea", "product=Chai; change=price; value=2.6; before=2.50"} << "" << "" << QStringList{"*Chai|2.6|10|T1|3", "Cake|4|||"};
        QTest::newRow("a refusal in the third box applies none") << 0 << QStringList{"Chai", "3", "many", n, n, n} << "Save" << QStringList{} << "stockBox" << "Refused: a count is not a whole number from -99999 to 99999" << both;
        QTest::newRow("a code another has") << 1 << QStringList{n, n, n, "T1", n, n} << "Save" << QStringList{} << "codeBox" << "Refused: another product has that code" << QStringList{"Tea|2.50|10|T1|3", "*Cake|4|||"};
        QTest::newRow("delivered") << 0 << QStringList{n, n, n, n, n, "5"} << "Delivered" << QStringList{"product=Tea; change=delivery; value=5; before=10; stock=15"} << "" << "" << QStringList{"*Tea|2.50|15|T1|3", "Cake|4|||"};
        QTest::newRow("Enter in the delivery box delivers") << 0 << QStringList{"Chai", n, n, n, n, "2"} << "Enter delivered" << QStringList{"product=Tea; change=delivery; value=2; before=10; stock=12"} << "" << "" << QStringList{"*Tea|2.50|12|T1|3", "Cake|4|||"};
        QTest::newRow("a delivery of an uncounted product") << 1 << QStringList{n, n, n, n, n, "5"} << "Delivered" << QStringList{} << "deliveredBox" << "Refused: the stock of this product is not counted" << QStringList{"Tea|2.50|10|T1|3", "*Cake|4|||"};
        QTest::newRow("a delivery past the limit") << 0 << QStringList{n, n, n, n, n, "99990"} << "Delivered" << QStringList{} << "deliveredBox" << "Refused: the stock would go past 99999" << both;
        QTest::newRow("Up") << 1 << QStringList{} << "Up" << QStringList{"product=Cake; change=place; value=0; before=1"} << "" << "" << QStringList{"*Cake|4|||", "Tea|2.50|10|T1|3"};
        QTest::newRow("Ctrl+Down") << 0 << QStringList{} << "Ctrl+Down" << QStringList{"product=Tea; change=place; value=1; before=0"} << "" << "" << QStringList{"Cake|4|||", "*Tea|2.50|10|T1|3"};
        QTest::newRow("Ctrl+Up at the top: nothing") << 0 << QStringList{} << "Ctrl+Up" << QStringList{} << "" << "" << both;
        // clang-format on
    }
    void eachChangeWritesItsLineOrIsRefused()
    {
        QFETCH(int, select);
        QFETCH(QStringList, typed);
        QFETCH(QString, command);
        QFETCH(QStringList, written);
        QFETCH(QString, refused);
        QFETCH(QString, message);
        QFETCH(QStringList, shown);
        ProductsWindow* window = openProducts({shopHeading, "Tea,2.50,10,T1,3", "Cake,4,,,"});
        const QByteArray file = m_folder->read(QStringLiteral("tallivor-products.csv"));
        if (select < 0)
            QTest::mouseClick(window->table->viewport(), Qt::LeftButton, {}, QPoint(5, 150)); // below the rows
        else
            QTest::mouseClick(window->table->viewport(), Qt::LeftButton, {},
                              window->table->visualRect(window->table->model()->index(select, 0)).center());
        const std::array boxes{window->nameBox, window->priceBox,   window->stockBox,
                               window->codeBox, window->reorderBox, window->deliveredBox};
        for (int i = 0; i < typed.size(); ++i) {
            if (!typed[i].isNull())
                op::retype(boxes[i], typed[i]);
        }
        if (command == QLatin1String("Enter"))
            QTest::keyClick(window->nameBox, Qt::Key_Return);
        else if (command == QLatin1String("Enter delivered"))
            QTest::keyClick(window->deliveredBox, Qt::Key_Return);
        else if (command.startsWith(QLatin1String("Ctrl+")))
            QTest::keyClick(window->table, command.endsWith(u'p') ? Qt::Key_Up : Qt::Key_Down, Qt::ControlModifier);
        else
            op::click(window->btn(
                ProductsButton(QStringList{"Add", "Save", "Remove", "Up", "Down", "Delivered"}.indexOf(command))));
        QCOMPARE(lines(LedgerEvent::Product), written);
        QCOMPARE(rows(*window), shown);
        QCOMPARE(window->message->text(), message);
        for (TextBox* box : boxes)
            QCOMPARE(box->backColor(), box->objectName() == refused ? yellow : white);
        // The file follows the list at once, and a refusal leaves it as it was.
        QCOMPARE(m_folder->read(QStringLiteral("tallivor-products.csv")) == file, written.isEmpty());
    }

    void removeTakesTwoClicks_data()
    {
        QTest::addColumn<QStringList>("steps"); // captions clicked, or keys pressed in the table
        QTest::addColumn<QStringList>("shown");
        const QStringList removed{"*Cake|4|||"}, kept{"*Tea|2.50|10|T1|3", "Cake|4|||"};
        QTest::newRow("two clicks") << QStringList{"Remove", "Remove"} << removed;
        QTest::newRow("one click arms it only") << QStringList{"Remove"} << kept;
        QTest::newRow("a click between disarms it") << QStringList{"Remove", "Save", "Remove"} << kept;
        QTest::newRow("Delete twice") << QStringList{"Delete", "Delete"} << removed;
        QTest::newRow("another key between") << QStringList{"Delete", "Space", "Delete"} << kept;
    }
    void removeTakesTwoClicks()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, shown);
        ProductsWindow* window = openProducts({shopHeading, "Tea,2.50,10,T1,3", "Cake,4,,,"});
        for (const QString& step : steps) {
            if (step == QLatin1String("Remove"))
                op::click(window->btn(ProductsButton::Remove));
            else if (step == QLatin1String("Save"))
                op::click(window->btn(ProductsButton::Save));
            else
                QTest::keyClick(window->table, step == QLatin1String("Delete") ? Qt::Key_Delete : Qt::Key_Space);
        }
        QCOMPARE(rows(*window), shown);
        QCOMPARE(lines(LedgerEvent::Product),
                 shown.size() == 1 ? QStringList{"product=Tea; change=removed; value=; before="} : QStringList{});
        QCOMPARE(window->btn(ProductsButton::Remove)->italic(), shown.size() == 2); // armed by the last step
    }

    void linesNotReadAreListedWithTheirReasons()
    {
        ProductsWindow* window = openProducts({shopHeading, "Tea,2.50,10,,", "bad;name,1,1,,", "Cola,x,1,,",
                                               "Tea,3,1,,", "\"open,1,1,,", "Pie,1,lots,,"});
        QCOMPARE(rows(*window), QStringList{"*Tea|2.50|10||"});
        QStringList listed;
        for (int row = 0; row < window->kept->count(); ++row)
            listed << window->kept->item(row)->text();
        QCOMPARE(listed,
                 QStringList({"Line 3 is kept as it stands: the name is empty or holds a semicolon, an equals sign or "
                              "a control character",
                              "Line 4 is kept as it stands: the price is no price",
                              "Line 5 is kept as it stands: a product of that name is listed above",
                              "Line 6 is kept as it stands: its quoting is broken",
                              "Line 7 is kept as it stands: a count is not a whole number from -99999 to 99999"}));
    }

    void aForeignFileIsLeftAlone()
    {
        const QStringList foreign{"name;cost", "Tea;2"};
        ProductsWindow* window = openProducts(foreign);
        const QByteArray file = m_folder->read(QStringLiteral("tallivor-products.csv"));
        QCOMPARE(window->message->text(), KeyedTexts()[KeyedText::ProductsNotAList]);
        window->nameBox->setText(QStringLiteral("Cola"));
        window->priceBox->setText(QStringLiteral("1"));
        op::click(window->btn(ProductsButton::Add));
        QTest::keyClick(window->nameBox, Qt::Key_Return);
        QVERIFY(!window->nameBox->isEnabled());
        QCOMPARE(window->table->rowCount(), 0);
        QCOMPARE(lines(LedgerEvent::Product), QStringList());
        QCOMPARE(m_folder->read(QStringLiteral("tallivor-products.csv")), file);
    }

    void followsTheLanguageForEyesAndScreenReaders()
    {
        ProductsWindow* window = openProducts({});
        QVERIFY(m_board->applySettings(QStringLiteral("10"), QStringLiteral("Italian.xml")));
        QCOMPARE(QStringList({window->windowTitle(), window->table->accessibleName(),
                              window->priceBox->accessibleName(), window->btn(ProductsButton::Save)->text()}),
                 QStringList({"Prodotti", "Prodotti", "Prezzo", "Salva"}));
    }

    void roomWritesWhatChangedOnly_data()
    {
        QTest::addColumn<QByteArray>("ini");    // tallivor-room.ini before
        QTest::addColumn<QStringList>("typed"); // name, address, last line, width; null: as shown
        QTest::addColumn<int>("key");           // what ends it: Enter, Escape, or 0 for a click on Save
        QTest::addColumn<QStringList>("written");
        const QString n;
        // clang-format off
        QTest::newRow("the name") << QByteArray() << QStringList{"Net Cafe", n, n, n} << 0 << QStringList{"setting=receipt-name; value=Net Cafe; before="};
        QTest::newRow("the last line emptied") << QByteArray() << QStringList{n, n, "", n} << int(Qt::Key_Return) << QStringList{"setting=receipt-closing; value=; before=Not a fiscal receipt"};
        QTest::newRow("address and width") << QByteArray() << QStringList{n, "Via Roma 1\nMilano", n, "58"} << 0 << QStringList{"setting=receipt-address; value=Via Roma 1 Milano; before=", "setting=receipt-width; value=58; before=80"};
        QTest::newRow("nothing changed") << QByteArray() << QStringList{n, n, n, n} << 0 << QStringList{};
        QTest::newRow("a printer gone from the system is kept") << QByteArray("[General]\r\nreceipt-printer=Gone\r\n") << QStringList{n, n, n, "58"} << 0 << QStringList{"setting=receipt-width; value=58; before=80"};
        QTest::newRow("Escape") << QByteArray() << QStringList{"Net Cafe", "Via Roma 1", "", "58"} << int(Qt::Key_Escape) << QStringList{};
        // clang-format on
    }
    void roomWritesWhatChangedOnly()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, typed);
        QFETCH(int, key);
        QFETCH(QStringList, written);
        if (!ini.isEmpty())
            m_folder->write(QStringLiteral("tallivor-room.ini"), ini);
        start({});
        QPointer<RoomWindow> room = new RoomWindow(*m_board, *m_owner);
        room->open();
        QCOMPARE(room->printerBox->itemText(0), QStringLiteral("the default printer"));
        if (!typed[0].isNull())
            op::retype(room->nameBox, typed[0]);
        if (!typed[1].isNull()) {
            room->addressBox->setFocus();
            const QStringList address = typed[1].split(u'\n');
            for (qsizetype line = 0; line < address.size(); ++line) {
                if (line > 0)
                    QTest::keyClick(room->addressBox, Qt::Key_Return); // a new line here, not Save
                QTest::keyClicks(room->addressBox, address[line]);
            }
        }
        if (!typed[2].isNull())
            op::retype(room->closingBox, typed[2]);
        if (!typed[3].isNull())
            room->widthBox->setCurrentText(typed[3]);
        if (key)
            QTest::keyClick(room->nameBox, Qt::Key(key));
        else
            op::click(room->btn[DialogButton::Save]);
        QVERIFY(!room || room->isDiscarded());
        QCOMPARE(lines(LedgerEvent::Setting), written);
        QCOMPARE(m_board->till().room().value(RoomSettings::Key::ReceiptPrinter),
                 ini.isEmpty() ? QString() : QStringLiteral("Gone"));
    }
};

QTEST_MAIN(TestProductsWindow)
#include "tst_products_window.moc"
