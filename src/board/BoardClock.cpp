#include "board/BoardClock.h"

#include <QTimer>

namespace tallivor {

BoardClock::BoardClock(Clocks& clocks, QObject* parent)
    : QObject(parent), m_clocks(clocks), m_seconds(clocks.steadyTime()), m_tick(new QTimer(this)),
      m_save(new QTimer(this))
{
    m_tick->setObjectName(QStringLiteral("Time"));
    m_tick->setInterval(1000);
    m_save->setObjectName(QStringLiteral("autosave"));
    m_save->setInterval(60 * 1000);
    connect(m_tick, &QTimer::timeout, this, &BoardClock::ticked);
    connect(m_save, &QTimer::timeout, this, &BoardClock::saveDue);
}

void BoardClock::start()
{
    m_tick->start();
    m_save->start();
}

void BoardClock::stop()
{
    m_tick->stop();
    m_save->stop();
}

} // namespace tallivor
