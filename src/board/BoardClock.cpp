#include "board/BoardClock.h"

#include <QTimer>

namespace tallivor {

BoardClock::BoardClock(Clocks& clocks, QObject* parent)
    : QObject(parent), m_clocks(clocks), m_seconds(clocks.steadyTime()), m_tick(new QTimer(this)),
      m_save(new QTimer(this)), m_retry(new QTimer(this))
{
    m_tick->setObjectName(QStringLiteral("Time"));
    m_tick->setInterval(1000);
    m_save->setObjectName(QStringLiteral("autosave"));
    m_save->setInterval(60 * 1000);
    connect(m_tick, &QTimer::timeout, this, &BoardClock::ticked);
    connect(m_save, &QTimer::timeout, this, &BoardClock::saveDue);
    m_retry->setObjectName(QStringLiteral("retry"));
    m_retry->setInterval(10 * 1000);
    connect(m_retry, &QTimer::timeout, this, &BoardClock::saveDue);
}

void BoardClock::setRetrying(bool retrying)
{
    if (retrying && !m_retry->isActive() && m_started)
        m_retry->start();
    else if (!retrying)
        m_retry->stop();
}

void BoardClock::start()
{
    m_started = true;
    m_tick->start();
    m_save->start();
}

void BoardClock::stop()
{
    m_started = false;
    m_tick->stop();
    m_save->stop();
    m_retry->stop();
}

} // namespace tallivor
