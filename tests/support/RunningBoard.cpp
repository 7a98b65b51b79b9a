#include "RunningBoard.h"

#include "board/Board.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"

#include <QtTest>

namespace {

template <typename T>
T* named(const QWidget& window, const char* name)
{
    T* found = window.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("the main window has no %s", name);
    return found;
}

} // namespace

RunningBoard::RunningBoard(FakePlatform& platform, const QString& folder)
    : RunningBoard(platform, std::make_unique<tallivor::Board>(platform, folder))
{}

RunningBoard::RunningBoard(FakePlatform& platform, std::unique_ptr<tallivor::Board> board)
    : m_board(std::move(board)), m_form(std::make_unique<tallivor::Form1>(platform, *m_board)),
      Eventlist(named<tallivor::ListBox>(*m_form, "Eventlist")),
      Namelist(named<tallivor::ListBox>(*m_form, "Namelist")), timeList(named<tallivor::ListBox>(*m_form, "timeList")),
      Rellist(named<tallivor::ListBox>(*m_form, "Rellist")), VScroll1(named<tallivor::ScrollBar>(*m_form, "VScroll1")),
      REL(named<tallivor::TextBox>(*m_form, "REL"))
{}

RunningBoard::~RunningBoard()
{
    m_form.reset(); // the window shows the board's columns: it goes first
}

tallivor::LabelButton* RunningBoard::btn(tallivor::Button button) const
{
    for (auto* label :
         m_form->findChildren<tallivor::LabelButton*>(QStringLiteral("btn"), Qt::FindDirectChildrenOnly)) {
        if (label->property("index").toInt() == int(button))
            return label;
    }
    qFatal("the main window has no btn(%d)", int(button));
}

std::unique_ptr<RunningBoard> startWindow(const ProgramFolder& folder, FakePlatform& platform)
{
    platform.folder = folder.path();
    auto window = std::make_unique<RunningBoard>(platform, folder.path());
    window->form().load();
    stopTimers(window->form());
    stopTimers(window->board());
    return window;
}

std::unique_ptr<RunningBoard> startShown(const ProgramFolder& folder, FakePlatform& platform,
                                         const QByteArray& stationFile)
{
    folder.write(QStringLiteral("tallivor.xml"), stationFile);
    auto window = startWindow(folder, platform);
    window->form().show();
    if (!QTest::qWaitForWindowExposed(&window->form()))
        qWarning("the main window was not exposed");
    return window;
}

std::array<tallivor::ListBox*, 4> listsOf(const RunningBoard& window)
{
    return {window.Eventlist, window.Namelist, window.timeList, window.Rellist};
}
