// Tallivor: the station board of a room of computers rented by the minute.
#include "board/Board.h"
#include "ui/Layout.h"
#include "ui/Platform.h"
#include "ui/TerminationSignals.h"
#include "window/Form1.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallivor"));
    QApplication::setQuitOnLastWindowClosed(false); // the main window's close step ends the program

    const std::unique_ptr<tallivor::Platform> platform =
        tallivor::makeNativePlatform(QCoreApplication::applicationDirPath());
    const std::unique_ptr<tallivor::Clocks> clocks = tallivor::makeNativeClocks();
    tallivor::Board board(*clocks, platform->programFolder());
    tallivor::Form1 form(*platform, board);
    QObject::connect(&form, &tallivor::Form1::processEnded, &app, &QCoreApplication::quit);

    // A shutdown or log-off must not lose the board. On Linux it arrives as a signal and closes the window, every
    // write tried once more; on Windows the session manager asks the program to save its data and then ends it.
    tallivor::TerminationSignals termination;
    QObject::connect(&termination, &tallivor::TerminationSignals::received, &form, &tallivor::Form1::closeAnyway);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&board, &platform] {
        if (platform->isUserAnAdmin())
            board.savefile();
    });

    form.load();
    if (form.hasEnded())
        return 0;
    tallivor::centreOnScreen(form);
    form.show();
    return QApplication::exec();
}
