#include "board/BoardLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>

namespace tallivor {

BoardLock::BoardLock(const QString& folder, QObject* parent)
    : QObject(parent), m_requestPath(QDir(folder).filePath(QStringLiteral("tallivor.front"))),
      m_lock(QDir(folder).filePath(QStringLiteral("tallivor.lock")))
{
    // A running board holds its lock for days: only a lock whose process is gone counts as stale, never an old one.
    m_lock.setStaleLockTime(0);
}

bool BoardLock::tryLock()
{
    if (!m_lock.tryLock())
        return false;
    QFile::remove(m_requestPath); // a request left for a copy that is gone
    m_watcher = new QFileSystemWatcher(this);
    if (!m_watcher->addPath(QFileInfo(m_requestPath).absolutePath()))
        qWarning("Cannot watch %s: a second start will not bring this window forward", qPrintable(m_requestPath));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &BoardLock::takeRequest);
    return true;
}

void BoardLock::unlock()
{
    delete m_watcher;
    m_watcher = nullptr;
    m_lock.unlock();
}

void BoardLock::askOwnerToComeForward() const
{
    QFile request(m_requestPath);
    if (!request.open(QIODevice::WriteOnly))
        qWarning("Cannot ask the running copy to come forward: %s", qPrintable(request.errorString()));
}

void BoardLock::takeRequest()
{
    if (QFile::exists(m_requestPath) && QFile::remove(m_requestPath))
        emit comeForwardRequested();
}

} // namespace tallivor
