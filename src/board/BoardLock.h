#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

class QFileSystemWatcher;

namespace tallivor {

// One board per program folder. The copy of the program that holds the folder's lock file owns the board: only it
// reads, counts and writes the station file. A copy started while another runs in the same folder leaves a request
// beside the lock for the owner to bring its window to the front, and ends. A lock left by a copy that crashed
// (its process is gone) is taken over by the next start; copies in two folders are two boards.
class BoardLock : public QObject
{
    Q_OBJECT
public:
    explicit BoardLock(const QString& folder, QObject* parent = nullptr);

    // Takes the folder's lock and from then on listens for requests to come to the front. False when a running copy
    // holds it.
    bool tryLock();
    bool isLocked() const { return m_lock.isLocked(); }
    // Gives the lock up, at the end of the process.
    void unlock();
    // Asks the copy that holds the lock to bring its window to the front.
    void askOwnerToComeForward() const;

signals:
    // A later copy asked this one, the owner, to come to the front.
    void comeForwardRequested();

private:
    void takeRequest();

    QString m_requestPath;
    QLockFile m_lock;
    QFileSystemWatcher* m_watcher = nullptr;
};

} // namespace tallivor
