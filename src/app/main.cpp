// Tallivor: the station board of a room of computers rented by the minute.
#include "board/Form1.h"
#include "ui/Layout.h"
#include "ui/Platform.h"
#include "ui/TerminationSignals.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallivor"));
    QApplication::setQuitOnLastWindowClosed(false); // the main window's close step ends the program

    const std::unique_ptr<tallivor::Platform> platform =
        tallivor::makeNativePlatform(QCoreApplication::applicationDirPath());
    tallivor::Form1 form(*platform, platform->programFolder());
    QObject::connect(&form, &tallivor::Form1::processEnded, &app, &QCoreApplication::quit);

    // A shutdown or log-off must not lose the board. On Linux it arrives as a signal and closes the window the way
    // its close box does; on Windows the session manager asks the program to save its data and then ends it.
    tallivor::TerminationSignals termination;
    QObject::connect(&termination, &tallivor::TerminationSignals::received, &form, &QWidget::close);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form, &platform] {
        if (platform->isUserAnAdmin())
            form.savefile();
    });

    form.load();
    if (form.hasEnded())
        return 0;
    tallivor::centreOnScreen(form);
    form.show();
    return QApplication::exec();
}
