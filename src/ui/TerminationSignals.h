#pragma once

#include <QObject>

class QSocketNotifier;

namespace tallivor {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered on the user-interface thread, so that a shutdown, a
// log-off or Ctrl+C closes the main window the way its close box does: the board is saved before the process ends.
// Does nothing on Windows, where the end of the session reaches the program through Qt.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tallivor
