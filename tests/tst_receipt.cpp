// The bill and its receipt: the receipt as a document (the room's lines, the bill, the closing line the room chose,
// mirrored in Persian), the PDF it becomes where there is no printer (none under the offscreen platform); the bill
// window beside a real board, which leaves the keyboard with the board and shows each new bill; F6, its button and the
// report's Receipt again, by the number of an earlier bill.
#include "BoardTest.h"
#include "Operator.h"
#include "board/Board.h"
#include "dialogs/BillWindow.h"
#include "lang/LanguageFile.h"
#include "report/ReportWindow.h"
#include "ui/Receipt.h"
#include "window/Form1.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTextDocument>
#include <QTextOption>
#include <QWindow>
#include <QtTest>

using namespace tallivor;

namespace {

const QString products = QStringLiteral("tallivor-products.csv");

QString plainText(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

Bill colaBill()
{
    return {QStringLiteral("PC 3"),
            QStringLiteral("42:17"),
            QStringLiteral("420"),
            {{QStringLiteral("Cola"), 2, Money::ofText(u"1.5"), Money::whole(3), {}, 0}},
            Money::whole(3),
            Money::whole(423),
            QDateTime(QDate(2026, 12, 7), QTime(14, 3), Qt::LocalTime),
            0};
}

} // namespace

class TestReceipt : public BoardTest
{
    Q_OBJECT

private Q_SLOTS:
    void theReceiptSaysWhatThePaperNeeds_data()
    {
        QTest::addColumn<QString>("closing");
        QTest::addColumn<QString>("last");
        QTest::newRow("by default") << QString() << "Not a fiscal receipt";
        QTest::newRow("the room's own") << "Thank you"
                                        << "Thank you";
        QTest::newRow("none") << ""
                              << "Total: 423 $";
    }

    void theReceiptSaysWhatThePaperNeeds()
    {
        QFETCH(QString, closing);
        QFETCH(QString, last);
        RoomSettings room(m_folder->path());
        room.set(RoomSettings::Key::ReceiptName, QStringLiteral("Net Café"));
        room.set(RoomSettings::Key::ReceiptAddress, QStringLiteral("Via Roma 1\n00100 Roma"));
        if (!closing.isNull())
            room.set(RoomSettings::Key::ReceiptClosing, closing);
        const KeyedTexts texts;
        const QString text =
            receiptDocument(colaBill(), QStringLiteral("31a099b7bd78685e"), {room, texts, QStringLiteral("$")})
                ->toPlainText();
        const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.mid(0, 5),
                 QStringList({"Net Café", "Via Roma 1", "00100 Roma", "2026-12-07 14:03", "Receipt 31a099b7bd78685e"}));
        for (const char* part : {"Station PC 3", "Time 42:17", "420 $", "Cola", "3 $"})
            QVERIFY2(lines.contains(QLatin1String(part)), part);
        QCOMPARE(lines.last(), last);
    }

    void aReceiptWithoutAPrinterIsAPdfBesideTheProgram()
    {
        QVERIFY(QPrinterInfo::availablePrinters().isEmpty());
        // Persian: a mirrored receipt, in a PDF named after its number; a second print of it gets a name of its own.
        m_folder->copyLanguage(QStringLiteral("Persian.xml"));
        const QString file = QString::fromUtf8(m_folder->read(QStringLiteral("Persian.xml"))).remove(u'\uFEFF');
        const KeyedTexts persian(parseLanguageFile(file).keyed);
        RoomSettings room(m_folder->path());
        const ReceiptContext context{room, persian, QString()};
        QVERIFY(receiptDocument(colaBill(), QStringLiteral("31a099b7bd78685e"), context)
                    ->defaultTextOption()
                    .textDirection() == Qt::RightToLeft);
        const Printed first = printReceipt(colaBill(), QStringLiteral("31a099b7bd78685e"), context, m_folder->path());
        const Printed second = printReceipt(colaBill(), QStringLiteral("31a099b7bd78685e"), context, m_folder->path());
        QCOMPARE(first.pdfName, QStringLiteral("tallivor-receipt-31a099b7bd78685e.pdf"));
        QCOMPARE(second.pdfName, QStringLiteral("tallivor-receipt-31a099b7bd78685e-2.pdf"));
        QVERIFY(m_folder->read(first.pdfName).startsWith("%PDF"));
    }

