#include "dialogs/BillWindow.h"

#include "ui/Layout.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tallivor {

BillWindow::BillWindow(QWidget& board)
    : QWidget(&board, Qt::Tool), m_board(board), m_lines(new QLabel(this)), m_printed(new QLabel(this)),
      m_print(new QPushButton(this))
{
    setObjectName(QStringLiteral("bill"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The operator goes on at the board while the customer reads what to pay.
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_lines->setObjectName(QStringLiteral("billLines"));
    m_lines->setTextFormat(Qt::RichText);
    m_lines->setFont(designFont(tahoma(11)));
    m_printed->setObjectName(QStringLiteral("billPrinted"));
    m_printed->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_print->setObjectName(QStringLiteral("printReceipt"));
    m_print->setFocusPolicy(Qt::NoFocus);
    connect(m_print, &QPushButton::clicked, this, &BillWindow::printRequested);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lines, 1);
    layout->addWidget(m_printed);
    layout->addWidget(m_print, 0, Qt::AlignRight);
}

void BillWindow::showBill(const Bill& bill, const KeyedTexts& texts, const QString& unit)
{
    m_bill = bill;
    m_unit = unit;
    m_printed->clear();
    relabel(texts);
    if (!isVisible()) {
        adjustSize();
        placeBeside(*this, m_board);
    }
    show();
}

void BillWindow::relabel(const KeyedTexts& texts)
{
    m_texts = texts;
    setLayoutDirection(texts[KeyedText::Report].isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    setWindowTitle(
        texts[KeyedText::BillTitle].arg(m_bill.station.isEmpty() ? texts[KeyedText::SellCounter] : m_bill.station));
    m_print->setText(texts[KeyedText::ReceiptPrint]);
    render();
}

void BillWindow::showPrinted(const QString& message)
{
    m_printed->setText(message);
}

void BillWindow::render()
{
    const auto money = [this](const Money& amount) {
        return m_unit.isEmpty() ? amount.text() : amount.text() + QLatin1Char(' ') + m_unit;
    };
    std::vector<std::pair<QString, QString>> rows;
    if (!m_bill.spent.isEmpty())
        rows.emplace_back(m_texts[KeyedText::BillTime].arg(m_bill.spent), money(Money::ofText(m_bill.timeCharge)));
    for (const TabItem& item : m_bill.items)
        rows.emplace_back(QStringLiteral("%1 \u00D7 %2").arg(item.quantity).arg(item.product), money(item.amount));
    rows.emplace_back(m_texts[KeyedText::BillTotal], money(m_bill.total));
    QString html = QStringLiteral("<table cellpadding=\"3\">");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool total = i + 1 == rows.size();
        html += QStringLiteral("<tr><td>%1%2%3</td><td align=\"right\">%1%4%3</td></tr>")
                    .arg(total ? QStringLiteral("<b>") : QString(), rows[i].first.toHtmlEscaped(),
                         total ? QStringLiteral("</b>") : QString(), rows[i].second.toHtmlEscaped());
    }
    m_lines->setText(html + QStringLiteral("</table>"));
}

} // namespace tallivor
