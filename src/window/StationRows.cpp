#include "window/StationRows.h"

#include "lang/KeyedTexts.h"
#include "rules/TimeText.h"

#include <QPainter>

namespace tallivor {
namespace {

constexpr QRgb soonColour = 0xFFC000; // amber
constexpr QRgb dueColour = 0xD81E1E;  // red
constexpr QRgb dueBlinkColour = 0x7A1010;

QString minutesAndSeconds(qint64 seconds)
{
    return timeOfSeconds(double(seconds < 0 ? -seconds : seconds));
}

} // namespace

StationRows::StationRows(const Board& board, Column column, const KeyedTexts& texts, std::function<bool()> blinkOn,
                         std::function<QDateTime()> now, QObject* parent)
    : QStyledItemDelegate(parent), m_board(board), m_column(column), m_texts(texts), m_blinkOn(std::move(blinkOn)),
      m_now(std::move(now))
{
}

QString StationRows::besideText(int row) const
{
    const std::optional<qint64> left = m_board.remainingSeconds(row);
    if (!left)
        return {};
    if (m_column == Column::Time)
        return m_texts[*left > 0 ? KeyedText::PaidLeft : KeyedText::PaidOver].arg(minutesAndSeconds(*left));
    if (m_column != Column::Name)
        return {};
    if (!m_board.isRunning(row))
        return m_texts[KeyedText::PaidPaused];
    // The clock counts a running station's seconds as they pass: its paid end is that many seconds from now.
    return m_texts[KeyedText::PaidEnds].arg(m_now().addSecs(*left).toString(QStringLiteral("HH:mm")));
}

QString StationRows::spokenState(const Board& board, int row, const KeyedTexts& texts)
{
    const std::optional<qint64> left = board.remainingSeconds(row);
    if (!left)
        return {};
    return *left > 0 ? texts[KeyedText::PaidLeft].arg(minutesAndSeconds(*left)) : texts[KeyedText::PaidDue];
}

void StationRows::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int row = index.row();
    const PaidState state = m_board.paidState(row);
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    QColor fill;
    if (state == PaidState::Soon)
        fill = QColor(soonColour);
    else if (state == PaidState::Acknowledged || (state == PaidState::Due && m_blinkOn()))
        fill = QColor(dueColour);
    else if (state == PaidState::Due)
        fill = QColor(dueBlinkColour);
    const bool selected = item.state & QStyle::State_Selected;
    if (fill.isValid() && !selected) {
        item.backgroundBrush = fill;
        item.palette.setColor(QPalette::Text, state == PaidState::Soon ? QColor(Qt::black) : QColor(Qt::white));
    }
    const QString beside = besideText(row);
    if (beside.isEmpty()) {
        QStyledItemDelegate::paint(painter, item, index);
        return;
    }
    // The words beside go right, a little smaller; the row's own text keeps the rest and is elided when it must.
    QFont small = item.font;
    small.setPointSizeF(item.font.pointSizeF() * 0.72);
    const QFontMetrics smallMetrics(small);
    const int margin = 3;
    const int besideWidth = smallMetrics.horizontalAdvance(beside) + 2 * margin;
    const QRect textRect = item.rect.adjusted(0, 0, -besideWidth, 0);
    item.text = item.fontMetrics.elidedText(item.text, Qt::ElideRight, std::max(0, textRect.width() - 2 * margin));
    QStyledItemDelegate::paint(painter, item, index);
    painter->save();
    painter->setFont(small);
    painter->setPen(selected ? item.palette.color(QPalette::HighlightedText) : item.palette.color(QPalette::Text));
    painter->drawText(item.rect.adjusted(margin, 0, -margin, 0), Qt::AlignRight | Qt::AlignVCenter, beside);
    painter->restore();
}

} // namespace tallivor