    void theBillStaysInSightAndItsReceiptPrints()
    {
        m_folder->write(products, "\xEF\xBB\xBFproduct,price,stock,code\r\nCola,1.5,12,501\r\n");
        m_form = startShown(*m_folder, m_platform, englishBoard({"Stop,PC 3,42:17,420", "Stop,PC 4,1:0,10"}));
        Board& board = m_form->board();
        QWidget* keyboard = QApplication::focusWidget();
        QVERIFY(keyboard);
        QVERIFY(board.sell(0, QStringLiteral("Cola"), 2));
        board.billStation(0);
        BillWindow* bill = m_form->form().billWindow();
        QVERIFY(bill && bill->isVisible());
        QCOMPARE(bill->windowTitle(), QStringLiteral("Bill: PC 3"));
        const auto shown = [bill] { return plainText(bill->findChild<QLabel*>(QStringLiteral("billLines"))->text()); };
        QCOMPARE(shown().split(u'\n', Qt::SkipEmptyParts),
                 QStringList({"Time 42:17", "420 $", "2 \u00D7 Cola", "3 $", "Total", "423 $"}));
        // The board keeps the keyboard: the desktop's platforms are told not to activate the window (the offscreen one
        // activates every window it shows).
        QCOMPARE(QApplication::focusWidget(), keyboard);
        QVERIFY(bill->windowHandle()->property("_q_showWithoutActivating").toBool());
        // F6 on the board: the last bill's receipt, numbered by its bill line's check.
        const QString check = QString::fromLatin1(board.ledger().checkOf(board.lastBill().line));
        QVERIFY(!check.isEmpty());
        op::press(Qt::Key_F6);
        const QString pdf = QStringLiteral("tallivor-receipt-%1.pdf").arg(check);
        QVERIFY(QFileInfo::exists(m_folder->filePath(pdf)));
        QCOMPARE(bill->findChild<QLabel*>(QStringLiteral("billPrinted"))->text(),
                 QStringLiteral("No printer: the receipt is saved as ") + pdf);
        // The next bill takes its place in the same window.
        board.billStation(1);
        QCOMPARE(m_form->form().billWindow(), bill);
        QCOMPARE(bill->windowTitle(), QStringLiteral("Bill: PC 4"));
        QCOMPARE(shown().split(u'\n', Qt::SkipEmptyParts), QStringList({"Time 1:0", "10 $", "Total", "10 $"}));
        QVERIFY(bill->findChild<QLabel*>(QStringLiteral("billPrinted"))->text().isEmpty());
        bill->findChild<QPushButton*>(QStringLiteral("printReceipt"))->click();
        QVERIFY(QFileInfo::exists(m_folder->filePath(
            QStringLiteral("tallivor-receipt-%1.pdf").arg(board.ledger().checkOf(board.lastBill().line)))));
        // The report prints the first bill's receipt again by its number, and says when no bill has the number.
        op::click(m_form->btn(Button::Report));
        ReportWindow* report = m_form->form().report();
        auto* number = report->findChild<QLineEdit*>(QStringLiteral("receiptNumber"));
        const auto again = [&](const QString& typed) {
            number->setText(typed);
            op::click(report->btn(ReportButton::Receipt));
            return report->findChild<Label*>(QStringLiteral("message"))->text();
        };
        QCOMPARE(again(check),
                 QStringLiteral("No printer: the receipt is saved as tallivor-receipt-%1-2.pdf").arg(check));
        QVERIFY(m_folder->read(QStringLiteral("tallivor-receipt-%1-2.pdf").arg(check)).startsWith("%PDF"));
        QCOMPARE(again(QStringLiteral("0123456789abcdef")),
                 QStringLiteral("No bill has the receipt number 0123456789abcdef"));
        // In another language the window says the bill in its words.
        m_folder->copyLanguage(QStringLiteral("Italian.xml"));
        QVERIFY(board.applySettings(QStringLiteral("10"), QStringLiteral("Italian.xml")));
        QCOMPARE(bill->windowTitle(), QStringLiteral("Conto: PC 4"));
    }

    void theCounterCustomerGetsAReceipt()
    {
        m_folder->write(products, "\xEF\xBB\xBFproduct,price,stock,code\r\nCola,1.5,12,501\r\nChips,2,,\r\n");
        m_form = startShown(*m_folder, m_platform, englishBoard({"Stop,PC 3,42:17,420"}));
        Board& board = m_form->board();
        QCOMPARE(m_form->form().printReceipt(0), QString()); // nothing sold: no receipt
        QVERIFY(board.sell(-1, QStringLiteral("Cola"), 2) && board.sell(-1, QStringLiteral("Chips"), 1));
        // Numbered by its last sale line, which no other receipt carries.
        const QString pdf =
            QStringLiteral("tallivor-receipt-%1.pdf").arg(QString::fromLatin1(board.till().counter().items()[1].sale));
        QCOMPARE(m_form->form().printReceipt(0), QStringLiteral("No printer: the receipt is saved as ") + pdf);
        QVERIFY(m_folder->read(pdf).startsWith("%PDF"));
        // A station's customer gets its last bill's receipt, and only that.
        QCOMPARE(m_form->form().printReceipt(board.table().idOf(0)), QString());
        board.billStation(0);
        QVERIFY(
            m_form->form()
                .printReceipt(board.table().idOf(0))
                .endsWith(QString::fromLatin1(board.ledger().checkOf(board.lastBill().line)) + QStringLiteral(".pdf")));
    }
};

QTEST_MAIN(TestReceipt)
#include "tst_receipt.moc"
