#pragma once

#include "board/Clocks.h"

#include <QString>
#include <QtGlobal>

#include <memory>

class QWidget;

namespace tallivor {

// What the program asks of the operating system, behind one interface: the Windows shell on the counter PC, plain
// Qt elsewhere, a recording fake in the tests.
class Platform
{
public:
    virtual ~Platform() = default;

    // True when the process runs with administrator rights.
    virtual bool isUserAnAdmin() const = 0;

    // Asks the shell to carry out an operation ("runas" to start an elevated copy, "Open" for an address), as
    // ShellExecuteA does. A null parameters or directory text is passed as no value at all; owner may be null.
    // The result is not reported: the program never examines it.
    virtual void shellExecute(QWidget* owner, const QString& operation, const QString& file, const QString& parameters,
                              const QString& directory, int showCommand) = 0;

    // The program's own command line after the program name, as the process received it.
    virtual QString commandLineTail() const = 0;

    // The folder that holds the running executable.
    virtual QString programFolder() const = 0;

    // The executable that an elevated copy is started from, given the program folder.
    virtual QString relaunchFile(const QString& programFolder) const = 0;

    // Sounds the alarm of a station whose paid time is up: the system's own alert sound, once, without waiting.
    virtual void playAlarm() = 0;

    // Lets the copy of the program that shows the board bring its window to the front when this copy asks it to;
    // Windows allows that only to a process the foreground process (this one, just started) permits.
    virtual void allowSetForegroundWindow() = 0;
};

// ShellExecuteA's show command for a normally shown window (SW_SHOWNORMAL).
inline constexpr int swShowNormal = 1;

// Hands out the platform the program runs on, with the program folder it reports.
std::unique_ptr<Platform> makeNativePlatform(const QString& applicationDirPath);

// Hands out the clocks of the computer the program runs on.
std::unique_ptr<Clocks> makeNativeClocks();

} // namespace tallivor
