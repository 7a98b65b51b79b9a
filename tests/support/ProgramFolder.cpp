#include "ProgramFolder.h"

#include "board/Board.h"
#include "ui/LabelButton.h"
#include "ui/ListBox.h"
#include "ui/ScrollBar.h"
#include "ui/TextBox.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <QtTest>

ProgramFolder::ProgramFolder(const QStringList& languageFiles)
{
    for (const QString& name : languageFiles)
        copyLanguage(name);
}

void ProgramFolder::copyLanguage(const QString& name) const
{
    QFile source(QStringLiteral(TALLIVOR_LANG_DIR "/") + name);
    if (!source.open(QIODevice::ReadOnly))
        qFatal("missing shipped language file %s", qPrintable(name));
    write(name, source.readAll());
}

QString ProgramFolder::filePath(const QString& name) const
{
    return QDir(m_dir.path()).filePath(name);
}

void ProgramFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(name));
}

QByteArray ProgramFolder::read(const QString& name) const
{
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ProgramFolder::names() const
{
    return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

namespace {

// The tests tick the clock and save themselves: no timer may act behind their back.
void stopTimers(const QObject& owner)
{
    for (QTimer* timer : owner.findChildren<QTimer*>(Qt::FindDirectChildrenOnly))
        timer->stop();
}

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
{
}

RunningBoard::RunningBoard(FakePlatform& platform, std::unique_ptr<tallivor::Board> board)
    : m_board(std::move(board)), m_form(std::make_unique<tallivor::Form1>(platform, *m_board)),
      Eventlist(named<tallivor::ListBox>(*m_form, "Eventlist")),
      Namelist(named<tallivor::ListBox>(*m_form, "Namelist")),
      timeList(named<tallivor::ListBox>(*m_form, "timeList")), Rellist(named<tallivor::ListBox>(*m_form, "Rellist")),
      VScroll1(named<tallivor::ScrollBar>(*m_form, "VScroll1")), REL(named<tallivor::TextBox>(*m_form, "REL"))
{
}

RunningBoard::~RunningBoard()
{
    m_form.reset(); // the window shows the board's columns: it goes first
}

tallivor::LabelButton* RunningBoard::btn(tallivor::Button button) const
{
    for (auto* label : m_form->findChildren<tallivor::LabelButton*>(QStringLiteral("btn"), Qt::FindDirectChildrenOnly)) {
        if (label->property("index").toInt() == int(button))
            return label;
    }
    qFatal("the main window has no btn(%d)", int(button));
}

std::unique_ptr<tallivor::Board> ProgramFolder::startBoard(FakePlatform& platform, const QByteArray& stationFile) const
{
    if (!stationFile.isNull())
        write(QStringLiteral("tallivor.xml"), stationFile);
    platform.folder = path();
    auto board = std::make_unique<tallivor::Board>(platform, path());
    board->load();
    stopTimers(*board);
    return board;
}

std::unique_ptr<RunningBoard> ProgramFolder::start(FakePlatform& platform) const
{
    platform.folder = path();
    auto window = std::make_unique<RunningBoard>(platform, path());
    window->form().load();
    stopTimers(window->form());
    stopTimers(window->board());
    return window;
}

std::unique_ptr<RunningBoard> ProgramFolder::startShown(FakePlatform& platform, const QByteArray& stationFile) const
{
    write(QStringLiteral("tallivor.xml"), stationFile);
    auto window = start(platform);
    window->form().show();
    if (!QTest::qWaitForWindowExposed(&window->form()))
        qWarning("the main window was not exposed");
    return window;
}

QByteArray englishBoard(const QStringList& rows)
{
    return crlf(QStringList{QStringLiteral("10,English.xml")} + rows);
}

QByteArray languageWithWords(const QString& start, const QString& stop)
{
    QString english = QString::fromUtf8(ProgramFolder().read(QStringLiteral("English.xml")));
    english.replace(QStringLiteral("Start=Start"), QStringLiteral("Start=") + start);
    english.replace(QStringLiteral("Stop=Stop"), QStringLiteral("Stop=") + stop);
    return english.toUtf8();
}

QByteArray crlf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

QStringList column(const tallivor::ListBox* list)
{
    return list->column().texts();
}

std::array<tallivor::ListBox*, 4> listsOf(const RunningBoard& window)
{
    return {window.Eventlist, window.Namelist, window.timeList, window.Rellist};
}

QStringList rowsOf(const tallivor::Board& board)
{
    using tallivor::Column;
    QStringList rows;
    for (int row = 0; row < board.rowCount(); ++row)
        rows << QStringList{board.text(Column::State, row), board.text(Column::Name, row),
                            board.text(Column::Time, row), board.text(Column::Charge, row)}
                    .join(u',');
    return rows;
}
