// The platform on systems other than Windows: no elevation to ask for, addresses open in the desktop's browser.
#include "ui/Platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QUrl>

#include <chrono>
#ifdef TALLIVOR_HAVE_CANBERRA
#include <canberra.h>
#endif
#include <ctime>

namespace tallivor {
namespace {

#ifdef CLOCK_BOOTTIME
qint64 milliseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
#endif

class OtherPlatform final : public Platform
{
public:
    OtherPlatform(QString folder, QString tail) : m_folder(std::move(folder)), m_tail(std::move(tail)) {}

    // There is no elevation prompt to ask for: the operator's own rights are the program's rights.
    bool isUserAnAdmin() const override { return true; }

    void shellExecute(QWidget*, const QString& operation, const QString& file, const QString& parameters,
                      const QString& directory, int) override
    {
        if (operation.compare(QLatin1String("runas"), Qt::CaseInsensitive) == 0)
            QProcess::startDetached(file, QProcess::splitCommand(parameters), directory);
        else
            QDesktopServices::openUrl(QUrl::fromUserInput(file, directory));
    }

    // The desktop's sound theme names the sound of an alarm that went off; without the theme, or without
    // libcanberra, the bell.
    void playAlarm() override
    {
#ifdef TALLIVOR_HAVE_CANBERRA
        if (!m_sounds)
            ca_context_create(&m_sounds);
        if (m_sounds && ca_context_play(m_sounds, 0, CA_PROP_EVENT_ID, "alarm-clock-elapsed", CA_PROP_EVENT_DESCRIPTION,
                                        "A station's paid time is up", nullptr) == CA_SUCCESS)
            return;
#endif
        QApplication::beep();
    }

    // Window systems here let a program raise its own window when asked to.
    void allowSetForegroundWindow() override {}
    QString commandLineTail() const override
    {
        return m_tail;
    }
    QString programFolder() const override
    {
        return m_folder;
    }
    QString relaunchFile(const QString& programFolder) const override
    {
        return programFolder + QLatin1String("/Tallivor");
    }

    ~OtherPlatform() override
    {
#ifdef TALLIVOR_HAVE_CANBERRA
        if (m_sounds)
            ca_context_destroy(m_sounds);
#endif
    }

private:
    QString m_folder;
    QString m_tail;
#ifdef TALLIVOR_HAVE_CANBERRA
    ca_context* m_sounds = nullptr;
#endif
};

class OtherClocks final : public Clocks
{
public:
    SteadyTime steadyTime() const override
    {
#ifdef CLOCK_BOOTTIME
        // Linux: the monotonic clock does not count a suspend, the boot-time clock does.
        return {milliseconds(CLOCK_MONOTONIC), milliseconds(CLOCK_BOOTTIME)};
#else
        // Elsewhere the one steady clock stands for both, and the time of a sleep cannot be told apart.
        const qint64 now =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
                .count();
        return {now, now};
#endif
    }
};

} // namespace

std::unique_ptr<Platform> makeNativePlatform(const QString& applicationDirPath)
{
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return std::make_unique<OtherPlatform>(QDir::toNativeSeparators(applicationDirPath), args.join(QLatin1Char(' ')));
}

std::unique_ptr<Clocks> makeNativeClocks()
{
    return std::make_unique<OtherClocks>();
}

} // namespace tallivor
