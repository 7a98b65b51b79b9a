#pragma once

#include "RunningBoard.h"

#include <QObject>

#include <memory>

// A test class whose every test function gets a program folder of its own, a fresh recording platform and a place
// for the main window with its board; after each test the window goes and the folder is removed.
class BoardTest : public QObject
{
    Q_OBJECT
protected:
    std::unique_ptr<ProgramFolder> m_folder;
    FakePlatform m_platform;
    std::unique_ptr<RunningBoard> m_form;

protected Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_platform = FakePlatform();
    }
    void cleanup()
    {
        m_form.reset();
        m_folder.reset();
    }
};
