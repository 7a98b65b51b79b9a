// The receipt as a document (the room's lines, the bill, the closing line the room chose, mirrored in Persian), and
// the PDF it becomes where there is no printer (none under the offscreen platform).
#include "BoardTest.h"
#include "lang/LanguageFile.h"
#include "ui/Receipt.h"

#include <QPrinterInfo>
#include <QTextDocument>
#include <QTextOption>
#include <QtTest>

using namespace tallivor;

namespace {

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
};

QTEST_MAIN(TestReceipt)
#include "tst_receipt.moc"
