#include "ui/Receipt.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>

#include <algorithm>

namespace tallivor {
namespace {

constexpr qreal marginMillimetres = 3;

// The pixels per inch of the document's layout: QTextDocument::print() scales from the screen's to the printer's.
qreal layoutDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96;
}

// A page as wide as the roll and as long as the document laid out on it.
void fitToRoll(QPrinter& printer, QTextDocument& document, int rollMillimetres)
{
    const qreal dpi = layoutDpi();
    const qreal width = rollMillimetres - 2 * marginMillimetres;
    document.setTextWidth(width / 25.4 * dpi);
    const qreal length = document.size().height() / dpi * 25.4 + 2 * marginMillimetres + 1;
    printer.setPageSize(
        QPageSize(QSizeF(rollMillimetres, length), QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    printer.setPageMargins(QMarginsF(marginMillimetres, marginMillimetres, marginMillimetres, marginMillimetres),
                           QPageLayout::Millimeter);
}

void printOn(QPrinter& printer, QTextDocument& document)
{
    // Laid out on the page's printable part itself: a document without a page size gets margins of 2 cm and page
    // numbers, which a roll of 58 mm has no room for.
    document.setPageSize(printer.pageLayout().paintRect(QPageLayout::Inch).size() * layoutDpi());
    document.print(&printer);
}

QString freeName(const QString& folder, const QString& base)
{
    QString name = base + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(QDir(folder).filePath(name)); ++n)
        name = QStringLiteral("%1-%2.pdf").arg(base).arg(n);
    return name;
}

} // namespace

std::unique_ptr<QTextDocument> receiptDocument(const Bill& bill, const QString& number, const ReceiptContext& context)
{
    const KeyedTexts& texts = context.texts;
    const auto money = [&](const Money& amount) {
        return context.unit.isEmpty() ? amount.text() : amount.text() + QLatin1Char(' ') + context.unit;
    };
    DocumentBuilder page(texts[KeyedText::Report].isRightToLeft());
    const QString name = context.room.value(RoomSettings::Key::ReceiptName);
    if (!name.isEmpty())
        page.heading(name, 3);
    const QString address = context.room.value(RoomSettings::Key::ReceiptAddress);
    if (!address.isEmpty())
        page.paragraph(address);
    QStringList heading{bill.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"))};
    if (!number.isEmpty())
        heading << texts[KeyedText::ReceiptNumber].arg(number);
    heading << texts[KeyedText::ReceiptStation].arg(bill.station.isEmpty() ? texts[KeyedText::SellCounter]
                                                                           : bill.station);
    page.paragraph(heading.join(u'\n'));
    std::vector<QStringList> rows;
    if (!bill.spent.isEmpty())
        rows.push_back({texts[KeyedText::BillTime].arg(bill.spent), QString(), money(Money::ofText(bill.timeCharge))});
    for (const TabItem& item : bill.items)
        rows.push_back({item.product, QString::number(item.quantity), money(item.amount)});
    if (bill.items.empty() && bill.itemsTotal)
        rows.push_back({texts[KeyedText::ReportItems], QString(), money(*bill.itemsTotal)});
    page.table({texts[KeyedText::ReportItems], texts[KeyedText::ReportQuantity], texts[KeyedText::Amount]}, rows);
    page.paragraph(texts[KeyedText::BillTotal] + QStringLiteral(": ") + money(bill.total), true);
    const QString closing = context.room.value(RoomSettings::Key::ReceiptClosing);
    if (!closing.isEmpty())
        page.paragraph(closing);
    return page.document();
}

Printed printReceipt(const Bill& bill, const QString& number, const ReceiptContext& context, const QString& folder)
{
    const std::unique_ptr<QTextDocument> document = receiptDocument(bill, number, context);
    const int roll = context.room.value(RoomSettings::Key::ReceiptWidth).toInt();
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    if (printers.isEmpty()) {
        // A bill line that still waits for the disk has no check yet, and its receipt no number.
        const QString name = freeName(folder, number.isEmpty() ? QStringLiteral("tallivor-receipt")
                                                               : QStringLiteral("tallivor-receipt-") + number);
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(QDir(folder).filePath(name));
        fitToRoll(pdf, *document, roll);
        printOn(pdf, *document);
        return {name};
    }
    const QString wanted = context.room.value(RoomSettings::Key::ReceiptPrinter);
    const auto receiptPrinter = std::find_if(printers.begin(), printers.end(), [&](const QPrinterInfo& printer) {
        return !wanted.isEmpty() && printer.printerName() == wanted;
    });
    if (receiptPrinter != printers.end()) {
        QPrinter printer(*receiptPrinter, QPrinter::HighResolution);
        fitToRoll(printer, *document, roll);
        printOn(printer, *document);
    } else {
        const QPrinterInfo fallback = QPrinterInfo::defaultPrinter();
        QPrinter printer(fallback.isNull() ? printers.first() : fallback, QPrinter::HighResolution);
        printOn(printer, *document);
    }
    return {};
}

} // namespace tallivor
