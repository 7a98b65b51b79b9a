#pragma once

#include "board/Board.h"

#include <QStyledItemDelegate>

#include <functional>

namespace tallivor {

class KeyedTexts;

// How the board's lists draw a station row beside its text, without changing the text: the colour of its paid state
// (amber in the last five minutes, red at the paid end, blinking until acknowledged), and for a paid station the time
// left or over beside the time used ("-12:26", "+1:32"), and beside the name, which is elided to make room, its paid
// end as a time of day ("ends 21:40"), "paused" or "time is up".
class StationRows : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // column: the list's column of the board. texts: the words in force. blinkOn: whether a due row shows its red now.
    StationRows(const Board& board, Column column, const KeyedTexts& texts, std::function<bool()> blinkOn,
                std::function<QDateTime()> now, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // What the row adds to the row's text for a screen reader: the time left or over, or that the time is up.
    static QString spokenState(const Board& board, int row, const KeyedTexts& texts);

private:
    // The words drawn beside the row's text; empty for a station without paid time.
    QString besideText(int row) const;

    const Board& m_board;
    const Column m_column;
    const KeyedTexts& m_texts;
    std::function<bool()> m_blinkOn;
    std::function<QDateTime()> m_now;
};

} // namespace tallivor
