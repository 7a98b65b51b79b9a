// The platform on Windows: converts between Qt's texts and the system code page and calls Win32Shell.
#include "ui/Platform.h"
#include "ui/Win32Shell.h"

#include <QStringConverter>
#include <QWidget>

namespace tallivor {
namespace {

QByteArray toAnsi(const QString& text)
{
    QStringEncoder encode(QStringConverter::System);
    return encode(text);
}

QString fromAnsi(const std::string& text)
{
    QStringDecoder decode(QStringConverter::System);
    return decode(QByteArrayView(text.data(), qsizetype(text.size())));
}

// A null text stands for "no value" and becomes a null pointer.
const char* orNull(const QString& text, const QByteArray& ansi)
{
    return text.isNull() ? nullptr : ansi.constData();
}

class WindowsPlatform final : public Platform
{
public:
    bool isUserAnAdmin() const override { return win32::isUserAnAdmin(); }

    void shellExecute(QWidget* owner, const QString& operation, const QString& file, const QString& parameters,
                      const QString& directory, int showCommand) override
    {
        const QByteArray op = toAnsi(operation), f = toAnsi(file), params = toAnsi(parameters), dir = toAnsi(directory);
        void* window = owner ? reinterpret_cast<void*>(owner->winId()) : nullptr;
        win32::shellExecute(window, orNull(operation, op), orNull(file, f), orNull(parameters, params),
                            orNull(directory, dir), showCommand);
    }

    void playAlarm() override { win32::playAlertSound(); }
    void allowSetForegroundWindow() override { win32::allowSetForegroundWindow(); }
    QString commandLineTail() const override { return fromAnsi(win32::commandLineTail()); }
    QString programFolder() const override { return fromAnsi(win32::programFolder()); }
    QString relaunchFile(const QString& programFolder) const override
    {
        // A drive root already ends in a backslash ("C:\"): do not double it.
        return programFolder.endsWith(QLatin1Char('\\')) ? programFolder + QLatin1String("Tallivor.exe")
                                                         : programFolder + QLatin1String("\\Tallivor.exe");
    }
};

class WindowsClocks final : public Clocks
{
public:
    SteadyTime steadyTime() const override { return {win32::awakeMilliseconds(), win32::totalMilliseconds()}; }
};

} // namespace

std::unique_ptr<Platform> makeNativePlatform(const QString&)
{
    return std::make_unique<WindowsPlatform>();
}

std::unique_ptr<Clocks> makeNativeClocks()
{
    return std::make_unique<WindowsClocks>();
}

} // namespace tallivor
