// The main window's bill window and receipts: the last bill kept in sight beside the board, its receipt printed by
// F6 or the window's button, the counter customer's receipt for the sell window, and an earlier bill's receipt again
// for the report.
#include "accounts/Receipts.h"
#include "board/Board.h"
#include "dialogs/BillWindow.h"
#include "report/ReportWindow.h"
#include "ui/Receipt.h"
#include "window/Form1.h"

namespace tallivor {

void Form1::setUpReceipts()
{
    connect(&m_board, &Board::billed, this, &Form1::showBill);
}

BillWindow* Form1::billWindow() const
{
    return m_bill;
}

void Form1::showBill()
{
    if (!m_bill) {
        m_bill = new BillWindow(*this);
        connect(m_bill, &BillWindow::printRequested, this, &Form1::printLastReceipt);
    }
    m_bill->showBill(m_board.lastBill(), m_board.language().texts(), VALUEUNIT->text());
}

QString Form1::printBill(const Bill& bill, const QString& number)
{
    const KeyedTexts& texts = m_board.language().texts();
    const Printed printed = tallivor::printReceipt(bill, number, {m_board.till().room(), texts, VALUEUNIT->text()},
                                                   m_board.programFolder());
    return printed.pdfName.isEmpty() ? texts[KeyedText::ReceiptPrinted]
                                     : texts[KeyedText::ReceiptSaved].arg(printed.pdfName);
}

QString Form1::printLastReceipt()
{
    const Bill& bill = m_board.lastBill();
    if (bill.line == 0)
        return {}; // no bill yet since the start
    const QString said = printBill(bill, QString::fromLatin1(m_board.ledger().checkOf(bill.line)));
    if (m_bill)
        m_bill->showPrinted(said);
    return said;
}

QString Form1::printReceipt(StationId station)
{
    if (station != 0) {
        const int row = m_board.table().rowOf(station);
        const bool last = row >= 0 && m_board.lastBill().station == m_board.text(Column::Name, row);
        return last ? printLastReceipt() : QString();
    }
    const Tab& counter = m_board.till().counter();
    if (counter.isEmpty())
        return {};
    // A counter sale has no bill line: the receipt takes the number of its last sale line.
    const TabItem& last = counter.items().back();
    const QByteArray number = last.sale.isEmpty() ? m_board.ledger().checkOf(last.saleLine) : last.sale;
    const Bill bill{{}, {}, {}, counter.items(), counter.total(), counter.total(), m_board.ledger().now(), 0};
    return printBill(bill, QString::fromLatin1(number));
}

void Form1::printReceiptAgain(const QString& number)
{
    const std::optional<Bill> bill = billOf(m_board.programFolder(), number.toLatin1());
    m_report->showReceiptPrinted(bill ? printBill(*bill, number)
                                      : m_board.language().texts()[KeyedText::ReceiptUnknown].arg(number));
}

} // namespace tallivor
