#include "window/AlarmBell.h"

#include "ui/Platform.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace tallivor {

AlarmBell::AlarmBell(Board& board, Platform& platform, QWidget& window)
    : QObject(&window), m_board(board), m_platform(platform), m_window(window), m_repeat(new QTimer(this)),
      m_blink(new QTimer(this))
{
    m_repeat->setObjectName(QStringLiteral("alarmRepeat"));
    m_repeat->setInterval(30 * 1000);
    m_blink->setObjectName(QStringLiteral("alarmBlink"));
    m_blink->setInterval(500);
    connect(&board, &Board::stationDue, this, &AlarmBell::ring);
    connect(&board, &Board::paidStateChanged, this, &AlarmBell::follow);
    connect(m_repeat, &QTimer::timeout, this, &AlarmBell::sound);
    connect(m_blink, &QTimer::timeout, this, [this] {
        m_blinkOn = !m_blinkOn;
        emit blinked();
    });
}

void AlarmBell::ring()
{
    // Stations that reach their paid end in one tick ring once, and the 30 seconds start again from there.
    const bool justRang = m_repeat->isActive() && m_repeat->remainingTime() > m_repeat->interval() - 1000;
    if (!m_board.table().isAlarmSounding() || justRang)
        return;
    sound();
    m_repeat->start();
    if (!m_blink->isActive())
        m_blink->start();
}

void AlarmBell::sound()
{
    if (!m_board.table().isAlarmSounding()) {
        follow();
        return;
    }
    m_platform.playAlarm();
    if (!m_window.isActiveWindow())
        QApplication::alert(&m_window);
}

void AlarmBell::follow()
{
    // Acknowledged, extended, billed or removed: with no due station left unacknowledged, the bell falls silent.
    if (m_board.table().isAlarmSounding())
        return;
    m_repeat->stop();
    m_blink->stop();
    m_blinkOn = true;
    emit blinked();
}

} // namespace tallivor
