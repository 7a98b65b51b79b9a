#include "window/StationRows.h"

#include "lang/KeyedTexts.h"
#include "rules/TimeText.h"

#include <QAbstractItemView>
#include <QPainter>

#include <algorithm>

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

StationRows::StationRows(const Board& board, Column column, std::function<bool()> blinkOn, QObject* parent)
    : QStyledItemDelegate(parent), m_board(board), m_column(column), m_blinkOn(std::move(blinkOn))
{}

QString StationRows::besideText(int row) const
{
    // Beside the charge, what the tab adds to it, written as the board writes a charge ("+4.5").
    if (m_column == Column::Charge) {
        const Tab& tab = m_board.table()[row].record.tab;
        return tab.isEmpty() ? QString() : QLatin1Char('+') + tab.total().chargeText();
    }
    const std::optional<qint64> left = m_board.table().remainingSeconds(row);
    if (!left)
        return {};
    const KeyedTexts& texts = m_board.language().texts();
    // Beside the time spent, what is left ("-12:26") or how far past the paid end it is ("+1:32"): the column is
    // narrow.
    if (m_column == Column::Spent)
        return (*left > 0 ? QStringLiteral("\u2212") : QStringLiteral("+")) + minutesAndSeconds(*left);
    if (m_column != Column::Name)
        return {};
    if (*left <= 0)
        return texts[KeyedText::PaidDue];
    if (!m_board.isRunning(row))
        return texts[KeyedText::PaidPaused];
    // The clock counts a running station's seconds as they pass: its paid end is that many seconds from now.
    return texts[KeyedText::PaidEnds].arg(m_board.ledger().now().addSecs(*left).toString(QStringLiteral("HH:mm")));
}

QString StationRows::spokenState(const Board& board, int row)
{
    const KeyedTexts& texts = board.language().texts();
    QStringList spoken;
    if (const std::optional<qint64> left = board.table().remainingSeconds(row)) {
        if (*left > 0)
            spoken << texts[KeyedText::PaidLeft].arg(minutesAndSeconds(*left));
        else
            spoken << texts[KeyedText::PaidDue] << texts[KeyedText::PaidOver].arg(minutesAndSeconds(*left));
    }
    if (board.table().isRow(row) && !board.table()[row].record.tab.isEmpty())
        spoken << texts[KeyedText::TabSpoken].arg(board.table()[row].record.tab.total().chargeText());
    return spoken.join(QLatin1String(", "));
}

void StationRows::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const int row = index.row();
    const PaidState state = m_board.table().paidState(row);
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
        painter->fillRect(item.rect, fill);
        item.palette.setColor(QPalette::Text, state == PaidState::Soon ? QColor(Qt::black) : QColor(Qt::white));
    }
    const QString beside = besideText(row);
    if (beside.isEmpty()) {
        QStyledItemDelegate::paint(painter, item, index);
        return;
    }
    // The board's lists overlap, each partly under its right-hand neighbour: the words beside go where the row is
    // still in sight. The window's layout is fixed, so that is measured once.
    if (m_shownRight < 0) {
        if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget)) {
            const QRegion visible = view->viewport()->visibleRegion();
            m_shownRight = visible.isEmpty() ? view->viewport()->width() - 1 : visible.boundingRect().right();
        }
    }
    QRect shown = item.rect;
    if (m_shownRight >= 0)
        shown.setRight(std::min(shown.right(), m_shownRight));
    // The words beside go right, a little smaller; the row's own text keeps the rest and is elided when it must.
    if (!m_small || m_smallOf != item.font) {
        // The board's fonts may be sized in pixels rather than points.
        QFont small = item.font;
        if (item.font.pointSizeF() > 0)
            small.setPointSizeF(item.font.pointSizeF() * 0.72);
        else
            small.setPixelSize(std::max(1, qRound(item.font.pixelSize() * 0.72)));
        m_small.emplace(small);
        m_smallOf = item.font;
    }
    const QFontMetrics& smallMetrics = *m_small;
    const int margin = 3;
    const int besideWidth = smallMetrics.horizontalAdvance(beside) + 2 * margin;
    const QRect textRect = shown.adjusted(0, 0, -besideWidth, 0);
    item.text = item.fontMetrics.elidedText(item.text, Qt::ElideRight, std::max(0, textRect.width() - 2 * margin));
    QStyledItemDelegate::paint(painter, item, index);
    painter->save();
    painter->setFont(m_small->font());
    painter->setPen(selected ? item.palette.color(QPalette::HighlightedText) : item.palette.color(QPalette::Text));
    painter->drawText(shown.adjusted(margin, 0, -margin, 0), Qt::AlignRight | Qt::AlignVCenter, beside);
    painter->restore();
}

} // namespace tallivor
