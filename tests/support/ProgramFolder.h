#pragma once

#include "FakePlatform.h"

#include <QByteArray>
#include <QColor>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <memory>

#include "window/Form1.h"

namespace tallivor {
class Board;
class ListBox;
class ScrollBar;
class TextBox;
} // namespace tallivor

// The main window started on a real Board, and the controls of the window found by their names, as the operator
// sees them.
class RunningBoard
{
    std::unique_ptr<tallivor::Board> m_board;
    std::unique_ptr<tallivor::Form1> m_form;

public:
    RunningBoard(FakePlatform& platform, const QString& folder);
    ~RunningBoard();

    tallivor::Board& board() const { return *m_board; }
    tallivor::Form1& form() const { return *m_form; }
    tallivor::LabelButton* btn(tallivor::Button button) const;

    tallivor::ListBox* const Eventlist;
    tallivor::ListBox* const Namelist;
    tallivor::ListBox* const timeList;
    tallivor::ListBox* const Rellist;
    tallivor::ScrollBar* const VScroll1;
    tallivor::TextBox* const REL;

private:
    RunningBoard(FakePlatform& platform, std::unique_ptr<tallivor::Board> board);
};

// A program folder of the test's own: a temporary folder with the shipped language files in it, files written and
// read by name, and a board (with or without its main window) started on it with the fake platform.
class ProgramFolder
{
public:
    // languageFiles: which of the shipped language files to copy in ("English.xml" by default).
    explicit ProgramFolder(const QStringList& languageFiles = {QStringLiteral("English.xml")});

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    // The names in the folder, sorted.
    QStringList names() const;
    // Copies a shipped language file into the folder.
    void copyLanguage(const QString& name) const;

    // Writes the station file (when given) and loads a Board on this folder, without any window; its autosave is
    // stopped: tests tick and save themselves.
    std::unique_ptr<tallivor::Board> startBoard(FakePlatform& platform, const QByteArray& stationFile = {}) const;
    // Creates the main window with its Board on this folder and runs its load step, then stops its timers (the clock
    // and the autosave): tests tick and save themselves.
    std::unique_ptr<RunningBoard> start(FakePlatform& platform) const;
    // Writes the station file, starts the main window on it as start() does, and shows it.
    std::unique_ptr<RunningBoard> startShown(FakePlatform& platform, const QByteArray& stationFile) const;

private:
    QTemporaryDir m_dir;
};

// The station file lines joined with CR LF, each line ended.
QByteArray crlf(const QStringList& lines);
// A station file with the price 10 and English, then the rows.
QByteArray englishBoard(const QStringList& rows);

// The shipped English language file with other running and stopped words.
QByteArray languageWithWords(const QString& start, const QString& stop);

// The bytes of a string literal, NUL bytes inside it included.
template <std::size_t N>
QByteArray bytesOf(const char (&literal)[N])
{
    return QByteArray(literal, qsizetype(N - 1));
}

// The texts of a list box, top to bottom.
QStringList column(const tallivor::ListBox* list);
// The four lists of the station table, left to right.
std::array<tallivor::ListBox*, 4> listsOf(const RunningBoard& window);
// The board's rows as the station file writes them: "state,name,time,charge".
QStringList rowsOf(const tallivor::Board& board);

// A text box showing refused input is light yellow; otherwise white.
inline const QColor yellow(255, 255, 192);
inline const QColor white(Qt::white);
