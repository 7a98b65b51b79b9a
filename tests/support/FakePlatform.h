#pragma once

#include "ui/Platform.h"

#include <QString>

#include <vector>

// A platform and clocks: it records every request to the shell and answers as the test tells it, with steady clocks that move
// only when the test moves them.
class FakePlatform final : public tallivor::Platform, public tallivor::Clocks
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
    QDateTime clock;             // the wall clock; the real one while it is not set
    tallivor::SteadyTime steady; // moved by the tests that drive the clock; stands still otherwise
    std::vector<ShellCall> calls;

    bool isUserAnAdmin() const override { return admin; }
    void shellExecute(QWidget* owner, const QString& operation, const QString& file, const QString& parameters,
                      const QString& directory, int showCommand) override
    {
        calls.push_back({owner != nullptr, operation, file, parameters, directory, showCommand});
    }
    void allowSetForegroundWindow() override {}
    QString commandLineTail() const override { return tail; }
    QString programFolder() const override { return folder; }
    QDateTime now() const override { return clock.isValid() ? clock : QDateTime::currentDateTime(); }
    // The Windows form of the relaunch file, so that the tests see what the counter PC would ask for.
    QString relaunchFile(const QString& programFolder) const override
    {
        return programFolder + QStringLiteral("\\Tallivor.exe");
    }
    tallivor::SteadyTime steadyTime() const override { return steady; }
};
