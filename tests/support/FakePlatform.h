#pragma once

#include "FakeClocks.h"
#include "ui/Platform.h"

#include <QString>

#include <vector>

// A platform that records every request to the shell and answers as the test tells it, with the fake clocks.
class FakePlatform final : public tallivor::Platform, public FakeClocks
{
public:
    struct ShellCall
    {
        bool withOwner;
        QString operation, file, parameters, directory;
        int showCommand;
    };

    bool admin = true;
    QString tail;
    QString folder;
    std::vector<ShellCall> calls;
    int alarms = 0; // alarm sounds asked for

    bool isUserAnAdmin() const override { return admin; }
    void shellExecute(QWidget* owner, const QString& operation, const QString& file, const QString& parameters,
                      const QString& directory, int showCommand) override
    {
        calls.push_back({owner != nullptr, operation, file, parameters, directory, showCommand});
    }
    void allowSetForegroundWindow() override {}
    void playAlarm() override { ++alarms; }
    QString commandLineTail() const override { return tail; }
    QString programFolder() const override { return folder; }
    // The Windows form of the relaunch file, so that the tests see what the counter PC would ask for.
    QString relaunchFile(const QString& programFolder) const override
    {
        return programFolder + QStringLiteral("\\Tallivor.exe");
    }
};
