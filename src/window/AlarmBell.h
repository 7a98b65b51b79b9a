#pragma once

#include "board/Board.h"

#include <QObject>

class QTimer;
class QWidget;

namespace tallivor {

class Platform;

// The alarm of stations whose paid time is up: the sound at once and again every 30 seconds, the task bar entry
// flashing while the window is not active, and the blinking of the due rows, for as long as a due station is not
// acknowledged. It never takes the keyboard or blocks anything: the board stays the operator's.
class AlarmBell : public QObject
{
    Q_OBJECT
public:
    AlarmBell(Board& board, Platform& platform, QWidget& window);

    // Whether the due rows show their red now, or the darker red between.
    bool blinkOn() const { return m_blinkOn; }

signals:
    // The due rows are to be drawn anew.
    void blinked();

private:
    // A station became due: the sound now, then every 30 seconds.
    void ring();
    void sound();
    void follow();

    Board& m_board;
    Platform& m_platform;
    QWidget& m_window;
    QTimer* const m_repeat;
    QTimer* const m_blink;
    bool m_blinkOn = true;
};

} // namespace tallivor
