#include "BoardTest.h"

void BoardTest::init()
{
    m_folder = std::make_unique<ProgramFolder>();
    m_platform = FakePlatform();
}

void BoardTest::cleanup()
{
    m_form.reset();
    m_folder.reset();
}
