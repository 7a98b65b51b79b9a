#pragma once

#include "board/Board.h"

#include <QFontMetrics>
#include <QStyledItemDelegate>

#include <functional>
#include <optional>

namespace tallivor {

// How the board's lists draw a station row beside its text, without changing the text: the colour of its paid state
// (amber in the last five minutes, red at the paid end, blinking until acknowledged), and for a paid station the time
// left or over beside the time spent ("-12:26", "+1:32"), and beside the name, which is elided to make room, its paid
// end as a time of day ("ends 21:40"), "paused" or "time is up".
class StationRows : public QStyledItemDelegate
{
    // A font with its metrics, built once: building them for every row drawn is the dearest part of drawing it.
    struct SmallFont : QFontMetrics
    {
        explicit SmallFont(const QFont& font) : QFontMetrics(font), m_font(font) {}
        const QFont& font() const { return m_font; }
        QFont m_font;
    };

    Q_OBJECT
public:
    // column: the list's column of the board. blinkOn: whether a due row shows its red now.
    StationRows(const Board& board, Column column, std::function<bool()> blinkOn, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // What the row adds to the row's text for a screen reader: the time left or over, or that the time is up.
    static QString spokenState(const Board& board, int row);

private:
    // The words drawn beside the row's text; empty for a station without paid time.
    QString besideText(int row) const;

    const Board& m_board;
    const Column m_column;
    std::function<bool()> m_blinkOn;
    // Measured at the first row drawn: where the list is covered, and the smaller font of the words beside.
    mutable int m_shownRight = -1;
    mutable QFont m_smallOf;
    mutable std::optional<SmallFont> m_small;
};

} // namespace tallivor
